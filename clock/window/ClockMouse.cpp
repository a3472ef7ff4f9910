#include "clock/window/ClockMouse.h"

#include <cmath>

namespace dorvane {

void ClockMouse::Press(double x, double y)
{
    if (state_.OptionsOpen)
        return;
    pressX_ = static_cast<int>(std::nearbyint(x));
    pressY_ = static_cast<int>(std::nearbyint(y));
    actions_.UnloadStrip();
}

void ClockMouse::Move(bool leftAlone, double x, double y, double now)
{
    if (state_.OptionsOpen)
        return;
    if (leftAlone) {
        // Keep the pressed point of the clock under the pointer. A clock set to stay put does not move.
        if (!state_.Unmovable)
            actions_.MoveClockBy(static_cast<int>(std::nearbyint(x)) - pressX_, static_cast<int>(std::nearbyint(y)) - pressY_);
        return;
    }
    ptmr_ = now;
    actions_.ShowStrip();
    actions_.SetStripTimer(true);
}

void ClockMouse::Release()
{
    if (!state_.OptionsOpen)
        actions_.UnloadStrip();
}

void ClockMouse::DoubleClick()
{
    if (!state_.OptionsOpen)
        actions_.SilenceCurrentAlarm();
}

void ClockMouse::StripTimerFired(double now)
{
    double quiet = now - ptmr_;
    if (quiet < 0)
        quiet += 24 * 3600; // the pointer last moved before midnight
    if (quiet > kStripSeconds) {
        actions_.HideStrip();
        actions_.SetStripTimer(false);
    }
}

} // namespace dorvane
