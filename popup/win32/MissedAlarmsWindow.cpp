#include "popup/win32/MissedAlarmsWindow.h"

#include "platform/win32/ProgramWindow.h"
#include "platform/win32/WideText.h"

#include <string>

namespace dorvane {
namespace {

constexpr const wchar_t* kClassName = L"DorvaneMissedAlarms";
constexpr int kMargin = 8, kWidth = 320, kListHeight = 100, kLine = 20, kButtonWidth = 80, kButtonHeight = 25;

// "7:05 AM  Wake up": a daily alarm's line starts with a blank, which the list does without.
std::wstring Line(const MissedAlarm& alarm)
{
    std::string label = alarm.label;
    label.erase(0, label.find_first_not_of(' '));
    label.erase(label.find_last_not_of(' ') + 1);
    return Widen(alarm.message.empty() ? label : label + "  " + alarm.message);
}

} // namespace

MissedAlarmsWindow::MissedAlarmsWindow()
{
    RegisterWindowClass(kClassName, 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    RECT frame{0, 0, 2 * kMargin + kWidth, 4 * kMargin + kLine + kListHeight + kButtonHeight};
    ::AdjustWindowRectEx(&frame, style, FALSE, WS_EX_TOPMOST);
    window_ = ::CreateWindowExW(WS_EX_TOPMOST, kClassName, L"Missed alarms", style, CW_USEDEFAULT, CW_USEDEFAULT,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                ::GetModuleHandleW(nullptr), nullptr);
    HandMessagesTo(window_, this, &Procedure);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    font_ = ::CreateFontIndirectW(&metrics.lfMessageFont);
    const struct { const wchar_t* type; const wchar_t* text; DWORD style; Control id; RECT place; } controls[] = {
        {L"STATIC", L"These alarms came due too long ago to ring:", SS_LEFT, LabelMissedAlarms,
         {kMargin, kMargin, kWidth, kLine}},
        {L"LISTBOX", L"Missed alarms", WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOSEL, ListMissedAlarms,
         {kMargin, 2 * kMargin + kLine, kWidth, kListHeight}},
        {L"BUTTON", L"Close", BS_DEFPUSHBUTTON | WS_TABSTOP, ButtonCloseMissed,
         {kMargin + kWidth - kButtonWidth, 3 * kMargin + kLine + kListHeight, kButtonWidth, kButtonHeight}},
    };
    for (const auto& c : controls) {
        HWND child = ::CreateWindowExW(0, c.type, c.text, WS_CHILD | WS_VISIBLE | c.style, c.place.left, c.place.top,
                                       c.place.right, c.place.bottom, window_,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), nullptr, nullptr);
        ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    }
}

MissedAlarmsWindow::~MissedAlarmsWindow()
{
    ForgetObject(window_);
    ::DestroyWindow(window_);
    ::DeleteObject(font_);
}

void MissedAlarmsWindow::Add(const std::vector<MissedAlarm>& alarms)
{
    const HWND list = ::GetDlgItem(window_, ListMissedAlarms);
    for (const MissedAlarm& alarm : alarms)
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Line(alarm).c_str()));
    ::SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void MissedAlarmsWindow::Close()
{
    ::ShowWindow(window_, SW_HIDE);
    ::SendDlgItemMessageW(window_, ListMissedAlarms, LB_RESETCONTENT, 0, 0);
}

LRESULT CALLBACK MissedAlarmsWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = ObjectOf<MissedAlarmsWindow>(window);
    return self ? self->Handle(message, wParam, lParam) : ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT MissedAlarmsWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE || (message == WM_COMMAND && LOWORD(wParam) == ButtonCloseMissed)) {
        Close();
        return 0;
    }
    return ::DefWindowProcW(window_, message, wParam, lParam);
}

} // namespace dorvane
