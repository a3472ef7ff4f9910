#pragma once

#include "clock/state/ClockState.h"
#include "platform/LocalTime.h"
#include "platform/TimeSource.h"

#include <array>
#include <string>
#include <string_view>

namespace dorvane {

// How a day cell is drawn.
enum class CellLook {
    Normal,  // navy on the window
    Passed,  // the pointer has been over the calendar: window-text colour
    Pointed, // under the pointer: highlight colour
    Today,   // red on the 3-D light colour
};

struct DayCell {
    int day = 0; // 1..31; 0 = the cell is hidden
    CellLook look = CellLook::Normal;
    bool bold = false; // the mouse button is down on it

    bool Shown() const { return day > 0; }
};

// The alarm date field of the options window's row, written as if typed, so that its change
// handler stores the date and re-arms an armed alarm.
class AlarmDateField {
public:
    virtual ~AlarmDateField() = default;
    virtual void WriteAlarmDate(int row, const std::string& text) = 0;
};

// What the calendar's logic asks of its window.
class CalendarWindow {
public:
    virtual ~CalendarWindow() = default;
    virtual void CalendarChanged() = 0;
    virtual void HideCalendar() = 0;
};

// The calendar that fills an alarm's date: one month as 37 day cells under the weekday headings
// (cell k sits in column k mod 7, Sunday first, and row k div 7), stepped by a month offset and a
// year offset from today's month. A click on a day from today on writes that date into the date
// field of the row named by DateEditAlarm and hides the calendar. "Today" is read afresh at each
// action, so a calendar left open over midnight refuses the day that has just passed.
class FormCalendar {
public:
    static constexpr std::string_view kTitle = "Calendar";
    static constexpr std::string_view kResetCaption = "Reset";
    static constexpr int kCells = 37;
    static constexpr int kColumns = 7;
    static constexpr int kLeastOffset = -1500;
    static constexpr int kMostOffset = 1500;
    // The heading of each column, Sunday first.
    static constexpr std::array<std::string_view, kColumns> kHeadings{"Su", "Mo", "Tu", "We", "Th", "Fr", "Sa"};

    FormCalendar(ClockState& state, TimeSource& time, AlarmDateField& field, CalendarWindow& window);

    // Showing the window and each return to it: today's month again.
    void Activated() { Reset(); }
    // The Reset button: both offsets back to 0, today's month.
    void Reset();
    // The scroll bars; values outside -1500..1500 take the nearest end.
    void SetMonthOffset(int months);
    void SetYearOffset(int years);
    // A click on cell k: a day from today on is written into the row's date field and the
    // calendar hides; an earlier day, or a hidden cell, does nothing.
    void Pick(int cell);
    // The close box only hides the window.
    void Close() { window_.HideCalendar(); }

    void PointerOverCell(int cell);
    void PointerOverBackground();
    void ButtonDown(int cell);
    void ButtonUp(int cell);

    int MonthOffset() const { return monthOffset_; }
    int YearOffset() const { return yearOffset_; }
    CivilDate CurDate() const { return curDate_; }
    CivilDate FirstDay() const { return firstDay_; }
    const DayCell& Cell(int cell) const { return cells_.at(cell); }
    // The date cell k shows; only for a shown cell.
    CivilDate CellDate(int cell) const;
    // The cell that shows the given day of the month on display.
    int CellOfDay(int day) const { return Weekday(firstDay_) + day - 1; }
    std::string MonthText() const;   // Label2: "Dec"
    std::string YearText() const;    // Label4: "2026"
    const std::string& TodayLine() const { return todayLine_; } // Label5: "Mon Dec 07, 2026"

private:
    CivilDate Today() { return time_.Now().date; }
    void OffsetsChanged();
    void Recompute();
    void ShowPassed();

    ClockState& state_;
    TimeSource& time_;
    AlarmDateField& field_;
    CalendarWindow& window_;
    int monthOffset_ = 0;
    int yearOffset_ = 0;
    CivilDate curDate_;
    CivilDate firstDay_;
    std::array<DayCell, kCells> cells_{};
    std::string todayLine_;
};

// The date the given number of months (negative: back) after d; a day the target month does not
// have becomes its last day.
CivilDate AddMonths(CivilDate d, int months);

} // namespace dorvane
