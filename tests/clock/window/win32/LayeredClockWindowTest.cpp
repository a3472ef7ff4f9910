#include "clock/window/win32/LayeredClockWindow.h"

#include "tests/support/Fakes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dorvane {
namespace {

using namespace dorvane::testing;

struct RecordingWindowSide : RecordingMouseActions, ClockWindowEvents {
    void CloseRequested() override { events.push_back("close"); }
    void SessionEnding(bool final) override { events.push_back(final ? "session ends" : "session may end"); }
    void ComputerWoke() override { events.push_back("woke"); }
};

TEST(LayeredClockWindow, MessagesReachTheClocksLogicInTheWindowsPixelsAndTheWindowTakesTheDialsSizeAndStaysOnTop)
{
    RecordingWindowSide side;
    ClockState state;
    ClockMouse mouse(side, state);
    FakeTimeSource time{At(9, 0, 0)};
    LayeredClockWindow window(mouse, time, side);
    const struct { UINT message; WPARAM wParam; int x, y; std::vector<std::string> events; } cases[] = {
        {WM_LBUTTONDOWN, MK_LBUTTON, 10, 12, {"unload"}},
        {WM_MOUSEMOVE, MK_LBUTTON, 25, 19, {"move 15,7"}},
        {WM_LBUTTONUP, 0, 25, 19, {"unload"}},
        {WM_MOUSEMOVE, 0, 30, 30, {"show", "timer on"}},
        {WM_MOUSEMOVE, MK_LBUTTON | MK_RBUTTON, 30, 30, {"show", "timer on"}},
        {WM_RBUTTONDOWN, MK_RBUTTON, 1, 1, {"unload"}},
        {WM_LBUTTONDBLCLK, MK_LBUTTON, 1, 1, {"silence"}},
        {WM_CLOSE, 0, 0, 0, {"close"}},
        {WM_QUERYENDSESSION, 0, 0, 0, {"session may end"}},
        {WM_ENDSESSION, TRUE, 0, 0, {"session ends"}},
        {WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0, 0, {"woke"}},
        {WM_POWERBROADCAST, PBT_APMSUSPEND, 0, 0, {}},
    };
    for (const auto& c : cases) {
        side.events.clear();
        ::SendMessageW(window.Handle(), c.message, c.wParam, MAKELPARAM(c.x, c.y));
        EXPECT_EQ(side.events, c.events) << c.message;
    }
    EXPECT_TRUE(::IsWindow(window.Handle())) << "closing is the program's to do";
    // The window takes the dial's size, keeps its corner and stays on top when asked.
    window.MoveTo(70, 50);
    window.SizeToDial(129, 128);
    window.SetTopMost(true);
    const RECT frame = window.Frame();
    EXPECT_EQ((std::vector<LONG>{frame.left, frame.top, frame.right, frame.bottom}), (std::vector<LONG>{70, 50, 199, 178}));
    EXPECT_TRUE(::GetWindowLongPtrW(window.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(::GetWindowLongPtrW(window.Handle(), GWL_STYLE) & (WS_POPUP | WS_CAPTION), WS_POPUP);
}

} // namespace
} // namespace dorvane
