#include "options/ButtonStrip.h"

#include <cmath>

namespace dorvane {

TwipsRect ButtonStrip::Place()
{
    const TwipsRect clock = actions_.ClockRect();
    rect_ = {clock.left + clock.width + kGap, clock.top + kGap, width_, height_};
    actions_.MoveStrip(rect_.left, rect_.top);
    return rect_;
}

void ButtonStrip::DragPressed(double x, double y)
{
    dragX_ = static_cast<int>(std::nearbyint(x));
    dragY_ = static_cast<int>(std::nearbyint(y));
}

void ButtonStrip::DragMoved(double x, double y)
{
    rect_.left = rect_.left - dragX_ + x;
    rect_.top = rect_.top - dragY_ + y;
    actions_.MoveStrip(rect_.left, rect_.top);
    const TwipsRect clock = actions_.ClockRect();
    actions_.MoveClock(rect_.left - clock.width - kGap, rect_.top - kGap);
}

// Brings the strip back on the screen, moving the clock with it; each rule works on the places
// the one before left.
void ButtonStrip::DragReleased(double screenWidth, double screenHeight)
{
    const TwipsRect clock = actions_.ClockRect();
    double clockLeft = clock.left, clockTop = clock.top;
    if (rect_.left + rect_.width > screenWidth) {
        rect_.left = screenWidth - rect_.width;
        clockLeft = rect_.left - clock.width - kGap;
    }
    if (rect_.left < 0) {
        rect_.left = 0;
        clockLeft = rect_.left + rect_.width + kGap; // the clock goes to the right of the strip
    }
    if (rect_.top < 0) {
        rect_.top = 0;
        clockTop = rect_.top - kGap;
    }
    if (rect_.top + clock.height > screenHeight) {
        rect_.top = screenHeight - clock.height - 500;
        clockTop = rect_.top - kGap;
    }
    actions_.MoveStrip(rect_.left, rect_.top);
    actions_.MoveClock(clockLeft, clockTop);
}

void ButtonStrip::OptionsClicked()
{
    actions_.HideStrip();
    actions_.ReopenOptions();
}

} // namespace dorvane
