#include "options/win32/ButtonStripWindow.h"

#include "options/ButtonStripLayout.h"
#include "tests/support/Fakes.h"
#include "tests/support/Win32Testing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dorvane {
namespace {

LPARAM At(ButtonStripLayout::Box box, int dx = 0, int dy = 0) { return MAKELPARAM(box.left + 2 + dx, box.top + 2 + dy); }

TEST(ButtonStripWindow, ItsNamedPicturesOpenTheOptionsCloseTheClockAndDragItAlong)
{
    testing::RecordingStripActions clock{{1500, 1500, 1935, 1920}};
    const testing::FakeScreen screen;
    ButtonStripWindow strip(clock, screen, {});
    strip.Logic().Place();
    const struct { int id; const char* caption; } controls[] = {
        {ButtonStripWindow::ImageClose, "Close"}, {ButtonStripWindow::Image2, "About & Options"},
        {ButtonStripWindow::Image3, "Drag"}, {ButtonStripWindow::Line1, "Line1"}, {ButtonStripWindow::Line2, "Line2"}};
    for (const auto& c : controls)
        EXPECT_EQ(testing::TextOf(strip.Handle(), c.id), c.caption);
    RECT rounded;
    EXPECT_EQ(::GetWindowRgnBox(strip.Handle(), &rounded), COMPLEXREGION);

    const struct { UINT message; WPARAM wParam; LPARAM at; std::vector<std::string> events; } cases[] = {
        {WM_LBUTTONUP, 0, At(ButtonStripLayout::Options()), {"hide", "options"}},
        {WM_LBUTTONUP, 0, At(ButtonStripLayout::Close()), {"close"}},
        {WM_LBUTTONDOWN, MK_LBUTTON, At(ButtonStripLayout::Drag()), {}},
        {WM_MOUSEMOVE, MK_LBUTTON, At(ButtonStripLayout::Drag(), 10, 4), {"moved"}},
        {WM_LBUTTONUP, 0, At(ButtonStripLayout::Drag(), 10, 4), {}},
    };
    for (const auto& c : cases) {
        clock.events.clear();
        ::SendMessageW(strip.Handle(), c.message, c.wParam, c.at);
        EXPECT_EQ(clock.events, c.events) << c.message;
    }
    EXPECT_EQ(clock.clock.left, 1500 + 10 * 15) << "the clock followed the drag";
}

} // namespace
} // namespace dorvane
