#include "clock/tick/ClockTimerClient.h"
#include "tests/support/FakeWindowSystem.h"
#include "tests/support/TickRig.h"
#include "winmsg/MSubclass.h"

#include <gtest/gtest.h>

namespace dorvane {
namespace {

using testing::At;

TEST(TickRun, TimerMessagesRunTheTickUntilReleasedAndOtherMessagesGoToTheWindow)
{
    testing::TickRig rig;
    testing::FakeWindowSystem windows;
    MSubclass subclass{windows};
    int ownMessages = 0;
    const WindowHandle window = windows.AddWindow([&](const WindowMessage&) { ++ownMessages; return 42; });
    ClockTimerClient client{rig.tick};
    ASSERT_FALSE(subclass.InterceptMessage(client, window, kWmTimer));
    for (int second : {0, 1, 2}) {
        if (second == 2) {
            ASSERT_TRUE(subclass.ReleaseMessage(client, window, kWmTimer));
        }
        rig.time.Set(At(7, 5, second));
        EXPECT_EQ(windows.Send(window, kWmTimer, 1), second == 2 ? 42 : 0);
    }
    EXPECT_EQ(windows.Send(window, 15), 42);
    EXPECT_EQ(ownMessages, 2);
    EXPECT_EQ(rig.window.drawnAt.size(), 2u);
}

} // namespace
} // namespace dorvane
