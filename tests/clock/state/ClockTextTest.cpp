#include "clock/state/ClockText.h"

#include <gtest/gtest.h>

#include <optional>

namespace dorvane {
namespace {

TEST(ClockText, FormatsTimesOnTheTwelveHourDialStampsOnTheTwentyFourHourClockAndDatesWithEnglishNames)
{
    const struct { int hour, minute, second; const char *short_, *long_, *stamp; } cases[] = {
        {0, 0, 0, "12:00 AM", "12:00:00 AM", "2026-12-06 00:00:00"},
        {7, 5, 9, "7:05 AM", "07:05:09 AM", "2026-12-06 07:05:09"},
        {12, 0, 0, "12:00 PM", "12:00:00 PM", "2026-12-06 12:00:00"},
        {23, 59, 59, "11:59 PM", "11:59:59 PM", "2026-12-06 23:59:59"},
    };
    for (const auto& c : cases) {
        const LocalTime t{{2026, 12, 6}, c.hour, c.minute, c.second, 0.0};
        EXPECT_EQ(FormatHourMinute(t), c.short_);
        EXPECT_EQ(FormatHourMinuteSecond(t), c.long_);
        EXPECT_EQ(FormatTimestamp(t), c.stamp);
    }
    EXPECT_EQ(TickLogLine({{2026, 12, 6}, 19, 5, 9, 0.0159}), "2026-12-06 19:05:09.015\n");
    EXPECT_EQ(FormatLongDate({2026, 12, 6}), "Sunday, December 6, 2026");
    EXPECT_EQ(FormatAlarmDate({1969, 12, 31}), "Wed Dec 31, 1969");
}

TEST(ClockText, ReadsAlarmTimesAndDatesInTheUsualFormsAndRefusesTextsThatAreNeither)
{
    const struct { const char* text; std::optional<TimeOfDay> time; } cases[] = {
        {"12:00 AM", TimeOfDay{0, 0, 0}},   {"12:30 PM", TimeOfDay{12, 30, 0}},  {"07:5 pm", TimeOfDay{19, 5, 0}},
        {" 7 : 05  AM ", TimeOfDay{7, 5, 0}}, {"19:05", TimeOfDay{19, 5, 0}}, {"7:05:30 PM", TimeOfDay{19, 5, 30}},
        {"7 AM", TimeOfDay{7, 0, 0}},       {"13:05 PM", TimeOfDay{13, 5, 0}},   {"0:05 AM", TimeOfDay{0, 5, 0}},
        {"", std::nullopt}, {":05 AM", std::nullopt}, {"7:60 AM", std::nullopt}, {"24:00", std::nullopt},
        {"7:05 XM", std::nullopt}, {"7", std::nullopt}, {"7:05 AM x", std::nullopt}, {"999:00", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseTimeOfDay(c.text), c.time) << '"' << c.text << '"';
    const struct { const char* text; std::optional<CivilDate> date; } dates[] = {
        {"december 6 2026", CivilDate{2026, 12, 6}}, {"Sept 30, 2026", CivilDate{2026, 9, 30}},
        {"2026-12-06", CivilDate{2026, 12, 6}},      {"Feb 29, 2024", CivilDate{2024, 2, 29}},
        {"", std::nullopt}, {"Feb 29, 2026", std::nullopt}, {"Dec 32, 2026", std::nullopt}, {"De 06, 2026", std::nullopt},
        {"Dec, 2026", std::nullopt}, {"Dec 06", std::nullopt}, {"13/12/2026", std::nullopt},
    };
    for (const auto& c : dates)
        EXPECT_EQ(ParseDate(c.text), c.date) << '"' << c.text << '"';
}

} // namespace
} // namespace dorvane
