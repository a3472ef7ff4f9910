#pragma once

#include "calendar/FormCalendar.h"

#include <windows.h>

namespace dorvane {

// The calendar window on Windows: the dialog template IDD_FORMCALENDAR with a small dialog
// procedure. It draws what FormCalendar holds and forwards the pointer, the buttons, the scroll bars
// and the keys to it; arrow keys move between the day cells, Enter and Space pick one, Escape and
// the close box only hide it. Each activation starts at today's month. Modeless, through
// DialogMessages.
class FormCalendarDialog : public CalendarWindow {
public:
    FormCalendarDialog(ClockState& state, TimeSource& time, AlarmDateField& field);
    ~FormCalendarDialog() override;
    FormCalendarDialog(const FormCalendarDialog&) = delete;
    FormCalendarDialog& operator=(const FormCalendarDialog&) = delete;

    FormCalendar& Logic() { return logic_; }
    HWND Handle() const { return window_; }
    // Shows the window in front; its activation brings today's month.
    void Show();

    void CalendarChanged() override;
    void HideCalendar() override { ShowWindow(window_, SW_HIDE); }

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CellProc(HWND cell, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self);
    INT_PTR Message(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT CellMessage(HWND cell, UINT message, WPARAM wParam, LPARAM lParam);
    void Initialise();
    void Command(int id, int code);
    void Scrolled(HWND bar, int code);
    bool CellKey(int cell, WPARAM key);
    void ShowCell(int cell);
    void DrawCell(const DRAWITEMSTRUCT& item) const;
    void FocusTodayOrFirst();
    HWND CellWindow(int cell) const;

    FormCalendar logic_;
    HWND window_ = nullptr;
    HFONT arial_ = nullptr;
    HFONT arialBold_ = nullptr;
};

} // namespace dorvane
