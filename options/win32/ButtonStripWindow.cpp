#include "options/win32/ButtonStripWindow.h"

#include "clock/window/win32/PictureBitmap.h"
#include "options/ButtonStripLayout.h"
#include "platform/win32/ProgramWindow.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cmath>

namespace dorvane {
namespace {

constexpr const wchar_t* kClassName = L"DorvaneButtonStrip";
// The strip's colours: a slate gradient from top to bottom, and lines of white at 70/255 over it.
constexpr int kTop[3] = {74, 84, 99};
constexpr int kBottom[3] = {43, 49, 59};
constexpr int kLineAlpha = 70;

COLORREF GradientAt(int y, int height, int towardWhite = 0)
{
    int c[3];
    for (int i = 0; i < 3; ++i) {
        c[i] = kTop[i] + (kBottom[i] - kTop[i]) * y / (height > 1 ? height - 1 : 1);
        c[i] += (255 - c[i]) * towardWhite / 255;
    }
    return RGB(c[0], c[1], c[2]);
}

// Fills area (whose top is at stripTop in the strip) with the strip's gradient, row by row.
void FillGradient(HDC dc, const RECT& area, int stripTop, int stripHeight)
{
    for (int y = area.top; y < area.bottom; ++y) {
        HBRUSH brush = ::CreateSolidBrush(GradientAt(stripTop + y, stripHeight));
        const RECT row{area.left, y, area.right, y + 1};
        ::FillRect(dc, &row, brush);
        ::DeleteObject(brush);
    }
}

int Pixels(double twips, double twipsPerPixel) { return static_cast<int>(std::lround(twips / twipsPerPixel)); }

} // namespace

ButtonStripWindow::ButtonStripWindow(ButtonStripActions& actions, const Screen& screen, Pictures pictures)
    : screen_(screen), strip_(actions, ButtonStripLayout::WidthTwips(screen), ButtonStripLayout::HeightTwips(screen)),
      pictures_(pictures)
{
    RegisterWindowClass(kClassName);
    const int width = Pixels(ButtonStripLayout::WidthTwips(screen), screen.TwipsPerPixelX());
    const int height = Pixels(ButtonStripLayout::HeightTwips(screen), screen.TwipsPerPixelY());
    window_ = ::CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kClassName, L"Dorvane", WS_POPUP,
                                0, 0, width, height, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    HandMessagesTo(window_, this, &Procedure);
    // The system owns the region from here on.
    ::SetWindowRgn(window_, ::CreateRoundRectRgn(0, 0, width, height, 5, 5), TRUE);
    MakeControls();
    AddToolTips();
}

ButtonStripWindow::~ButtonStripWindow()
{
    ForgetObject(window_);
    ::DestroyWindow(tips_);
    ::DestroyWindow(window_);
    for (HBITMAP picture : {pictures_.close, pictures_.options, pictures_.drag})
        if (picture)
            ::DeleteObject(picture);
}

void ButtonStripWindow::MakeControls()
{
    const struct { Control id; const wchar_t* caption; ButtonStripLayout::Box box; } controls[] = {
        {ImageClose, L"Close", ButtonStripLayout::Close()},
        {Image2, L"About & Options", ButtonStripLayout::Options()},
        {Image3, L"Drag", ButtonStripLayout::Drag()},
    };
    for (const auto& c : controls)
        ::CreateWindowExW(0, L"STATIC", c.caption, WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, c.box.left, c.box.top,
                          c.box.width, c.box.height, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)),
                          nullptr, nullptr);
    RECT client;
    ::GetClientRect(window_, &client);
    for (int line : {1, 2})
        ::CreateWindowExW(0, L"STATIC", line == 1 ? L"Line1" : L"Line2", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW,
                          ButtonStripLayout::kMargin, ButtonStripLayout::LineY(line),
                          client.right - 2 * ButtonStripLayout::kMargin, 1, window_,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(line == 1 ? Line1 : Line2)), nullptr, nullptr);
}

