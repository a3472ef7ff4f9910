#include "clock/window/win32/LayeredClockWindow.h"

#include "clock/window/win32/PictureBitmap.h"
#include "image/c32bppDIB.h"
#include "platform/win32/ProgramWindow.h"

#include <windowsx.h>

namespace dorvane {

LayeredClockWindow::LayeredClockWindow(ClockMouse& mouse, TimeSource& time, ClockWindowEvents& events)
    : mouse_(mouse), time_(time), events_(events)
{
    RegisterWindowClass(kClassName, CS_DBLCLKS);
    window_ = ::CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW, kClassName, L"Dorvane", WS_POPUP, 0, 0,
                                kInitialPixels, kInitialPixels, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    HandMessagesTo(window_, this, &Procedure);
}

LayeredClockWindow::~LayeredClockWindow()
{
    if (window_) {
        ForgetObject(window_);
        ::DestroyWindow(window_);
    }
}

// The whole picture goes to the window system at every update; the window keeps it and shows it
// until the next one, so there is nothing to paint in between.
void LayeredClockWindow::Present(const c32bppDIB& face, uint8_t alpha)
{
    HBITMAP bitmap = SurfaceBitmap(face);
    if (!bitmap)
        return;
    HDC source = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(source, bitmap);
    SIZE size{face.Width(), face.Height()};
    POINT origin{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
    ::UpdateLayeredWindow(window_, nullptr, nullptr, &size, source, &origin, 0, &blend, ULW_ALPHA);
    ::SelectObject(source, old);
    ::DeleteDC(source);
    ::DeleteObject(bitmap);
}

void LayeredClockWindow::SizeToDial(int width, int height)
{
    ::SetWindowPos(window_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void LayeredClockWindow::Show() { ::ShowWindow(window_, SW_SHOWNOACTIVATE); }

void LayeredClockWindow::Hide() { ::ShowWindow(window_, SW_HIDE); }

void LayeredClockWindow::BringToFront()
{
    ::ShowWindow(window_, SW_SHOW);
    ::SetForegroundWindow(window_);
    ::BringWindowToTop(window_);
}

bool LayeredClockWindow::IsShown() const { return ::IsWindowVisible(window_) != FALSE; }

void LayeredClockWindow::MoveTo(int x, int y)
{
    ::SetWindowPos(window_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT LayeredClockWindow::Frame() const
{
    RECT frame{};
    ::GetWindowRect(window_, &frame);
    return frame;
}

void LayeredClockWindow::SetTopMost(bool onTop)
{
    ::SetWindowPos(window_, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void LayeredClockWindow::SetEnabled(bool enabled) { ::EnableWindow(window_, enabled); }

void LayeredClockWindow::SetIcon(HICON big, HICON small)
{
    ::SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    ::SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

LRESULT CALLBACK LayeredClockWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = ObjectOf<LayeredClockWindow>(window);
    return self ? self->Handle(message, wParam, lParam) : ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT LayeredClockWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP:
    case WM_MOUSEMOVE: case WM_LBUTTONDBLCLK:
        MouseEvent(message, wParam, lParam);
        return 0;
    case WM_CLOSE:
        events_.CloseRequested();
        return 0;
    case WM_QUERYENDSESSION:
        events_.SessionEnding(false);
        return TRUE;
    case WM_ENDSESSION:
        if (wParam)
            events_.SessionEnding(true);
        return 0;
    case WM_POWERBROADCAST:
        if (wParam == PBT_APMRESUMEAUTOMATIC)
            events_.ComputerWoke();
        return TRUE;
    default:
        return ::DefWindowProcW(window_, message, wParam, lParam);
    }
}

// The pointer is held by the window while a button is down, so that a fast drag does not lose it.
void LayeredClockWindow::MouseEvent(UINT message, WPARAM wParam, LPARAM lParam)
{
    const double x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    switch (message) {
    case WM_MOUSEMOVE:
        mouse_.Move((wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == MK_LBUTTON, x, y,
                    time_.Now().SecondsSinceMidnight());
        break;
    case WM_LBUTTONDBLCLK:
        mouse_.DoubleClick();
        break;
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP:
        ::ReleaseCapture();
        mouse_.Release();
        break;
    default:
        ::SetCapture(window_);
        mouse_.Press(x, y);
        break;
    }
}

} // namespace dorvane
