#include "clock/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>

namespace dorvane {
namespace {

struct LeadingCase {
    const char* text;
    double expected;
};

TEST(LeadingNumber, ReadsTheNumberAtTheStartOfTheText)
{
    const LeadingCase cases[] = {
        {"7", 7},           {"07", 7},          {"13", 13},        {"  12 ", 12},
        {"1 2", 12},        {"1\t2\n3", 123},   {"-5", -5},        {"+5", 5},
        {"- 5", -5},        {"3.75", 3.75},     {"3.7.5", 3.7},    {".5", 0.5},
        {"1e3", 1000},      {"1 e 3", 1000},    {"2E-2", 0.02},    {"1e", 1},
        {"1e+", 1},         {"12abc", 12},      {"abc12", 0},      {"", 0},
        {"-", 0},           {".", 0},           {"&H1F", 31},      {"&hff", 255},
        {"&O17", 15},       {"&O8", 0},         {"&H", 0},         {"&", 0},
        {"&HZ", 0},         {"9e9", 9e9},       {"1d2", 100},      {"--5", 0},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(LeadingNumber(c.text), c.expected) << '"' << c.text << '"';
}

TEST(LeadingNumber, GivesInfinityForNumbersBeyondDoubleAndZeroForTinyOnes)
{
    EXPECT_TRUE(std::isinf(LeadingNumber("1e400")));
    EXPECT_LT(LeadingNumber("-1e400"), 0);
    EXPECT_EQ(LeadingNumber("1e-400"), 0.0);
    EXPECT_TRUE(std::isinf(LeadingNumber("&H" + std::string(400, 'F'))));
    EXPECT_DOUBLE_EQ(LeadingNumber(std::string(5000, '0') + "42"), 42);
}

TEST(ParseNumber, AcceptsOnlyAWholeNumberWithBlanksAround)
{
    EXPECT_EQ(ParseNumber(" 7000 "), 7000);
    EXPECT_EQ(ParseNumber("-1.5"), -1.5);
    EXPECT_EQ(ParseNumber("&H10"), 16);
    EXPECT_EQ(ParseNumber("1e3"), 1000);
    for (const char* text : {"", "  ", "abc", "12abc", "1 2", "1e", "&H", "- 5", "1,000"})
        EXPECT_FALSE(ParseNumber(text).has_value()) << '"' << text << '"';
}

TEST(RoundToInt16, RoundsHalvesToEvenAndRefusesWhatDoesNotFit)
{
    EXPECT_EQ(RoundToInt16(2.5), 2);
    EXPECT_EQ(RoundToInt16(3.5), 4);
    EXPECT_EQ(RoundToInt16(-2.5), -2);
    EXPECT_EQ(RoundToInt16(2.4999), 2);
    EXPECT_EQ(RoundToInt16(32767.4), 32767);
    EXPECT_FALSE(RoundToInt16(32767.5).has_value()); // rounds to 32768
    EXPECT_EQ(RoundToInt16(-32768), -32768);
    EXPECT_FALSE(RoundToInt16(99999).has_value());
    EXPECT_FALSE(RoundToInt16(9e9).has_value());
    EXPECT_FALSE(RoundToInt16(std::nan("")).has_value());
    EXPECT_FALSE(RoundToInt16(INFINITY).has_value());
}

TEST(RoundToByte, AcceptsZeroTo255Only)
{
    EXPECT_EQ(RoundToByte(255), 255);
    EXPECT_EQ(RoundToByte(254.5), 254);
    EXPECT_FALSE(RoundToByte(255.5).has_value());
    EXPECT_FALSE(RoundToByte(300).has_value());
    EXPECT_EQ(RoundToByte(-0.4), 0);
    EXPECT_FALSE(RoundToByte(-1).has_value());
}

TEST(IsNumberOne, IsTheArmedTestOfTheAlarmTable)
{
    for (const char* yes : {"1", " 1 ", "1.0", "01", "&H1"})
        EXPECT_TRUE(IsNumberOne(yes)) << yes;
    for (const char* no : {"0", "", "2", "1x", "True", "-1"})
        EXPECT_FALSE(IsNumberOne(no)) << no;
}

TEST(WholeQuotient, RoundsBothSidesThenCutsTowardsZero)
{
    EXPECT_EQ(WholeQuotient(1280 * 15 - 2250 - 300, 15), 1110);
    EXPECT_EQ(WholeQuotient(300, 15), 20);
    EXPECT_EQ(WholeQuotient(-29, 15), -1);
    EXPECT_EQ(WholeQuotient(29.5, 15), 2); // 29.5 rounds to 30
    EXPECT_EQ(WholeQuotient(100, 0.4), 0); // a divisor that rounds to 0
}

} // namespace
} // namespace dorvane
