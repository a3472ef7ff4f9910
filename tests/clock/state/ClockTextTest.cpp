#include "clock/state/ClockText.h"
#include "clock/state/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>

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

TEST(LeadingNumber, ReadsTheNumberAtTheStartOfTheText)
{
    const std::pair<const char*, double> cases[] = {
        {"07", 7},    {"  12 ", 12}, {"1\t2\n3", 123}, {"+5", 5},   {"- 5", -5},  {"3.7.5", 3.7}, {".5", 0.5},
        {"1 e 3", 1000}, {"2E-2", 0.02}, {"1e+", 1},    {"12abc", 12}, {"abc12", 0}, {"", 0},   {".", 0},
        {"&hff", 255}, {"&O17", 15}, {"&O8", 0},       {"&H", 0},    {"1d2", 100}, {"--5", 0},   {"1e-400", 0},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_DOUBLE_EQ(LeadingNumber(text), expected) << '"' << text << '"';
    EXPECT_TRUE(std::isinf(LeadingNumber("1e400")));
    EXPECT_LT(LeadingNumber("-1e400"), 0);
    EXPECT_TRUE(std::isinf(LeadingNumber("&H" + std::string(400, 'F'))));
    EXPECT_DOUBLE_EQ(LeadingNumber(std::string(5000, '0') + "42"), 42);
}

TEST(ParseNumber, AcceptsOnlyAWholeNumberWithBlanksAround)
{
    EXPECT_EQ(ParseNumber(" -1.5 "), -1.5);
    EXPECT_EQ(ParseNumber("&H10"), 16);
    for (const char* text : {"", "  ", "12abc", "1 2", "1e", "&H", "- 5", "1,000"})
        EXPECT_FALSE(ParseNumber(text).has_value()) << '"' << text << '"';
}

TEST(RoundToInt16AndByte, RoundHalvesToEvenAndRefuseWhatDoesNotFit)
{
    const struct { double value; std::optional<int16_t> int16; std::optional<uint8_t> byte; } cases[] = {
        {2.5, 2, 2},           {3.5, 4, 4},           {-2.5, -2, std::nullopt}, {-0.4, 0, 0}, {254.5, 254, 254},
        {255.5, 256, std::nullopt}, {32767.5, {}, {}} /* rounds to 32768 */,  {-32768, -32768, {}},
        {std::nan(""), {}, {}}, {INFINITY, {}, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RoundToInt16(c.value), c.int16) << c.value;
        EXPECT_EQ(RoundToByte(c.value), c.byte) << c.value;
    }
}

TEST(NumberText, IsNumberOneIsTheArmedTestOfTheAlarmTableAndWholeQuotientRoundsBothSidesThenCutsTowardsZero)
{
    for (const char* yes : {" 1 ", "1.0", "&H1"})
        EXPECT_TRUE(IsNumberOne(yes)) << yes;
    for (const char* no : {"0", "", "1x", "-1"})
        EXPECT_FALSE(IsNumberOne(no)) << no;
    EXPECT_EQ(WholeQuotient(16650, 15), 1110);
    EXPECT_EQ(WholeQuotient(-29, 15), -1);
    EXPECT_EQ(WholeQuotient(29.5, 15), 2); // 29.5 rounds to 30
    EXPECT_EQ(WholeQuotient(100, 0.4), 0); // a divisor that rounds to 0
}

} // namespace
} // namespace dorvane
