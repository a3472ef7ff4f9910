#pragma once

#include "clock/state/ClockState.h"

namespace dorvane {

// What the clock window's mouse handling does to the world around it.
class ClockMouseActions {
public:
    virtual ~ClockMouseActions() = default;
    virtual void MoveClockBy(int dx, int dy) = 0; // pixels
    virtual void ShowStrip() = 0;                 // shows the button strip beside the clock
    virtual void UnloadStrip() = 0;               // closes it; the next show places it afresh
    virtual void HideStrip() = 0;
    virtual void SetStripTimer(bool enabled) = 0; // the 100 ms timer that hides the strip
    virtual void SilenceCurrentAlarm() = 0;
};

// The clock window's mouse: a left-button drag moves the clock (unless Unmovable), hovering shows
// the button strip until two seconds after the pointer stops, any press or release closes it, and
// a double click silences the alarm that matched last. While the options window is open the clock
// takes no mouse input, as a window that the options window owns. Times are seconds since local
// midnight.
class ClockMouse {
public:
    static constexpr double kStripSeconds = 2.0;

    ClockMouse(ClockMouseActions& actions, const ClockState& state) : actions_(actions), state_(state) {}

    void Press(double x, double y);
    // leftAlone: the left button and no other is down.
    void Move(bool leftAlone, double x, double y, double now);
    void Release();
    void DoubleClick();
    void StripTimerFired(double now);
    // The button strip keeps itself up by marking pointer movement over it.
    void MarkPointerMoved(double now) { ptmr_ = now; }

private:
    ClockMouseActions& actions_;
    const ClockState& state_;
    int pressX_ = 0;
    int pressY_ = 0;
    double ptmr_ = 0;
};

} // namespace dorvane
