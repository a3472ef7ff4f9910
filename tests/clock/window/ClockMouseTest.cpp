#include "clock/window/ClockMouse.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace dorvane {
namespace {

using Events = std::vector<std::string>;

struct RecordingActions : ClockMouseActions {
    void MoveClockBy(int dx, int dy) override { events.push_back("move " + std::to_string(dx) + "," + std::to_string(dy)); }
    void ShowStrip() override { events.push_back("show"); }
    void UnloadStrip() override { events.push_back("unload"); }
    void HideStrip() override { events.push_back("hide"); }
    void SetStripTimer(bool enabled) override { events.push_back(enabled ? "timer on" : "timer off"); }
    void SilenceCurrentAlarm() override { events.push_back("silence"); }
    Events events;
};

struct ClockMouseTest : ::testing::Test {
    RecordingActions actions;
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

TEST_F(ClockMouseTest, HoveringShowsTheStripUntilMoreThanTwoSecondsAfterTheLastMoveEvenAcrossMidnight)
{
    const struct { double hoverAt; std::optional<double> movedOverStripAt; double stillUpAt, hiddenAt; } cases[] = {
        {100.0, std::nullopt, 102.0, 102.1}, {100.0, 101.5, 103.0, 103.6}, {86399.5, std::nullopt, 0.5, 1.6}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hoverAt);
        actions.events.clear();
        mouse.Move(false, 5, 5, c.hoverAt);
        EXPECT_EQ(actions.events, (Events{"show", "timer on"}));
        if (c.movedOverStripAt)
            mouse.MarkPointerMoved(*c.movedOverStripAt);
        mouse.StripTimerFired(c.stillUpAt);
        EXPECT_EQ(actions.events.size(), 2u) << "still up";
        mouse.StripTimerFired(c.hiddenAt);
        EXPECT_EQ(actions.events, (Events{"show", "timer on", "hide", "timer off"}));
    }
}

} // namespace
} // namespace dorvane
