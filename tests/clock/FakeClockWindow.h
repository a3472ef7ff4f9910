#pragma once

#include "clock/ClockWindowLink.h"

#include <string>
#include <vector>

namespace dorvane::testing {

// The clock window as the tick sees it: Escape is pressed when the test says so, and every call
// is written to a journal.
class FakeClockWindow : public ClockWindowLink {
public:
    bool EscapePressed() override
    {
        const bool pressed = escapePressed;
        escapePressed = false;
        return pressed;
    }
    void MakeVisible() override { journal.push_back("show"); visible = true; }
    void DrawClock(const LocalTime& time) override { journal.push_back("draw"); drawnAt.push_back(time); }
    void PresentPicture() override { journal.push_back("present"); }

    bool escapePressed = false;
    bool visible = false;
    std::vector<std::string> journal;
    std::vector<LocalTime> drawnAt;
};

} // namespace dorvane::testing