// The tool tips name each picture when the pointer rests on it.
void ButtonStripWindow::AddToolTips()
{
    INITCOMMONCONTROLSEX common{sizeof common, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&common);
    tips_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, window_,
                              nullptr, nullptr, nullptr);
    const struct { const wchar_t* tip; ButtonStripLayout::Box box; } tools[] = {
        {L"Close", ButtonStripLayout::Close()},
        {L"About & Options", ButtonStripLayout::Options()},
        {L"Drag", ButtonStripLayout::Drag()},
    };
    UINT_PTR id = 0;
    for (const auto& t : tools) {
        TTTOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = window_;
        tool.uId = ++id;
        tool.rect = {t.box.left, t.box.top, t.box.left + t.box.width, t.box.top + t.box.height};
        tool.lpszText = const_cast<wchar_t*>(t.tip);
        ::SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void ButtonStripWindow::Show() { ::ShowWindow(window_, SW_SHOWNOACTIVATE); }

void ButtonStripWindow::Hide() { ::ShowWindow(window_, SW_HIDE); }

void ButtonStripWindow::MoveTo(int x, int y)
{
    ::SetWindowPos(window_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK ButtonStripWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = ObjectOf<ButtonStripWindow>(window);
    return self ? self->Handle(message, wParam, lParam) : ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT ButtonStripWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_DRAWITEM:
        DrawControl(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_LBUTTONDOWN:
        ButtonDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_MOUSEMOVE:
        PointerMoved(wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONUP:
        ButtonUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    default:
        return ::DefWindowProcW(window_, message, wParam, lParam);
    }
}

void ButtonStripWindow::Paint()
{
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(window_, &paint);
    RECT client;
    ::GetClientRect(window_, &client);
    FillGradient(dc, client, 0, client.bottom);
    ::EndPaint(window_, &paint);
}

// Each picture over the strip's gradient; each line a row of the gradient lightened.
void ButtonStripWindow::DrawControl(const DRAWITEMSTRUCT& item)
{
    RECT client;
    ::GetClientRect(window_, &client);
    RECT inStrip = item.rcItem;
    ::MapWindowPoints(item.hwndItem, window_, reinterpret_cast<POINT*>(&inStrip), 2);
    if (item.CtlID == Line1 || item.CtlID == Line2) {
        HBRUSH brush = ::CreateSolidBrush(GradientAt(inStrip.top, client.bottom, kLineAlpha));
        ::FillRect(item.hDC, &item.rcItem, brush);
        ::DeleteObject(brush);
        return;
    }
    FillGradient(item.hDC, item.rcItem, inStrip.top, client.bottom);
    const HBITMAP picture = item.CtlID == ImageClose ? pictures_.close
                            : item.CtlID == Image2   ? pictures_.options
                                                     : pictures_.drag;
    DrawPicture(item.hDC, picture, 0, 0);
}

void ButtonStripWindow::ButtonDown(int x, int y)
{
    const auto drag = ButtonStripLayout::Drag();
    dragging_ = drag.Contains(x, y);
    if (!dragging_)
        return;
    ::SetCapture(window_);
    strip_.DragPressed((x - drag.left) * screen_.TwipsPerPixelX(), (y - drag.top) * screen_.TwipsPerPixelY());
}

void ButtonStripWindow::PointerMoved(WPARAM buttons, int x, int y)
{
    strip_.PointerMoved();
    const auto drag = ButtonStripLayout::Drag();
    if (dragging_ && (buttons & MK_LBUTTON))
        strip_.DragMoved((x - drag.left) * screen_.TwipsPerPixelX(), (y - drag.top) * screen_.TwipsPerPixelY());
}

void ButtonStripWindow::ButtonUp(int x, int y)
{
    if (dragging_) {
        dragging_ = false;
        ::ReleaseCapture();
        strip_.DragReleased(screen_.WidthPixels() * screen_.TwipsPerPixelX(),
                            screen_.HeightPixels() * screen_.TwipsPerPixelY());
    } else if (ButtonStripLayout::Options().Contains(x, y)) {
        strip_.OptionsClicked();
    } else if (ButtonStripLayout::Close().Contains(x, y)) {
        strip_.CloseClicked();
    }
}

} // namespace dorvane
