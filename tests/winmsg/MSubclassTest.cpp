#include "tests/support/FakeWindowSystem.h"
#include "winmsg/MSubclass.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace dorvane {
namespace {

using testing::FakeWindowSystem;
using Journal = std::vector<std::string>;

constexpr uint32_t kWmPaint = 15, kWmMouseMove = 512;

// A client that notes each call in a shared journal as "name:message:wParam:lParam", then runs
// onMessage, and answers with its own result.
struct JournalClient : ISubclass {
    JournalClient(std::string name, Journal& journal, int32_t result) : name(std::move(name)), journal(journal), result(result) {}
    int32_t MsgResponse() const override { return response; }
    void SetMsgResponse(int32_t r) override { response = r; }
    int32_t WindowProc(WindowHandle, uint32_t iMsg, uintptr_t wParam, intptr_t lParam) override
    {
        journal.push_back(name + ":" + std::to_string(iMsg) + ":" + std::to_string(wParam) + ":" + std::to_string(lParam));
        if (onMessage)
            onMessage();
        return result;
    }

    std::string name;
    Journal& journal;
    int32_t result, response = PassNone;
    std::function<void()> onMessage;
};

// A window whose own handling notes "own:<message>" and answers 99, and clients "a", "b", "c" that
// pass no message on and answer 1, 2, 3.
class Interception : public ::testing::Test {
protected:
    void Intercept(std::initializer_list<JournalClient*> interceptors, uint32_t message)
    {
        for (JournalClient* client : interceptors)
            ASSERT_FALSE(subclass.InterceptMessage(*client, window, message));
    }

