#include "tests/winmsg/FakeWindowSystem.h"
#include "winmsg/MSubclass.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace dorvane {
namespace {

using testing::FakeWindowSystem;
using Journal = std::vector<std::string>;

constexpr uint32_t kWmPaint = 15;
constexpr uint32_t kWmMouseMove = 512;

// A client that notes each call in a shared journal and answers with its own result.
class JournalClient : public ISubclass {
public:
    JournalClient(std::string name, Journal& journal, int32_t response, int32_t result)
        : name_(std::move(name)), journal_(journal), response_(response), result_(result) {}

    int32_t MsgResponse() const override { return response_; }
    void SetMsgResponse(int32_t response) override { response_ = response; }
    int32_t WindowProc(WindowHandle, uint32_t iMsg, uintptr_t wParam, intptr_t lParam) override
    {
        journal_.push_back(name_ + ":" + std::to_string(iMsg) + ":" + std::to_string(wParam) + ":" + std::to_string(lParam));
        if (onMessage)
            onMessage();
        return result_;
    }

    std::function<void()> onMessage;

private:
    std::string name_;
    Journal& journal_;
    int32_t response_;
    int32_t result_;
};

struct InterceptionRig {
    Journal journal;
    FakeWindowSystem windows;
    MSubclass subclass{windows, "dorvane"};
    WindowHandle window = windows.AddWindow([this](const WindowMessage& m) {
        journal.push_back("own:" + std::to_string(m.message));
        return 99;
    });
};

TEST(Interception, PassBeforeOfTheFirstClientRunsTheOwnHandlingOnceBeforeAllClients)
{
    InterceptionRig rig;
    JournalClient a("a", rig.journal, PassBefore, 1), b("b", rig.journal, PassBefore, 2);
    ASSERT_FALSE(rig.subclass.InterceptMessage(a, rig.window, kWmTimer));
    ASSERT_FALSE(rig.subclass.InterceptMessage(b, rig.window, kWmTimer));
    EXPECT_EQ(rig.windows.Send(rig.window, kWmTimer, 1, -7), 2);
    EXPECT_EQ(rig.journal, (Journal{"own:275", "a:275:1:-7", "b:275:1:-7"}));
}

TEST(Interception, PassAfterOfTheLastClientRunsTheOwnHandlingAfterAllClientsAndGivesItsResult)
{
    InterceptionRig rig;
    JournalClient a("a", rig.journal, PassNone, 1), b("b", rig.journal, PassAfter, 2);
    ASSERT_FALSE(rig.subclass.InterceptMessage(a, rig.window, kWmTimer));
    ASSERT_FALSE(rig.subclass.InterceptMessage(b, rig.window, kWmTimer));
    EXPECT_EQ(rig.windows.Send(rig.window, kWmTimer), 99);
    EXPECT_EQ(rig.journal, (Journal{"a:275:0:0", "b:275:0:0", "own:275"}));
}

TEST(Interception, OnlyTheFirstAndLastClientsAreAskedHowToPass)
{
    const struct {
        const char* what;
        int32_t first, middle, last;
        Journal journal;
        int32_t result;
    } cases[] = {
        {"all pass none", PassNone, PassNone, PassNone, {"a", "b", "c"}, 3},
        {"middle asks before", PassNone, PassBefore, PassNone, {"a", "b", "c"}, 3},
        {"middle asks after", PassNone, PassAfter, PassNone, {"a", "b", "c"}, 3},
        {"first asks after", PassAfter, PassNone, PassNone, {"a", "b", "c"}, 3},
        {"last asks before", PassNone, PassNone, PassBefore, {"a", "b", "c"}, 3},
        {"first before, last after", PassBefore, PassNone, PassAfter, {"own", "a", "b", "c"}, 3},
        {"unknown answers", 7, -1, 3, {"a", "b", "c"}, 3},
    };
    for (const auto& c : cases) {
        InterceptionRig rig;
        Journal names;
        rig.journal.clear();
        JournalClient a("a", rig.journal, c.first, 1), b("b", rig.journal, c.middle, 2), cc("c", rig.journal, c.last, 3);
        for (ISubclass* client : std::initializer_list<ISubclass*>{&a, &b, &cc})
            ASSERT_FALSE(rig.subclass.InterceptMessage(*client, rig.window, kWmPaint));
        EXPECT_EQ(rig.windows.Send(rig.window, kWmPaint), c.result) << c.what;
        for (const auto& entry : rig.journal)
            names.push_back(entry.substr(0, entry.find(':')));
        EXPECT_EQ(names, c.journal) << c.what;
    }
}

TEST(Interception, MessageWithoutClientsGoesToTheOwnHandlingUnchanged)
{
    InterceptionRig rig;
    JournalClient a("a", rig.journal, PassNone, 1);
    ASSERT_FALSE(rig.subclass.InterceptMessage(a, rig.window, kWmTimer));
    EXPECT_EQ(rig.windows.Send(rig.window, kWmPaint), 99);
    EXPECT_EQ(rig.journal, Journal{"own:15"});
}

TEST(Interception, TwoMessagesOnOneWindowKeepTheHookUntilTheLastIsReleased)
{
    InterceptionRig rig;
    JournalClient a("a", rig.journal, PassNone, 1);
    ASSERT_FALSE(rig.subclass.InterceptMessage(a, rig.window, kWmTimer));
    ASSERT_FALSE(rig.subclass.InterceptMessage(a, rig.window, kWmPaint));
    EXPECT_EQ(rig.windows.installs, 1);

    EXPECT_TRUE(rig.subclass.ReleaseMessage(a, rig.window, kWmTimer));
    EXPECT_TRUE(rig.windows.IsHooked(rig.window));
    EXPECT_EQ(rig.windows.Send(rig.window, kWmTimer), 99);
    EXPECT_EQ(rig.windows.Send(rig.window, kWmPaint), 1);

    EXPECT_TRUE(rig.subclass.ReleaseMessage(a, rig.window, kWmPaint));
    EXPECT_FALSE(rig.windows.IsHooked(rig.window));
    EXPECT_FALSE(rig.subclass.IsIntercepted(rig.window));
    EXPECT_EQ(rig.windows.Send(rig.window, kWmPaint), 99);
    EXPECT_EQ(rig.journal, (Journal{"own:275", "a:15:0:0", "own:15"}));
}

TEST(Interception, ReleasingAClientKeepsTheOthersInOrder)
{
    InterceptionRig rig;
    JournalClient a("a", rig.journal, PassNone, 1), b("b", rig.journal, PassNone, 2), c("c", rig.journal, PassNone, 3);
    for (ISubclass* client : std::initializer_list<ISubclass*>{&a, &b, &c})
        ASSERT_FALSE(rig.subclass.InterceptMessage(*client, rig.window, kWmTimer));
    EXPECT_TRUE(rig.subclass.ReleaseMessage(b, rig.window, kWmTimer));
    rig.windows.Send(rig.window, kWmTimer);
    EXPECT_EQ(rig.journal, (Journal{"a:275:0:0", "c:275:0:0"}));
}

TEST(Interception, RefusesWithNumberSourceAndText)
{
    const struct {
        const char* what;
        std::function<WindowHandle(InterceptionRig&)> window;
        InterceptionError::Code code;
        uint32_t number;
        const char* text;
    } cases[] = {
        {"invalid handle", [](InterceptionRig&) { return WindowHandle{0xdead}; }, InterceptionError::InvalidWindow,
         0x8004331Bu, "Invalid window"},
        {"destroyed window", [](InterceptionRig& rig) {
             const WindowHandle gone = rig.windows.AddWindow([](const WindowMessage&) { return 0; });
             rig.windows.DestroyWindow(gone);
             return gone;
         }, InterceptionError::InvalidWindow, 0x8004331Bu, "Invalid window"},
        {"window of another process", [](InterceptionRig& rig) {
             return rig.windows.AddWindow([](const WindowMessage&) { return 0; }, true);
         }, InterceptionError::ExternalWindow, 0x8004331Cu, "Can't modify external window"},
        {"window that cannot be hooked", [](InterceptionRig& rig) {
             rig.windows.refuseHooks = true;
             return rig.window;
         }, InterceptionError::CantSubclass, 0x80043319u, "Can't subclass window"},
    };
    for (const auto& c : cases) {
        InterceptionRig rig;
        JournalClient a("a", rig.journal, PassNone, 1);
        const WindowHandle window = c.window(rig);
        const auto refusal = rig.subclass.InterceptMessage(a, window, kWmTimer);
        ASSERT_TRUE(refusal.has_value()) << c.what;
        EXPECT_EQ(refusal->code, c.code) << c.what;
        EXPECT_EQ(refusal->Number(), c.number) << c.what;
        EXPECT_EQ(refusal->source, "dorvane.WindowProc") << c.what;
        EXPECT_EQ(refusal->description, c.text) << c.what;
        EXPECT_FALSE(rig.subclass.IsIntercepted(window)) << c.what;
    }
}

TEST(Interception, RefusedDuplicateLeavesTheWindowFreeToBeGivenBack)
{
    InterceptionRig rig;
    JournalClient a("a", rig.journal, PassNone, 1);
    ASSERT_FALSE(rig.subclass.InterceptMessage(a, rig.window, kWmTimer));
    const auto refusal = rig.subclass.InterceptMessage(a, rig.window, kWmTimer);
    ASSERT_TRUE(refusal.has_value());
    EXPECT_EQ(refusal->Number(), 0x8004331Au);
    EXPECT_EQ(refusal->description, "Message already handled by another class");

    rig.windows.Send(rig.window, kWmTimer);
    EXPECT_EQ(rig.journal, Journal{"a:275:0:0"}) << "the client is called once";
    EXPECT_TRUE(rig.subclass.ReleaseMessage(a, rig.window, kWmTimer));
    EXPECT_FALSE(rig.windows.IsHooked(rig.window));
}

TEST(Interception, ReleasingAClientThatWasNotRegisteredChangesNothing)
{
    InterceptionRig rig;
    JournalClient a("a", rig.journal, PassNone, 1), stranger("s", rig.journal, PassNone, 2);
    ASSERT_FALSE(rig.subclass.InterceptMessage(a, rig.window, kWmTimer));
    EXPECT_FALSE(rig.subclass.ReleaseMessage(stranger, rig.window, kWmTimer));
    EXPECT_FALSE(rig.subclass.ReleaseMessage(a, rig.window, kWmPaint));
    EXPECT_FALSE(rig.subclass.ReleaseMessage(a, 0xdead, kWmTimer));
    EXPECT_TRUE(rig.windows.IsHooked(rig.window));
    EXPECT_EQ(rig.windows.Send(rig.window, kWmTimer), 1);
}

TEST(Interception, ClientReleasedDuringDispatchIsNotCalled)
{
    InterceptionRig rig;
    JournalClient a("a", rig.journal, PassNone, 1), b("b", rig.journal, PassAfter, 2);
    ASSERT_FALSE(rig.subclass.InterceptMessage(a, rig.window, kWmTimer));
    ASSERT_FALSE(rig.subclass.InterceptMessage(b, rig.window, kWmTimer));
    a.onMessage = [&] { rig.subclass.ReleaseMessage(b, rig.window, kWmTimer); };
    EXPECT_EQ(rig.windows.Send(rig.window, kWmTimer), 1);
    EXPECT_EQ(rig.journal, Journal{"a:275:0:0"});
}

TEST(Interception, ClientMayHandleFurtherMessagesInsideItsWindowProc)
{
    InterceptionRig rig;
    JournalClient a("a", rig.journal, PassNone, 1);
    ASSERT_FALSE(rig.subclass.InterceptMessage(a, rig.window, kWmTimer));
    ASSERT_FALSE(rig.subclass.InterceptMessage(a, rig.window, kWmMouseMove));
    bool inner = false;
    a.onMessage = [&] {
        if (!inner) {
            inner = true;
            rig.windows.Send(rig.window, kWmMouseMove, 5);
            rig.windows.Send(rig.window, kWmPaint);
        }
    };
    rig.windows.Send(rig.window, kWmTimer);
    EXPECT_EQ(rig.journal, (Journal{"a:275:0:0", "a:512:5:0", "own:15"}));
}

TEST(Interception, EndingTheLayerGivesEveryWindowItsMessagesBack)
{
    Journal journal;
    FakeWindowSystem windows;
    const WindowHandle window = windows.AddWindow([](const WindowMessage&) { return 0; });
    JournalClient a("a", journal, PassNone, 1);
    {
        MSubclass subclass(windows);
        ASSERT_FALSE(subclass.InterceptMessage(a, window, kWmTimer));
        EXPECT_TRUE(windows.IsHooked(window));
    }
    EXPECT_FALSE(windows.IsHooked(window));
}

} // namespace
} // namespace dorvane
