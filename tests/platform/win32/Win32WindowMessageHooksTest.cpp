#include "platform/win32/Win32WindowMessageHooks.h"
#include "tests/support/Win32Testing.h"
#include "winmsg/MSubclass.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace dorvane {
namespace {

using testing::TestWindow;

constexpr UINT kAsk = WM_APP + 1;

// A client of the interception layer that counts what it sees and answers 7.
struct CountingClient : ISubclass {
    int32_t response = PassAfter;
    int seen = 0;
    int32_t MsgResponse() const override { return response; }
    void SetMsgResponse(int32_t value) override { response = value; }
    int32_t WindowProc(WindowHandle, uint32_t, uintptr_t, intptr_t) override { return ++seen, 7; }
};

// The window's own answer comes back whole, wider than 32 bits, when the message is passed on; its
// procedure is put back when the last client leaves, and a window destroyed while hooked is forgotten.
TEST(Win32WindowMessageHooks, CarriesTheInterceptionLayerToARealWindowUntilItsLastClientLeaves)
{
    TestWindow window;
    Win32WindowMessageHooks hooks;
    MSubclass subclass(hooks);
    CountingClient client;
    const WindowHandle handle = Win32WindowMessageHooks::HandleOf(window.hwnd);
    const LONG_PTR ownProcedure = ::GetWindowLongPtrW(window.hwnd, GWLP_WNDPROC);
    ASSERT_FALSE(subclass.InterceptMessage(client, handle, kWmTimer).has_value());
    EXPECT_EQ(subclass.InterceptMessage(client, 0, kWmTimer)->code, InterceptionError::InvalidWindow);

    const struct { int32_t response; LRESULT result; std::vector<UINT> ownSeen; } rows[] = {
        {PassAfter, TestWindow::kAnswer, {WM_TIMER}}, {PassBefore, 7, {WM_TIMER}}, {PassNone, 7, {}}};
    for (const auto& row : rows) {
        client.response = row.response;
        window.seen.clear();
        EXPECT_EQ(::SendMessageW(window.hwnd, WM_TIMER, 1, 0), row.result);
        ::SendMessageW(window.hwnd, kAsk, 0, 0); // not intercepted: straight to the window
        auto ownSeen = row.ownSeen;
        ownSeen.push_back(kAsk);
        EXPECT_EQ(window.seen, ownSeen);
    }
    EXPECT_EQ(client.seen, 3);
    EXPECT_TRUE(subclass.ReleaseMessage(client, handle, kWmTimer));
    EXPECT_EQ(::GetWindowLongPtrW(window.hwnd, GWLP_WNDPROC), ownProcedure);

    EXPECT_TRUE(hooks.BelongsToThisProcess(handle));
    ASSERT_TRUE(hooks.InstallHook(handle, [&](const WindowMessage& message) { return hooks.CallOwnHandling(message); }));
    ::DestroyWindow(std::exchange(window.hwnd, nullptr));
    EXPECT_FALSE(hooks.IsWindow(handle));
    EXPECT_FALSE(hooks.InstallHook(handle, [](const WindowMessage&) { return 0; }));
}

} // namespace
} // namespace dorvane
