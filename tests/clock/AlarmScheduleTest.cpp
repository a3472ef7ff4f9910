#include "clock/AlarmSchedule.h"
#include "tests/clock/TickRig.h"

#include <gtest/gtest.h>

#include <limits>

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

TEST(AlarmMatches, DailyAlarmMatchesDuringTheWholeMinuteOfItsTime)
{
    const AlarmSlot alarm = Alarm("", "7", "05", "AM");
    const struct {
        LocalTime now;
        bool matches;
    } cases[] = {
        {At(7, 4, 59), false}, {At(7, 5, 0), true},   {At(7, 5, 59), true},
        {At(7, 6, 0), false},  {At(19, 5, 0), false}, {At(7, 5, 30, {2031, 5, 17}), true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AlarmMatches(alarm, c.now), c.matches) << c.now.hour << ":" << c.now.minute << ":" << c.now.second;
}

TEST(AlarmMatches, DailyAlarmReadsTheTwelveHourDial)
{
    const struct {
        const char *hour, *minute, *ampm;
        LocalTime at;
    } cases[] = {
        {"12", "00", "AM", At(0, 0, 0)},  {"12", "30", "PM", At(12, 30, 0)}, {"7", "5", "PM", At(19, 5, 0)},
        {"07", "05", "pm", At(19, 5, 0)}, {"19", "05", "AM", At(19, 5, 0)},  {"11", "59", "PM", At(23, 59, 0)},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(AlarmMatches(Alarm("", c.hour, c.minute, c.ampm), c.at)) << c.hour << ":" << c.minute << " " << c.ampm;
}

TEST(AlarmMatches, DatedAlarmMatchesFromItsMomentOn)
{
    const AlarmSlot alarm = Alarm("Sun Dec 06, 2026", "7", "05", "PM");
    const struct {
        LocalTime now;
        bool matches;
    } cases[] = {
        {At(19, 5, 0, {2026, 12, 5}), false}, {At(19, 4, 59), false}, {At(19, 5, 0), true},
        {At(23, 59, 59), true},               {At(0, 0, 0, {2026, 12, 7}), true},
        {At(7, 5, 0, {2027, 1, 1}), true},    {At(7, 5, 0, {2025, 12, 6}), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AlarmMatches(alarm, c.now), c.matches)
            << c.now.date.year << "-" << c.now.date.month << "-" << c.now.date.day << " " << c.now.hour << ":" << c.now.minute;
}

TEST(AlarmMatches, UnreadableTextsNeverMatch)
{
    for (const AlarmSlot& alarm : {Alarm("", "x", "05", "AM"), Alarm("", "7", "5x", "AM"), Alarm("", "7", "05", "XM"),
                                   Alarm("", "25", "05", ""), Alarm("", "7", "60", "AM"), Alarm("someday", "7", "05", "AM"),
                                   Alarm("Sun Feb 30, 2026", "7", "05", "AM"), Alarm("", "", "05", "AM")}) {
        EXPECT_FALSE(AlarmMatches(alarm, At(7, 5, 0))) << alarm.AlarmDate << "|" << alarm.AlarmHour << ":" << alarm.AlarmMin;
        EXPECT_FALSE(AlarmMatches(alarm, At(7, 5, 0, {2040, 1, 1})));
    }
}

TEST(AlarmDay, ReadsTheDateWithOrWithoutItsWeekday)
{
    const struct {
        const char* text;
        std::optional<CivilDate> day;
    } cases[] = {
        {"Sun Dec 06, 2026", CivilDate{2026, 12, 6}},
        {"Fri Feb 29, 2028", CivilDate{2028, 2, 29}},
        {"Xyz Dec 06, 2026", CivilDate{2026, 12, 6}}, // the weekday is not checked
        {"Dec 06, 2026", CivilDate{2026, 12, 6}},
        {"2026-12-06", CivilDate{2026, 12, 6}},
        {"Sun Dec 32, 2026", std::nullopt},
        {"", std::nullopt},
        {"Sun", std::nullopt},
    };
    for (const auto& c : cases) {
        AlarmSlot slot;
        slot.AlarmDate = c.text;
        EXPECT_EQ(AlarmDay(slot), c.day) << c.text;
    }
}

TEST(AlarmSchedule, ABlankDateMakesADailyAlarm)
{
    for (const char* date : {"", " ", "\t "})
        EXPECT_TRUE(IsDailyAlarm(Alarm(date, "7", "05", "AM"))) << '"' << date << '"';
    EXPECT_FALSE(IsDailyAlarm(Alarm("Sun Dec 06, 2026", "7", "05", "AM")));
    EXPECT_TRUE(AlarmMatches(Alarm(" ", "7", "05", "AM"), At(7, 5, 0)));
}

TEST(AlarmSchedule, SilencedRingCountIsOneMoreThanTheRingsWithoutLeavingItsRange)
{
    const struct {
        int16_t rings, silenced;
    } cases[] = {{4, 5}, {0, 1}, {-3, -2}, {32766, 32767}, {32767, 32767}};
    for (const auto& c : cases)
        EXPECT_EQ(SilencedRingCount(c.rings), c.silenced) << c.rings;
}

TEST(AlarmSchedule, LabelTextIsDateAndTimeAsTyped)
{
    EXPECT_EQ(AlarmLabelText(Alarm("", "7", "05", "AM")), " 7:05 AM");
    EXPECT_EQ(AlarmLabelText(Alarm("Sun Dec 06, 2026", "07", "5", "pm")), "Sun Dec 06, 2026 07:5 pm");
}

} // namespace
} // namespace dorvane
