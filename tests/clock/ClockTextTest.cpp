#include "clock/ClockText.h"

#include <gtest/gtest.h>

namespace dorvane {
namespace {

LocalTime At(int hour, int minute, int second = 0)
{
    return LocalTime{CivilDate{2026, 12, 6}, hour, minute, second, 0.0};
}

TEST(ClockText, FormatsTimesOnTheTwelveHourDial)
{
    struct Case {
        int hour, minute, second;
        const char* short_;
        const char* long_;
    } cases[] = {
        {0, 0, 0, "12:00 AM", "12:00:00 AM"},   {7, 5, 9, "7:05 AM", "07:05:09 AM"},
        {11, 59, 59, "11:59 AM", "11:59:59 AM"}, {12, 0, 0, "12:00 PM", "12:00:00 PM"},
        {13, 30, 1, "1:30 PM", "01:30:01 PM"},   {23, 59, 59, "11:59 PM", "11:59:59 PM"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatHourMinute(At(c.hour, c.minute, c.second)), c.short_);
        EXPECT_EQ(FormatHourMinuteSecond(At(c.hour, c.minute, c.second)), c.long_);
    }
}

TEST(ClockText, FormatsDatesWithEnglishNames)
{
    EXPECT_EQ(FormatLongDate({2026, 12, 6}), "Sunday, December 6, 2026");
    EXPECT_EQ(FormatLongDate({2024, 2, 29}), "Thursday, February 29, 2024");
    EXPECT_EQ(FormatAlarmDate({2026, 12, 5}), "Sat Dec 05, 2026");
    EXPECT_EQ(FormatAlarmDate({2000, 1, 1}), "Sat Jan 01, 2000");
    EXPECT_EQ(FormatAlarmDate({1969, 12, 31}), "Wed Dec 31, 1969");
}

TEST(ClockText, ReadsAlarmTimes)
{
    struct Case {
        const char* text;
        int hour, minute, second;
    } cases[] = {
        {"7:05 AM", 7, 5, 0},    {"7:05 PM", 19, 5, 0},  {"12:00 AM", 0, 0, 0},  {"12:30 PM", 12, 30, 0},
        {"07:5 pm", 19, 5, 0},   {" 7 : 05  AM ", 7, 5, 0}, {"19:05", 19, 5, 0}, {"7:05:30 PM", 19, 5, 30},
        {"7 AM", 7, 0, 0},       {"13:05 PM", 13, 5, 0}, {"0:05 AM", 0, 5, 0},
    };
    for (const auto& c : cases) {
        auto t = ParseTimeOfDay(c.text);
        ASSERT_TRUE(t.has_value()) << c.text;
        EXPECT_EQ(*t, (TimeOfDay{c.hour, c.minute, c.second})) << c.text;
    }
}

TEST(ClockText, RefusesTextsThatAreNotTimes)
{
    for (const char* text : {"", ":05 AM", "7:60 AM", "24:00", "7:05 XM", "abc", "7", "7:05 AM x", "7:", "999:00"})
        EXPECT_FALSE(ParseTimeOfDay(text).has_value()) << text;
}

TEST(ClockText, AlarmDatesRoundTrip)
{
    for (CivilDate d : {CivilDate{2026, 12, 6}, CivilDate{2024, 2, 29}, CivilDate{2027, 1, 1}}) {
        const std::string text = FormatAlarmDate(d);
        EXPECT_EQ(ParseDate(text.substr(4)), d) << text;
    }
}

TEST(ClockText, ReadsDatesInTheUsualForms)
{
    EXPECT_EQ(ParseDate("Dec 06, 2026"), (CivilDate{2026, 12, 6}));
    EXPECT_EQ(ParseDate("december 6 2026"), (CivilDate{2026, 12, 6}));
    EXPECT_EQ(ParseDate("Sept 30, 2026"), (CivilDate{2026, 9, 30}));
    EXPECT_EQ(ParseDate("2026-12-06"), (CivilDate{2026, 12, 6}));
    for (const char* text : {"", "Feb 29, 2026", "Dec 32, 2026", "De 06, 2026", "Dec, 2026", "Dec 06", "13/12/2026"})
        EXPECT_FALSE(ParseDate(text).has_value()) << text;
}

} // namespace
} // namespace dorvane
