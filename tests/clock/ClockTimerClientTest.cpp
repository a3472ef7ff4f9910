#include "clock/ClockTimerClient.h"
#include "tests/clock/TickRig.h"
#include "tests/winmsg/FakeWindowSystem.h"
#include "winmsg/MSubclass.h"

#include <gtest/gtest.h>

namespace dorvane {
namespace {

using testing::At;

struct ClockWindowRig {
    testing::TickRig tick;
    testing::FakeWindowSystem windows;
    MSubclass subclass{windows};
    int ownMessages = 0;
    WindowHandle window = windows.AddWindow([this](const WindowMessage&) {
        ++ownMessages;
        return 42;
    });
    ClockTimerClient client{tick.tick};
};

TEST(ClockTimerClient, TimerMessageRunsTheTickAndNeverReachesTheWindow)
{
    ClockWindowRig rig;
    ASSERT_FALSE(rig.subclass.InterceptMessage(rig.client, rig.window, kWmTimer));
    rig.tick.time.Set(At(7, 5, 0));
    EXPECT_EQ(rig.windows.Send(rig.window, kWmTimer, 1), 0);
    rig.tick.time.Set(At(7, 5, 1));
    EXPECT_EQ(rig.windows.Send(rig.window, kWmTimer, 1), 0);
    EXPECT_EQ(rig.tick.window.drawnAt.size(), 2u);
    EXPECT_EQ(rig.ownMessages, 0);
}

TEST(ClockTimerClient, OtherMessagesGoToTheWindowAndTheClientAnswersPassNone)
{
    ClockWindowRig rig;
    ASSERT_FALSE(rig.subclass.InterceptMessage(rig.client, rig.window, kWmTimer));
    EXPECT_EQ(rig.windows.Send(rig.window, 15), 42);
    EXPECT_EQ(rig.ownMessages, 1);
    EXPECT_TRUE(rig.tick.window.drawnAt.empty());

    rig.client.SetMsgResponse(PassAfter);
    EXPECT_EQ(rig.client.MsgResponse(), PassNone);
    EXPECT_EQ(rig.client.WindowProc(rig.window, 15, 0, 0), 0);
}

TEST(ClockTimerClient, ReleasingTheTimerMessageStopsTheTick)
{
    ClockWindowRig rig;
    ASSERT_FALSE(rig.subclass.InterceptMessage(rig.client, rig.window, kWmTimer));
    ASSERT_TRUE(rig.subclass.ReleaseMessage(rig.client, rig.window, kWmTimer));
    rig.tick.time.Set(At(7, 5, 0));
    EXPECT_EQ(rig.windows.Send(rig.window, kWmTimer), 42);
    EXPECT_TRUE(rig.tick.window.drawnAt.empty());
}

} // namespace
} // namespace dorvane
