#include "popup/win32/AlarmPopupWindow.h"

#include "clock/window/win32/PictureBitmap.h"
#include "platform/win32/ProgramWindow.h"
#include "platform/win32/WideText.h"

#include <commctrl.h>

#include <string>

namespace dorvane {
namespace {

constexpr const wchar_t* kClassName = L"DorvaneAlarmPopup";
// Sent to itself by Destroy, so that the window goes once the message that asked for it is done.
constexpr UINT kDestroyLater = WM_APP + 1;
constexpr COLORREF kSnoozeColour = RGB(0xb3, 0x26, 0x1e);
// Layout in pixels.
constexpr int kMargin = 8, kDecoration = 48, kButton = 23, kTextWidth = 260, kLineHeight = 20, kTextHeight = 80;

HFONT ArialFont(int weight)
{
    HDC screen = ::GetDC(nullptr);
    const int height = -::MulDiv(11, ::GetDeviceCaps(screen, LOGPIXELSY), 72);
    ::ReleaseDC(nullptr, screen);
    return ::CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, L"Arial");
}

// A text box breaks lines at carriage return and line feed only.
std::wstring WithWindowsLineEnds(const std::string& text)
{
    std::wstring wide;
    for (wchar_t c : Widen(text)) {
        if (c == L'\n' && (wide.empty() || wide.back() != L'\r'))
            wide += L'\r';
        wide += c;
    }
    return wide;
}

} // namespace

AlarmPopupWindow::AlarmPopupWindow(ClockState& state, PopupLinks links, TimeSource& time,
                                   const AlarmPopupRequest& request, const Pictures& pictures)
    : logic_(state, links, *this, request), time_(time), pictures_(pictures)
{
    RegisterWindowClass(kClassName, 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    const int left = 2 * kMargin + kDecoration;
    RECT frame{0, 0, left + kTextWidth + kMargin, 3 * kMargin + kLineHeight + kTextHeight + kButton + kMargin};
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    ::AdjustWindowRectEx(&frame, style, FALSE, WS_EX_TOPMOST);
    window_ = ::CreateWindowExW(WS_EX_TOPMOST, kClassName, Widen(request.caption).c_str(), style, CW_USEDEFAULT,
                                CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                ::GetModuleHandleW(nullptr), nullptr);
    HandMessagesTo(window_, this, &Procedure);
    font_ = ArialFont(FW_NORMAL);
    bold_ = ArialFont(FW_BOLD);
    MakeControls(request);
    ::SetTimer(window_, kTimer1, kTimer1Milliseconds, nullptr);
    ::ShowWindow(window_, SW_SHOWNOACTIVATE);
}

AlarmPopupWindow::~AlarmPopupWindow()
{
    ::DeleteObject(font_);
    ::DeleteObject(bold_);
}

HWND AlarmPopupWindow::Child(const wchar_t* type, const std::wstring& text, DWORD style, Control id, RECT place)
{
    HWND child = ::CreateWindowExW(0, type, text.c_str(), WS_CHILD | style, place.left, place.top, place.right,
                                   place.bottom, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr,
                                   nullptr);
    ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(id == Label2 ? bold_ : font_), FALSE);
    return child;
}