    Journal journal;
    FakeWindowSystem windows;
    MSubclass subclass{windows, "dorvane"};
    WindowHandle window = windows.AddWindow([this](const WindowMessage& m) {
        journal.push_back("own:" + std::to_string(m.message));
        return 99;
    });
    JournalClient a{"a", journal, 1}, b{"b", journal, 2}, c{"c", journal, 3};
};

TEST_F(Interception, ClientsRunInOrderAndOnlyTheFirstAndLastAreAskedHowToPassTheMessageOn)
{
    const struct { const char* what; int32_t first, middle, last; Journal journal; int32_t result; } cases[] = {
        {"first asks before, once", PassBefore, PassBefore, PassBefore, {"own", "a", "b", "c"}, 3},
        {"last asks after: its result", PassNone, PassAfter, PassAfter, {"a", "b", "c", "own"}, 99},
        {"middle asks, first after, last before", PassAfter, PassBefore, PassBefore, {"a", "b", "c"}, 3},
        {"first before, last after", PassBefore, PassNone, PassAfter, {"own", "a", "b", "c"}, 3},
        {"unknown answers", 7, -1, 3, {"a", "b", "c"}, 3},
    };
    Intercept({&a, &b, &c}, kWmPaint);
    for (const auto& cs : cases) {
        SCOPED_TRACE(cs.what);
        a.SetMsgResponse(cs.first), b.SetMsgResponse(cs.middle), c.SetMsgResponse(cs.last);
        journal.clear();
        EXPECT_EQ(windows.Send(window, kWmPaint, 1, -7), cs.result);
        Journal expected; // every client is given the message whole
        for (const std::string& name : cs.journal)
            expected.push_back(name == "own" ? "own:15" : name + ":15:1:-7");
        EXPECT_EQ(journal, expected);
    }
}

TEST_F(Interception, RefusesWithNumberSourceAndTextAndLeavesTheWindowAsItWas)
{
    const auto newWindow = [this](bool external) { return windows.AddWindow([](const WindowMessage&) { return 0; }, external); };
    const WindowHandle gone = newWindow(false);
    windows.DestroyWindow(gone);
    const struct {
        const char* what; WindowHandle window; bool refuseHooks; InterceptionError::Code code; uint32_t number; const char* text;
    } cases[] = {
        {"invalid handle", 0xdead, false, InterceptionError::InvalidWindow, 0x8004331Bu, "Invalid window"},
        {"destroyed window", gone, false, InterceptionError::InvalidWindow, 0x8004331Bu, "Invalid window"},
        {"window of another process", newWindow(true), false, InterceptionError::ExternalWindow, 0x8004331Cu,
         "Can't modify external window"},
        {"window that cannot be hooked", window, true, InterceptionError::CantSubclass, 0x80043319u, "Can't subclass window"},
    };
    for (const auto& cs : cases) {
        SCOPED_TRACE(cs.what);
        windows.refuseHooks = cs.refuseHooks;
        const auto refusal = subclass.InterceptMessage(a, cs.window, kWmTimer);
        ASSERT_TRUE(refusal.has_value());
        EXPECT_EQ(std::tuple(refusal->code, refusal->Number(), refusal->source, refusal->description),
                  std::tuple(cs.code, cs.number, "dorvane.WindowProc", cs.text));
        EXPECT_FALSE(subclass.IsIntercepted(cs.window));
    }
}

TEST_F(Interception, AWindowStaysHookedUntilItsLastMessageIsReleasedAndRefusedOrStrayCallsChangeNothing)
{
    Intercept({&a}, kWmTimer);
    Intercept({&a}, kWmPaint);
    EXPECT_EQ(windows.installs, 1);
    const auto refusal = subclass.InterceptMessage(a, window, kWmTimer);
    ASSERT_TRUE(refusal.has_value());
    EXPECT_EQ(refusal->Number(), 0x8004331Au);
    EXPECT_EQ(refusal->description, "Message already handled by another class");
    EXPECT_FALSE(subclass.ReleaseMessage(b, window, kWmTimer));
    EXPECT_FALSE(subclass.ReleaseMessage(a, window, kWmMouseMove));
    EXPECT_FALSE(subclass.ReleaseMessage(a, 0xdead, kWmTimer));
    EXPECT_EQ(windows.Send(window, kWmTimer), 1);  // the client is called once

    EXPECT_TRUE(subclass.ReleaseMessage(a, window, kWmTimer));
    EXPECT_TRUE(windows.IsHooked(window));
    EXPECT_EQ(windows.Send(window, kWmTimer), 99);
    EXPECT_EQ(windows.Send(window, kWmPaint), 1);
    EXPECT_TRUE(subclass.ReleaseMessage(a, window, kWmPaint));
    EXPECT_FALSE(windows.IsHooked(window));
    EXPECT_FALSE(subclass.IsIntercepted(window));
    EXPECT_EQ(windows.Send(window, kWmPaint), 99);
    EXPECT_EQ(journal, (Journal{"a:275:0:0", "own:275", "a:15:0:0", "own:15"}));
    {
        MSubclass layer(windows);
        ASSERT_FALSE(layer.InterceptMessage(a, window, kWmTimer));
        EXPECT_TRUE(windows.IsHooked(window));
    }
    EXPECT_FALSE(windows.IsHooked(window)) << "ending a layer gives every window its messages back";
}

TEST_F(Interception, ReleasedClientsAreNotCalledAlsoDuringDispatchAndTheOthersKeepTheirOrder)
{
    c.SetMsgResponse(PassAfter);
    Intercept({&a, &b, &c}, kWmTimer);
    EXPECT_TRUE(subclass.ReleaseMessage(b, window, kWmTimer));
    a.onMessage = [&] { subclass.ReleaseMessage(c, window, kWmTimer); };
    EXPECT_EQ(windows.Send(window, kWmTimer), 1);
    EXPECT_EQ(journal, Journal{"a:275:0:0"});
}

TEST_F(Interception, ClientMayHandleFurtherMessagesInsideItsWindowProc)
{
    Intercept({&a}, kWmTimer);
    Intercept({&a}, kWmMouseMove);
    bool inner = false;
    a.onMessage = [&] {
        if (!std::exchange(inner, true)) {
            windows.Send(window, kWmMouseMove, 5);
            windows.Send(window, kWmPaint);
        }
    };
    windows.Send(window, kWmTimer);
    EXPECT_EQ(journal, (Journal{"a:275:0:0", "a:512:5:0", "own:15"}));
}

} // namespace
} // namespace dorvane
