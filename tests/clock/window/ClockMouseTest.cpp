#include "clock/window/ClockMouse.h"
#include "tests/support/Fakes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dorvane {
namespace {

using Events = std::vector<std::string>;

struct ClockMouseTest : ::testing::Test {
    testing::RecordingMouseActions actions;
    ClockState state;
    ClockMouse mouse{actions, state};
};

// A press at (10.4, 20.6), a drag through two points, the release and a double click.
TEST_F(ClockMouseTest, ALeftDragKeepsThePressedPointUnderThePointerUnlessUnmovableOrTheOptionsWindowIsOpen)
{
    const struct { bool unmovable, optionsOpen; Events events; } cases[] = {
        {false, false, {"unload", "move 5,9", "move -1,0", "unload", "silence"}},
        {true, false, {"unload", "unload", "silence"}},
        {false, true, {}}, // no input at all, not even hovering
    };
    for (const auto& c : cases) {
        actions.events.clear();
        state.Unmovable = c.unmovable, state.OptionsOpen = c.optionsOpen;
        mouse.Press(10.4, 20.6);
        mouse.Move(true, 15, 30, 100);
        mouse.Move(true, 9, 21, 100.1);
        mouse.Release();
        if (c.optionsOpen)
            mouse.Move(false, 15, 30, 100);
        mouse.DoubleClick();
        EXPECT_EQ(actions.events, c.events) << c.unmovable << c.optionsOpen;
    }
}

// Hovering shows the strip until more than two seconds after the last move over the clock or the strip.
TEST_F(ClockMouseTest, HoveringShowsTheStripUntilMoreThanTwoSecondsAfterTheLastMoveEvenAcrossMidnight)
{
    const struct { double hoverAt, movedOverStripAt, stillUpAt, hiddenAt; } cases[] = {
        {100.0, 100.0, 102.0, 102.1}, {100.0, 101.5, 103.0, 103.6}, {86399.5, 86399.5, 0.5, 1.6}};
    for (const auto& c : cases) {
        actions.events.clear();
        mouse.Move(false, 5, 5, c.hoverAt);
        mouse.MarkPointerMoved(c.movedOverStripAt);
        mouse.StripTimerFired(c.stillUpAt);
        EXPECT_EQ(actions.events, (Events{"show", "timer on"})) << c.hoverAt << ": still up";
        mouse.StripTimerFired(c.hiddenAt);
        EXPECT_EQ(actions.events, (Events{"show", "timer on", "hide", "timer off"})) << c.hoverAt;
    }
}

} // namespace
} // namespace dorvane
