#include "clock/tick/ClockTimerClient.h"
#include "tests/support/TickRig.h"
#include "tests/support/FakeWindowSystem.h"
#include "winmsg/MSubclass.h"

#include <gtest/gtest.h>

namespace dorvane {
namespace {

using testing::At;

// The clock window, whose own procedure answers 42, with the tick's client taking its timer messages.
class ClockTimerClientTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(subclass.InterceptMessage(client, window, kWmTimer)); }

    testing::TickRig rig;
    testing::FakeWindowSystem windows;
    MSubclass subclass{windows};
    int ownMessages = 0;
    WindowHandle window = windows.AddWindow([this](const WindowMessage&) { ++ownMessages; return 42; });
    ClockTimerClient client{rig.tick};
};

TEST_F(ClockTimerClientTest, TimerMessagesRunTheTickUntilReleasedAndOtherMessagesGoToTheWindow)
{
    for (int second : {0, 1}) {
        rig.time.Set(At(7, 5, second));
        EXPECT_EQ(windows.Send(window, kWmTimer, 1), 0);
    }
    EXPECT_EQ(windows.Send(window, 15), 42);
    EXPECT_EQ(ownMessages, 1);
    client.SetMsgResponse(PassAfter);
    EXPECT_EQ(client.MsgResponse(), PassNone);

    ASSERT_TRUE(subclass.ReleaseMessage(client, window, kWmTimer));
    rig.time.Set(At(7, 5, 2));
    EXPECT_EQ(windows.Send(window, kWmTimer), 42);
    EXPECT_EQ(rig.window.drawnAt.size(), 2u);
}

} // namespace
} // namespace dorvane
