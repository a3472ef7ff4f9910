#include "calendar/win32/FormCalendarDialog.h"

#include "calendar/win32/FormCalendarDialogIds.h"
#include "clock/state/ClockText.h"
#include "options/win32/AccessibleName.h"
#include "platform/win32/DialogMessages.h"
#include "platform/win32/WideText.h"

#include <commctrl.h>

#include <cassert>

namespace dorvane {
namespace {

// The dialog's own font in Arial, regular or bold, for the day cells and the headings.
HFONT ArialLike(HWND window, bool bold)
{
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof font, &font);
    lstrcpynW(font.lfFaceName, L"Arial", LF_FACESIZE);
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    return CreateFontIndirectW(&font);
}

int CellOf(int id) { return id - IDC_Label30; }
bool IsCell(int id) { return CellOf(id) >= 0 && CellOf(id) < FormCalendar::kCells; }

} // namespace

FormCalendarDialog::FormCalendarDialog(ClockState& state, TimeSource& time, AlarmDateField& field)
    : logic_(state, time, field, *this)
{
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
    CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_FORMCALENDAR), nullptr, DialogProc,
                       reinterpret_cast<LPARAM>(this));
    assert(window_ && "the calendar's template is linked into every program with the views");
    DialogMessages::Add(window_);
    CalendarChanged();
}

FormCalendarDialog::~FormCalendarDialog()
{
    DialogMessages::Remove(window_);
    HWND closing = window_;
    window_ = nullptr;
    DestroyWindow(closing);
    DeleteObject(arial_);
    DeleteObject(arialBold_);
}

void FormCalendarDialog::Show()
{
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
}

INT_PTR CALLBACK FormCalendarDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        auto* self = reinterpret_cast<FormCalendarDialog*>(lParam);
        self->window_ = window;
        self->Initialise();
        return FALSE;
    }
    auto* self = reinterpret_cast<FormCalendarDialog*>(GetWindowLongPtrW(window, DWLP_USER));
    return self && self->window_ == window ? self->Message(message, wParam, lParam) : FALSE;
}

// The scroll bars' ranges, the cells' own mouse and keys, the fonts.
void FormCalendarDialog::Initialise()
{
    arial_ = ArialLike(window_, false);
    arialBold_ = ArialLike(window_, true);
    for (int id : {IDC_HScroll1, IDC_HScroll2})
        SetScrollRange(GetDlgItem(window_, id), SB_CTL, FormCalendar::kLeastOffset, FormCalendar::kMostOffset, FALSE);
    for (int id : {IDC_Label2, IDC_Label4, IDC_Label10, IDC_Label11, IDC_Label12, IDC_Label13, IDC_Label14, IDC_Label15, IDC_Label16})
        SendDlgItemMessageW(window_, id, WM_SETFONT, reinterpret_cast<WPARAM>(arialBold_), FALSE);
    for (int cell = 0; cell < FormCalendar::kCells; ++cell)
        SetWindowSubclass(CellWindow(cell), CellProc, 0, reinterpret_cast<DWORD_PTR>(this));
    SetAccessibleName(GetDlgItem(window_, IDC_HScroll1), "Month");
    SetAccessibleName(GetDlgItem(window_, IDC_HScroll2), "Year");
    SetWindowTextW(window_, Widen(FormCalendar::kTitle).c_str());
}

INT_PTR FormCalendarDialog::Message(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND: Command(LOWORD(wParam), HIWORD(wParam)); return TRUE;
    case WM_CLOSE: logic_.Close(); return TRUE;
    case WM_HSCROLL: Scrolled(reinterpret_cast<HWND>(lParam), LOWORD(wParam)); return TRUE;
    case WM_DRAWITEM: DrawCell(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
    case WM_MOUSEMOVE: logic_.PointerOverBackground(); return FALSE;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE)
            return FALSE;
        logic_.Activated();
        FocusTodayOrFirst();
        return TRUE; // the focus is set
    default: return FALSE;
    }
}

void FormCalendarDialog::Command(int id, int code)
{
    if (id == IDCANCEL)
        logic_.Close();
    else if (id == IDC_Command1 && code == BN_CLICKED)
        logic_.Reset();
    else if (IsCell(id) && code == BN_CLICKED)
        logic_.Pick(CellOf(id));
}

// A step of one month or year at either arrow or beside the thumb, or wherever the thumb is taken.
void FormCalendarDialog::Scrolled(HWND bar, int code)
{
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(bar, SB_CTL, &info);
    int value = info.nPos;
    switch (code) {
    case SB_LINELEFT:
    case SB_PAGELEFT: --value; break;
    case SB_LINERIGHT:
    case SB_PAGERIGHT: ++value; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: value = info.nTrackPos; break;
    case SB_LEFT: value = info.nMin; break;
    case SB_RIGHT: value = info.nMax; break;
    default: return;
    }
    if (bar == GetDlgItem(window_, IDC_HScroll1))
        logic_.SetMonthOffset(value);
    else
        logic_.SetYearOffset(value);
}

