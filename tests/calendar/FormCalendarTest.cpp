#include "calendar/FormCalendar.h"
#include "clock/tick/AlarmSchedule.h"
#include "options/Form2.h"
#include "tests/support/Fakes.h"
#include "tests/support/RecordingOptionsParts.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>

namespace dorvane {
namespace {

using namespace dorvane::testing;

// The calendar over a real options window, whose date fields take what it picks.
struct CalendarRig : AlarmDateField, CalendarWindow {
    explicit CalendarRig(LocalTime now = At(9, 0)) : time(now) { options.Open(); }
    void WriteAlarmDate(int row, const std::string& text) override { options.Alarms().Write(row, AlarmField::Date, text); }
    void CalendarChanged() override { ++redraws; }
    void HideCalendar() override { shown = false; }

    ClockState state;
    FakeTimeSource time;
    RecordingOptionsParts parts;
    Form2 options{state, parts.Parts(), parts};
    FormCalendar calendar{state, time, *this, *this};
    bool shown = true;
    int redraws = 0;
};

// One rig stepped through the rows, away from today's month and back: the shown cells are one run
// of days from 1, and only today's cell, only in today's month, has the today look.
TEST(FormCalendar, FillsTheCellsFromTheWeekdayOfTheFirstDayAndMarksOnlyToday)
{
    const struct { int months, years; int first, last; const char* monthYear; } rows[] = {
        {-4, 0, 6, 36, "Aug 2026"},   // 31 days from a Saturday
        {-10, 0, 0, 27, "Feb 2026"},  // a common February from a Sunday
        {2, 1, 2, 30, "Feb 2028"},    // a leap February from a Tuesday
        {0, 0, 2, 32, "Dec 2026"},    // today's month
        {0, -1500, 0, 30, "Dec 526"}, // the far end of the year bar
        {12, -1, 2, 32, "Dec 2026"},
    };
    CalendarRig rig(At(9, 0, 0, {2026, 12, 7}));
    for (const auto& row : rows) {
        rig.calendar.SetMonthOffset(row.months);
        rig.calendar.SetYearOffset(row.years);
        EXPECT_EQ(rig.calendar.MonthText() + " " + rig.calendar.YearText(), row.monthYear);
        const bool todaysMonth = row.months + 12 * row.years == 0;
        for (int k = 0; k < FormCalendar::kCells; ++k) {
            const DayCell& cell = rig.calendar.Cell(k);
            EXPECT_EQ(cell.day, k >= row.first && k <= row.last ? k - row.first + 1 : 0) << row.monthYear << " cell " << k;
            EXPECT_EQ(cell.look == CellLook::Today, todaysMonth && cell.day == 7) << row.monthYear << " cell " << k;
        }
    }
    EXPECT_EQ(rig.calendar.TodayLine(), "Mon Dec 07, 2026");
}

TEST(FormCalendar, StepsByCalendarMonthsAndKeepsTheDayWithinTheMonth)
{
    const struct { CivilDate today; int months, years; CivilDate curDate; } rows[] = {
        {{2026, 1, 31}, 1, 0, {2026, 2, 28}},   {{2028, 1, 31}, 1, 0, {2028, 2, 29}},
        {{2026, 3, 31}, -1, 0, {2026, 2, 28}},  {{2026, 12, 6}, 1, 0, {2027, 1, 6}},
        {{2026, 1, 6}, -1, 0, {2025, 12, 6}},   {{2028, 2, 29}, 0, 1, {2029, 2, 28}},
        {{2026, 12, 6}, 12, -1, {2026, 12, 6}}, {{2026, 12, 6}, 1600, -2000, {651, 12, 6}}, // the bars' ends
    };
    for (const auto& row : rows) {
        CalendarRig rig(At(9, 0, 0, row.today));
        rig.calendar.SetMonthOffset(row.months);
        rig.calendar.SetYearOffset(row.years);
        EXPECT_EQ(rig.calendar.CurDate(), row.curDate) << row.months << " " << row.years;
        EXPECT_EQ(rig.calendar.FirstDay(), (CivilDate{row.curDate.year, row.curDate.month, 1}));
        rig.calendar.Reset();
        EXPECT_EQ(rig.calendar.CurDate(), row.today) << "Reset";
        EXPECT_EQ(rig.calendar.MonthOffset() + rig.calendar.YearOffset(), 0);
    }
}

TEST(FormCalendar, APickFromTodayOnFillsTheRowsDateAndRearmsItsAlarm)
{
    // dayAtPick: the calendar stayed open until then; written nullptr: nothing happens and the calendar stays.
    const struct { int months; int day; std::optional<CivilDate> dayAtPick; const char* written; } rows[] = {
        {0, 7, {}, "Mon Dec 07, 2026"},           {0, 6, {}, nullptr},
        {0, 31, {}, "Thu Dec 31, 2026"},          {1, 1, {}, "Fri Jan 01, 2027"},
        {-1, 30, {}, nullptr},                    {0, 7, CivilDate{2026, 12, 8}, nullptr},
        {0, 8, CivilDate{2026, 12, 8}, "Tue Dec 08, 2026"},
    };
    for (const auto& row : rows) {
        CalendarRig rig(At(23, 59, 59, {2026, 12, 7}));
        rig.state.DateEditAlarm = 4;
        rig.options.Alarms().Write(4, AlarmField::Hour, "7");
        rig.options.Alarms().WriteActivate(4, true);
        rig.state.Alarms[4].RingCount = 3; // it has rung
        rig.calendar.SetMonthOffset(row.months);
        if (row.dayAtPick)
            rig.time.Set(At(0, 0, 1, *row.dayAtPick));
        rig.calendar.Pick(rig.calendar.CellOfDay(row.day));
        const std::string written = row.written ? row.written : "";
        // The field and the slot get the date, the alarm is re-armed and the calendar hidden.
        EXPECT_EQ(std::tuple(rig.options.Alarms().Row(4).date, rig.state.Alarms[4].AlarmDate,
                  rig.state.Alarms[4].RingCount == 0, rig.shown),
                  std::tuple(written, written, row.written != nullptr, row.written == nullptr)) << row.months << " " << row.day;
    }
}

// What the calendar writes is what the tick reads: a dated alarm for midnight is due from that
// day's first second on and not in the last second of the day before.
TEST(FormCalendar, EveryDayFrom2026To2030IsMatchedByTheTickOnThatDayOnly)
{
    CalendarRig rig(At(0, 0, 0, {2026, 1, 1}));
    AlarmSlot alarm;
    std::tie(alarm.AlarmHour, alarm.AlarmMin, alarm.AlarmAMPM) = std::tuple("12", "00", "AM");
    int days = 0;
    for (int months = 0; months < 60; ++months) {
        rig.calendar.SetMonthOffset(months);
        for (int k = 0; k < FormCalendar::kCells; ++k) {
            if (!rig.calendar.Cell(k).Shown())
                continue;
            const CivilDate day = rig.calendar.CellDate(k);
            rig.calendar.Pick(k);
            alarm.AlarmDate = rig.options.Alarms().Row(0).date;
            ASSERT_TRUE(AlarmMatches(alarm, At(0, 0, 0, day))) << alarm.AlarmDate;
            const CivilDate before = day.day > 1 ? CivilDate{day.year, day.month, day.day - 1}
                                                 : AddMonths({day.year, day.month, 31}, -1); // the month's last
            ASSERT_FALSE(AlarmMatches(alarm, At(23, 59, 59, before))) << alarm.AlarmDate;
            ++days;
        }
    }
    EXPECT_EQ(days, 365 * 5 + 1);
}

} // namespace
} // namespace dorvane