// Places are (left, top, width, height).
void AlarmPopupWindow::MakeControls(const AlarmPopupRequest& request)
{
    const int left = 2 * kMargin + kDecoration, buttonsTop = 2 * kMargin + kLineHeight + kTextHeight + kMargin;
    const int snoozeWidth = 70;
    Child(L"STATIC", L"Alarm", WS_VISIBLE | SS_OWNERDRAW, Image1, {kMargin, kMargin, kDecoration, kDecoration});
    Child(L"STATIC", Widen(request.label), WS_VISIBLE | SS_LEFT | SS_NOPREFIX, Label1,
          {left, kMargin, kTextWidth - snoozeWidth, kLineHeight});
    Child(L"STATIC", L"Snooze", SS_RIGHT, Label2, {left + kTextWidth - snoozeWidth, kMargin, snoozeWidth, kLineHeight});
    Child(L"EDIT", WithWindowsLineEnds(request.message),
          WS_VISIBLE | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, Text1,
          {left, 2 * kMargin + kLineHeight, kTextWidth, kTextHeight});
    INITCOMMONCONTROLSEX common{sizeof common, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&common);
    tips_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, window_,
                              nullptr, nullptr, nullptr);
    const struct { Control id; const wchar_t* tip; } buttons[] = {
        {ImageSnooze, L"Snooze"}, {ImageReset, L"Reset - Stop and Clear this Alarm Data"}, {ImageClose, L"Close"}};
    int x = left + kTextWidth - 3 * kButton;
    for (const auto& b : buttons) {
        HWND button = Child(L"BUTTON", b.tip, WS_VISIBLE | BS_OWNERDRAW, b.id, {x, buttonsTop, kButton, kButton});
        TTTOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = window_;
        tool.uId = reinterpret_cast<UINT_PTR>(button);
        tool.lpszText = const_cast<wchar_t*>(b.tip);
        ::SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        x += kButton;
    }
    // The strip that holds the buttons lies behind them; the pointer passes through it.
    HWND strip = Child(L"STATIC", L"Picture1", WS_VISIBLE | WS_CLIPSIBLINGS | SS_OWNERDRAW, Picture1,
                       {left, buttonsTop, kTextWidth, kButton});
    ::SetWindowPos(strip, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void AlarmPopupWindow::ShowAgain()
{
    ::SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void AlarmPopupWindow::ShowSnoozeLabel() { ::ShowWindow(::GetDlgItem(window_, Label2), SW_SHOWNA); }

void AlarmPopupWindow::StopTimer() { ::KillTimer(window_, kTimer1); }

void AlarmPopupWindow::Destroy()
{
    if (destroying_)
        return;
    destroying_ = true;
    StopTimer();
    ::ShowWindow(window_, SW_HIDE);
    ::PostMessageW(window_, kDestroyLater, 0, 0);
}

LRESULT CALLBACK AlarmPopupWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = ObjectOf<AlarmPopupWindow>(window);
    return self ? self->Handle(message, wParam, lParam) : ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT AlarmPopupWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED)
            Clicked(LOWORD(wParam));
        return 0;
    case WM_TIMER:
        if (wParam == kTimer1)
            logic_.TimerFired(time_.Now(), time_.MonotonicSeconds());
        return 0;
    case WM_DRAWITEM:
        DrawPicture(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_CTLCOLORSTATIC:
        if (reinterpret_cast<HWND>(lParam) == ::GetDlgItem(window_, Label2)) {
            ::SetTextColor(reinterpret_cast<HDC>(wParam), kSnoozeColour);
            ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
        }
        break;
    case WM_CLOSE: // the close box: every way of closing ends in the logic's Close
        logic_.Close();
        return 0;
    case kDestroyLater:
        ::DestroyWindow(window_);
        return 0;
    case WM_NCDESTROY: {
        const HWND window = window_;
        ForgetObject(window);
        delete this;
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    default:
        break;
    }
    return ::DefWindowProcW(window_, message, wParam, lParam);
}

void AlarmPopupWindow::Clicked(int id)
{
    if (id == ImageClose)
        logic_.CloseClicked();
    else if (id == ImageReset)
        logic_.ResetClicked();
    else if (id == ImageSnooze)
        logic_.SnoozeClicked(time_.Now(), time_.MonotonicSeconds());
}

void AlarmPopupWindow::DrawPicture(const DRAWITEMSTRUCT& item)
{
    ::FillRect(item.hDC, &item.rcItem, ::GetSysColorBrush(COLOR_BTNFACE));
    if (item.CtlID == Picture1)
        return;
    const HBITMAP picture = item.CtlID == Image1        ? pictures_.decoration
                            : item.CtlID == ImageClose  ? pictures_.close
                            : item.CtlID == ImageReset  ? pictures_.reset
                                                        : pictures_.snooze;
    const int inset = item.CtlID == Image1 ? 0 : (kButton - 19) / 2;
    const int pushed = (item.itemState & ODS_SELECTED) ? 1 : 0;
    dorvane::DrawPicture(item.hDC, picture, inset + pushed, inset + pushed);
}

} // namespace dorvane
