#pragma once

#include "platform/LocalTime.h"

namespace dorvane {

// What the tick needs of the clock window itself.
class ClockWindowLink {
public:
    virtual ~ClockWindowLink() = default;
    // True when Escape is down now or was pressed since the last time this was asked; a window that
    // is shown may answer false, as MakeVisible would change nothing.
    virtual bool EscapePressed() = 0;
    // Shows the window (a clock hidden with InvisibleClock comes back this way).
    virtual void MakeVisible() = 0;
    // Draws the clock for time into the window's picture, without showing it yet.
    virtual void DrawClock(const LocalTime& time) = 0;
    // Hands the finished picture to the screen.
    virtual void PresentPicture() = 0;
};

} // namespace dorvane
