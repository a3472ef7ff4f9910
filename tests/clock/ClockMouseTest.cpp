#include "clock/ClockMouse.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace dorvane {
namespace {

using Events = std::vector<std::string>;

class RecordingActions : public ClockMouseActions {
public:
    void MoveClockBy(int dx, int dy) override { events.push_back("move " + std::to_string(dx) + "," + std::to_string(dy)); }
    void ShowStrip() override { events.push_back("show"); }
    void UnloadStrip() override { events.push_back("unload"); }
    void HideStrip() override { events.push_back("hide"); }
    void SetStripTimer(bool enabled) override { events.push_back(enabled ? "timer on" : "timer off"); }
    void SilenceCurrentAlarm() override { events.push_back("silence"); }
    Events events;
};

TEST(ClockMouse, ALeftDragKeepsThePressedPointUnderThePointerUnlessTheClockIsUnmovable)
{
    for (bool unmovable : {false, true}) {
        RecordingActions actions;
        ClockState state;
        state.Unmovable = unmovable;
        ClockMouse mouse{actions, state};
        mouse.Press(10.4, 20.6);
        mouse.Move(true, 15, 30, 100);
        mouse.Move(true, 9, 21, 100.1);
        mouse.Release();
        EXPECT_EQ(actions.events, (unmovable ? Events{"unload", "unload"} : Events{"unload", "move 5,9", "move -1,0", "unload"}));
    }
}

TEST(ClockMouse, TakesNoInputWhileTheOptionsWindowIsOpen)
{
    RecordingActions actions;
    ClockState state;
    state.OptionsOpen = true;
    ClockMouse mouse{actions, state};
    mouse.Press(10, 20);
    mouse.Move(true, 15, 30, 100);
    mouse.Move(false, 15, 30, 100);
    mouse.Release();
    mouse.DoubleClick();
    EXPECT_EQ(actions.events, Events{});
    state.OptionsOpen = false;
    mouse.DoubleClick();
    EXPECT_EQ(actions.events, Events{"silence"});
}

TEST(ClockMouse, HoveringShowsTheStripUntilMoreThanTwoSecondsAfterTheLastMoveEvenAcrossMidnight)
{
    const struct {
        const char* what;
        double hoverAt;
        std::optional<double> movedOverStripAt;
        double stillUpAt, hiddenAt;
    } cases[] = {
        {"hovering, up for exactly two seconds", 100.0, std::nullopt, 102.0, 102.1},
        {"moving over the strip", 100.0, 101.5, 103.0, 103.6},
        {"midnight passing", 86399.5, std::nullopt, 0.5, 1.6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingActions actions;
        ClockState state;
        ClockMouse mouse{actions, state};
        mouse.Move(false, 5, 5, c.hoverAt);
        EXPECT_EQ(actions.events, (Events{"show", "timer on"}));
        if (c.movedOverStripAt)
            mouse.MarkPointerMoved(*c.movedOverStripAt);
        actions.events.clear();
        mouse.StripTimerFired(c.stillUpAt);
        EXPECT_TRUE(actions.events.empty());
        mouse.StripTimerFired(c.hiddenAt);
        EXPECT_EQ(actions.events, (Events{"hide", "timer off"}));
    }
}

TEST(ClockMouse, ADoubleClickSilencesTheAlarm)
{
    RecordingActions actions;
    ClockState state;
    ClockMouse(actions, state).DoubleClick();
    EXPECT_EQ(actions.events, (Events{"silence"}));
}

} // namespace
} // namespace dorvane
