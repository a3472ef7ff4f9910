#include "calendar/FormCalendar.h"

#include "clock/state/ClockText.h"

#include <algorithm>
#include <cassert>

namespace dorvane {

CivilDate AddMonths(CivilDate d, int months)
{
    const int64_t index = int64_t{d.year} * 12 + (d.month - 1) + months; // months since year 0
    const int64_t year = index >= 0 ? index / 12 : (index - 11) / 12;
    CivilDate shifted{static_cast<int>(year), static_cast<int>(index - year * 12) + 1, 1};
    shifted.day = std::min(d.day, DaysInMonth(shifted.year, shifted.month));
    return shifted;
}

FormCalendar::FormCalendar(ClockState& state, TimeSource& time, AlarmDateField& field, CalendarWindow& window)
    : state_(state), time_(time), field_(field), window_(window)
{
    Recompute(); // the window is not told: it is still being made
}

// Always redrawn, also when both offsets are already 0: the day may have changed since.
void FormCalendar::Reset()
{
    monthOffset_ = 0;
    yearOffset_ = 0;
    OffsetsChanged();
}

void FormCalendar::SetMonthOffset(int months)
{
    monthOffset_ = std::clamp(months, kLeastOffset, kMostOffset);
    OffsetsChanged();
}

void FormCalendar::SetYearOffset(int years)
{
    yearOffset_ = std::clamp(years, kLeastOffset, kMostOffset);
    OffsetsChanged();
}

void FormCalendar::OffsetsChanged()
{
    Recompute();
    window_.CalendarChanged();
}

// CurDate and FirstDay from today and the offsets; then every cell hidden and normal, and day 1
// onwards from the column of the first day's weekday. Today's cell, when today's month is on
// display, gets the today look.
void FormCalendar::Recompute()
{
    curDate_ = AddMonths(Today(), yearOffset_ * 12 + monthOffset_);
    firstDay_ = {curDate_.year, curDate_.month, 1};
    cells_.fill(DayCell{});
    const int days = DaysInMonth(firstDay_.year, firstDay_.month);
    for (int day = 1; day <= days; ++day)
        cells_.at(CellOfDay(day)).day = day;
    const CivilDate today = Today();
    if (curDate_ == today) {
        todayLine_ = FormatAlarmDate(today);
        cells_.at(CellOfDay(today.day)).look = CellLook::Today;
    }
}

CivilDate FormCalendar::CellDate(int cell) const
{
    assert(Cell(cell).Shown());
    return {curDate_.year, curDate_.month, cells_[cell].day};
}

// The month's three-letter English name, as the alarm date writes it.
std::string FormCalendar::MonthText() const { return FormatAlarmDate(curDate_).substr(4, 3); }

std::string FormCalendar::YearText() const { return std::to_string(curDate_.year); }

void FormCalendar::Pick(int cell)
{
    if (!Cell(cell).Shown())
        return;
    const CivilDate picked = CellDate(cell);
    if (picked < Today())
        return;
    field_.WriteAlarmDate(state_.DateEditAlarm, FormatAlarmDate(picked));
    Close();
}

void FormCalendar::ShowPassed()
{
    for (DayCell& each : cells_)
        if (each.look != CellLook::Today)
            each.look = CellLook::Passed;
}

void FormCalendar::PointerOverCell(int cell)
{
    ShowPassed();
    if (cells_.at(cell).look != CellLook::Today)
        cells_[cell].look = CellLook::Pointed;
    window_.CalendarChanged();
}

void FormCalendar::PointerOverBackground()
{
    ShowPassed();
    window_.CalendarChanged();
}

void FormCalendar::ButtonDown(int cell)
{
    cells_.at(cell).bold = true;
    window_.CalendarChanged();
}

void FormCalendar::ButtonUp(int cell)
{
    cells_.at(cell).bold = false;
    window_.CalendarChanged();
}

} // namespace dorvane
