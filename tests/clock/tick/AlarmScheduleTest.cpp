#include "clock/tick/AlarmSchedule.h"
#include "tests/support/TickRig.h"

#include <gtest/gtest.h>

namespace dorvane {
namespace {

using testing::At;

AlarmSlot Alarm(const char* date, const char* hour, const char* minute, const char* ampm)
{
    AlarmSlot slot;
    slot.AlarmActivated = "1";
    slot.AlarmDate = date;
    slot.AlarmHour = hour;
    slot.AlarmMin = minute;
    slot.AlarmAMPM = ampm;
    return slot;
}

TEST(AlarmMatches, DailyDuringTheWholeMinuteOfItsTimeDatedFromItsMomentOnWithOrWithoutWeekdayUnreadableNever)
{
    const char* const kDec06 = "Sun Dec 06, 2026";
    const struct {
        const char *date, *hour, *minute, *ampm;
        LocalTime now;
        bool matches;
    } cases[] = {
        {"", "7", "05", "AM", At(7, 4, 59), false}, {"", "7", "05", "AM", At(7, 5, 59), true},
        {"", "7", "05", "AM", At(7, 6, 0), false}, {"", "7", "05", "AM", At(19, 5, 0), false},
        // The twelve-hour dial as typed.
        {"", "12", "00", "AM", At(0, 0, 0), true}, {"", "12", "30", "PM", At(12, 30, 0), true},
        {"", "07", "5", "pm", At(19, 5, 0), true}, {"", "19", "05", "AM", At(19, 5, 0), true},
        // Dated.
        {kDec06, "7", "05", "PM", At(19, 5, 0, {2026, 12, 5}), false}, {kDec06, "7", "05", "PM", At(19, 4, 59), false},
        {kDec06, "7", "05", "PM", At(19, 5, 0), true}, {kDec06, "7", "05", "PM", At(7, 5, 0, {2027, 1, 1}), true},
        {"Xyz Dec 06, 2026", "7", "05", "PM", At(19, 5, 0), true}, // the weekday is not checked
        {"2026-12-07", "7", "05", "PM", At(19, 5, 0), false},
        // Unreadable.
        {"", "x", "05", "AM", At(7, 5, 0), false}, {"", "7", "5x", "AM", At(7, 5, 0), false},
        {"", "7", "05", "XM", At(7, 5, 0), false}, {"", "25", "05", "", At(7, 5, 0), false},
        {"", "7", "60", "AM", At(7, 5, 0), false}, {"", "", "05", "AM", At(7, 5, 0), false},
        {"someday", "7", "05", "AM", At(7, 5, 0, {2040, 1, 1}), false},
        {"Sun Feb 30, 2026", "7", "05", "AM", At(7, 5, 0, {2040, 1, 1}), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AlarmMatches(Alarm(c.date, c.hour, c.minute, c.ampm), c.now), c.matches)
            << '"' << c.date << "\" " << c.hour << ":" << c.minute << " " << c.ampm << " at " << c.now.date.year
            << "-" << c.now.date.month << "-" << c.now.date.day << " " << c.now.hour << ":" << c.now.minute << ":"
            << c.now.second;
}

TEST(AlarmSchedule, SilencedRingCountIsOneMoreThanTheRingsWithoutLeavingItsRange)
{
    const std::pair<int16_t, int16_t> cases[] = {{4, 5}, {-3, -2}, {32766, 32767}, {32767, 32767}};
    for (const auto& [rings, silenced] : cases)
        EXPECT_EQ(SilencedRingCount(rings), silenced) << rings;
}

TEST(AlarmSchedule, LabelTextIsDateAndTimeAsTyped)
{
    EXPECT_EQ(AlarmLabelText(Alarm("", "7", "05", "AM")), " 7:05 AM");
    EXPECT_EQ(AlarmLabelText(Alarm("Sun Dec 06, 2026", "07", "5", "pm")), "Sun Dec 06, 2026 07:5 pm");
}

} // namespace
} // namespace dorvane
