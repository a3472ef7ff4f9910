#include "clock/ClockMouse.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dorvane {
namespace {

class RecordingActions : public ClockMouseActions {
public:
    void MoveClockBy(int dx, int dy) override { events.push_back("move " + std::to_string(dx) + "," + std::to_string(dy)); }
    void ShowStrip() override { events.push_back("show"); }
    void UnloadStrip() override { events.push_back("unload"); }
    void HideStrip() override { events.push_back("hide"); }
    void SetStripTimer(bool enabled) override { events.push_back(enabled ? "timer on" : "timer off"); }
    void SilenceCurrentAlarm() override { events.push_back("silence"); }
    std::vector<std::string> events;
};

using Events = std::vector<std::string>;

class ClockMouseTest : public ::testing::Test {
protected:
    RecordingActions actions;
    bool unmovable = false;
    ClockMouse mouse{actions, unmovable};
};

TEST_F(ClockMouseTest, ALeftDragKeepsThePressedPointUnderThePointer)
{
    mouse.Press(10.4, 20.6);
    mouse.Move(true, 15, 30, 100);
    mouse.Move(true, 9, 21, 100.1);
    mouse.Release();
    EXPECT_EQ(actions.events, (Events{"unload", "move 5,9", "move -1,0", "unload"}));
}

TEST_F(ClockMouseTest, AnUnmovableClockStaysPut)
{
    unmovable = true;
    mouse.Press(10, 10);
    mouse.Move(true, 50, 50, 100);
    EXPECT_EQ(actions.events, (Events{"unload"}));
}

TEST_F(ClockMouseTest, HoveringShowsTheStripUntilTwoSecondsAfterTheLastMove)
{
    mouse.Move(false, 5, 5, 100.0);
    EXPECT_EQ(actions.events, (Events{"show", "timer on"}));
    actions.events.clear();
    mouse.StripTimerFired(101.0);
    mouse.StripTimerFired(102.0); // exactly two seconds: still up
    EXPECT_TRUE(actions.events.empty());
    mouse.StripTimerFired(102.1);
    EXPECT_EQ(actions.events, (Events{"hide", "timer off"}));
}

TEST_F(ClockMouseTest, MovementOverTheStripKeepsItUp)
{
    mouse.Move(false, 5, 5, 100.0);
    mouse.MarkPointerMoved(101.5);
    actions.events.clear();
    mouse.StripTimerFired(103.0);
    EXPECT_TRUE(actions.events.empty());
    mouse.StripTimerFired(103.6);
    EXPECT_EQ(actions.events, (Events{"hide", "timer off"}));
}

TEST_F(ClockMouseTest, TheStripStillHidesWhenMidnightPassesWhileItIsUp)
{
    mouse.Move(false, 5, 5, 86399.5);
    actions.events.clear();
    mouse.StripTimerFired(0.5); // one second later, after midnight
    EXPECT_TRUE(actions.events.empty());
    mouse.StripTimerFired(1.6);
    EXPECT_EQ(actions.events, (Events{"hide", "timer off"}));
}

TEST_F(ClockMouseTest, ADoubleClickSilencesTheAlarm)
{
    mouse.DoubleClick();
    EXPECT_EQ(actions.events, (Events{"silence"}));
}

} // namespace
} // namespace dorvane
