#include "platform/win32/Win32WindowMessageHooks.h"
#include "tests/support/Win32TestWindow.h"
#include "winmsg/MSubclass.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace dorvane {
namespace {

using testing::TestWindow;

constexpr UINT kAsk = WM_APP + 1;

// A client of the interception layer that notes what it sees and answers 7.
struct NotingClient : ISubclass {
    int32_t response = PassAfter;
    std::vector<uint32_t> seen;
    int32_t MsgResponse() const override { return response; }
    void SetMsgResponse(int32_t value) override { response = value; }
    int32_t WindowProc(WindowHandle, uint32_t message, uintptr_t, intptr_t) override
    {
        seen.push_back(message);
        return 7;
    }
};

TEST(Win32WindowMessageHooks, SubclassesAWindowPassesItsMessagesOnAndPutsItsProcedureBack)
{
    TestWindow window;
    Win32WindowMessageHooks hooks;
    const WindowHandle handle = Win32WindowMessageHooks::HandleOf(window.hwnd);
    const LONG_PTR ownProcedure = ::GetWindowLongPtrW(window.hwnd, GWLP_WNDPROC);
    EXPECT_TRUE(hooks.IsWindow(handle));
    EXPECT_TRUE(hooks.BelongsToThisProcess(handle));
    EXPECT_FALSE(hooks.BelongsToThisProcess(Win32WindowMessageHooks::HandleOf(::GetDesktopWindow())));

    std::vector<uint32_t> hooked;
    ASSERT_TRUE(hooks.InstallHook(handle, [&](const WindowMessage& message) {
        hooked.push_back(message.message);
        return message.wParam == 1 ? hooks.CallOwnHandling(message) : 5;
    }));
    EXPECT_NE(::GetWindowLongPtrW(window.hwnd, GWLP_WNDPROC), ownProcedure);
    const struct {
        WPARAM passOn;
        LRESULT result;
        std::size_t ownSeen;
    } rows[] = {
        {0, 5, 0},                           // kept from the window
        {1, TestWindow::kAnswer, 1},          // passed on: the window's full answer, wider than 32 bits
    };
    for (const auto& row : rows) {
        window.seen.clear();
        EXPECT_EQ(::SendMessageW(window.hwnd, kAsk, row.passOn, 0), row.result);
        EXPECT_EQ(window.seen.size(), row.ownSeen);
    }
    EXPECT_EQ(hooked, (std::vector<uint32_t>{kAsk, kAsk}));

    hooks.RemoveHook(handle);
    EXPECT_EQ(::GetWindowLongPtrW(window.hwnd, GWLP_WNDPROC), ownProcedure);
    EXPECT_EQ(::SendMessageW(window.hwnd, kAsk, 0, 0), TestWindow::kAnswer);
}

TEST(Win32WindowMessageHooks, CarriesTheInterceptionLayerToARealWindowUntilItsLastClientLeaves)
{
    TestWindow window;
    Win32WindowMessageHooks hooks;
    MSubclass subclass(hooks);
    NotingClient client;
    const WindowHandle handle = Win32WindowMessageHooks::HandleOf(window.hwnd);
    const LONG_PTR ownProcedure = ::GetWindowLongPtrW(window.hwnd, GWLP_WNDPROC);
    ASSERT_FALSE(subclass.InterceptMessage(client, handle, kWmTimer).has_value());
    EXPECT_EQ(subclass.InterceptMessage(client, Win32WindowMessageHooks::HandleOf(nullptr), kWmTimer)->code,
              InterceptionError::InvalidWindow);

    const struct {
        int32_t response;
        LRESULT result;
        std::size_t ownSeen;
    } rows[] = {{PassAfter, TestWindow::kAnswer, 1}, {PassBefore, 7, 1}, {PassNone, 7, 0}};
    for (const auto& row : rows) {
        client.response = row.response;
        window.seen.clear();
        EXPECT_EQ(::SendMessageW(window.hwnd, WM_TIMER, 1, 0), row.result);
        EXPECT_EQ(window.seen.size(), row.ownSeen);
    }
    window.seen.clear();
    ::SendMessageW(window.hwnd, kAsk, 0, 0);
    EXPECT_EQ(window.seen, std::vector<UINT>{kAsk}) << "other messages go straight to the window";
    EXPECT_EQ(client.seen, std::vector<uint32_t>(3, kWmTimer));

    EXPECT_TRUE(subclass.ReleaseMessage(client, handle, kWmTimer));
    EXPECT_EQ(::GetWindowLongPtrW(window.hwnd, GWLP_WNDPROC), ownProcedure);
}

TEST(Win32WindowMessageHooks, ForgetsAWindowDestroyedWhileHooked)
{
    auto window = std::make_unique<TestWindow>();
    Win32WindowMessageHooks hooks;
    const WindowHandle handle = Win32WindowMessageHooks::HandleOf(window->hwnd);
    ASSERT_TRUE(hooks.InstallHook(handle, [&](const WindowMessage& message) { return hooks.CallOwnHandling(message); }));
    window.reset();
    EXPECT_FALSE(hooks.IsWindow(handle));
    EXPECT_FALSE(hooks.InstallHook(handle, [](const WindowMessage&) { return 0; }));
}

} // namespace
} // namespace dorvane