LRESULT CALLBACK FormCalendarDialog::CellProc(HWND cell, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self)
{
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(cell, CellProc, 0);
    return reinterpret_cast<FormCalendarDialog*>(self)->CellMessage(cell, message, wParam, lParam);
}

// A click is a press and a release on the same cell (the button tells it); the pointer over a cell
// is not over the background.
LRESULT FormCalendarDialog::CellMessage(HWND cellWindow, UINT message, WPARAM wParam, LPARAM lParam)
{
    const int cell = CellOf(GetDlgCtrlID(cellWindow));
    if (!window_)
        return DefSubclassProc(cellWindow, message, wParam, lParam);
    switch (message) {
    case WM_MOUSEMOVE: logic_.PointerOverCell(cell); break;
    case WM_LBUTTONDOWN: logic_.ButtonDown(cell); break;
    case WM_LBUTTONUP: logic_.ButtonUp(cell); break;
    case WM_GETDLGCODE: {
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        const bool enter = key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN;
        return DefSubclassProc(cellWindow, message, wParam, lParam) | DLGC_WANTARROWS | (enter ? DLGC_WANTMESSAGE : 0);
    }
    case WM_KEYDOWN:
        if (CellKey(cell, wParam))
            return 0;
        break;
    default: break;
    }
    return DefSubclassProc(cellWindow, message, wParam, lParam);
}

// Arrows move to the next shown cell in their direction; Enter picks (Space clicks the button).
bool FormCalendarDialog::CellKey(int cell, WPARAM key)
{
    if (key == VK_RETURN) {
        logic_.Pick(cell);
        return true;
    }
    const int step = key == VK_LEFT ? -1 : key == VK_RIGHT ? 1 : key == VK_UP ? -FormCalendar::kColumns
                   : key == VK_DOWN ? FormCalendar::kColumns : 0;
    if (step == 0)
        return false;
    const int next = cell + step;
    if (next >= 0 && next < FormCalendar::kCells && logic_.Cell(next).Shown())
        SetFocus(CellWindow(next));
    return true;
}

void FormCalendarDialog::CalendarChanged()
{
    if (!window_)
        return;
    SetDlgItemTextW(window_, IDC_Label2, Widen(logic_.MonthText()).c_str());
    SetDlgItemTextW(window_, IDC_Label4, Widen(logic_.YearText()).c_str());
    SetDlgItemTextW(window_, IDC_Label5, Widen(logic_.TodayLine()).c_str());
    SetScrollPos(GetDlgItem(window_, IDC_HScroll1), SB_CTL, logic_.MonthOffset(), TRUE);
    SetScrollPos(GetDlgItem(window_, IDC_HScroll2), SB_CTL, logic_.YearOffset(), TRUE);
    for (int cell = 0; cell < FormCalendar::kCells; ++cell)
        ShowCell(cell);
}

// The cell's day as its caption, the whole date as its accessible name; a hidden cell takes no focus.
void FormCalendarDialog::ShowCell(int cell)
{
    const DayCell& values = logic_.Cell(cell);
    HWND cellWindow = CellWindow(cell);
    ShowWindow(cellWindow, values.Shown() ? SW_SHOWNA : SW_HIDE);
    if (!values.Shown())
        return;
    SetWindowTextW(cellWindow, std::to_wstring(values.day).c_str());
    SetAccessibleName(cellWindow, FormatLongDate(logic_.CellDate(cell)));
    InvalidateRect(cellWindow, nullptr, FALSE);
}

void FormCalendarDialog::DrawCell(const DRAWITEMSTRUCT& item) const
{
    const DayCell& values = logic_.Cell(CellOf(static_cast<int>(item.CtlID)));
    RECT box = item.rcItem;
    FillRect(item.hDC, &box, GetSysColorBrush(values.look == CellLook::Today ? COLOR_3DLIGHT : COLOR_BTNFACE));
    if (!values.Shown())
        return;
    const COLORREF text[] = {RGB(0, 0, 64), GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_HIGHLIGHT), RGB(255, 0, 0)};
    SetTextColor(item.hDC, text[static_cast<int>(values.look)]);
    SetBkMode(item.hDC, TRANSPARENT);
    const HGDIOBJ was = SelectObject(item.hDC, values.bold ? arialBold_ : arial_);
    const std::wstring day = std::to_wstring(values.day);
    DrawTextW(item.hDC, day.c_str(), -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(item.hDC, was);
    if (item.itemState & ODS_FOCUS)
        DrawFocusRect(item.hDC, &box);
}

void FormCalendarDialog::FocusTodayOrFirst()
{
    for (int cell = 0; cell < FormCalendar::kCells; ++cell)
        if (logic_.Cell(cell).look == CellLook::Today) {
            SetFocus(CellWindow(cell));
            return;
        }
    SetFocus(CellWindow(logic_.CellOfDay(1)));
}

HWND FormCalendarDialog::CellWindow(int cell) const { return GetDlgItem(window_, IDC_Label30 + cell); }

} // namespace dorvane
