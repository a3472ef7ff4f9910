#include "platform/win32/DialogMessages.h"
#include "platform/win32/Win32MessagePump.h"
#include "tests/support/Win32Testing.h"

#include <gtest/gtest.h>

namespace dorvane {
namespace {

using testing::TestWindow;

TEST(Win32MessagePump, RunsTheMessagesWaitingAndLeavesAQuitForTheProgramsOwnLoop)
{
    TestWindow window;
    Win32MessagePump pump;
    ::PostMessageW(window.hwnd, WM_APP, 0, 0);
    ::PostMessageW(window.hwnd, WM_APP + 1, 0, 0);
    pump.RunPendingMessages();
    EXPECT_EQ(window.seen, (std::vector<UINT>{WM_APP, WM_APP + 1}));

    ::PostQuitMessage(3);
    pump.RunPendingMessages();
    MSG quit{};
    ASSERT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 3u);
}

// A registered dialog takes its own messages (and dispatches them itself); others are left alone.
TEST(DialogMessages, RoutesOnlyTheMessagesOfRegisteredDialogs)
{
    TestWindow dialog, other;
    DialogMessages::Add(dialog.hwnd);
    MSG toDialog{dialog.hwnd, WM_APP, 0, 0, 0, {}};
    MSG toOther{other.hwnd, WM_APP, 0, 0, 0, {}};
    EXPECT_TRUE(DialogMessages::Route(toDialog));
    EXPECT_EQ(dialog.seen, std::vector<UINT>{WM_APP});
    EXPECT_FALSE(DialogMessages::Route(toOther));
    EXPECT_TRUE(other.seen.empty());
    DialogMessages::Remove(dialog.hwnd);
    EXPECT_FALSE(DialogMessages::Route(toDialog));
}

} // namespace
} // namespace dorvane
