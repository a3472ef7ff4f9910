#include "clock/state/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <tuple>
#include <utility>

namespace dorvane {
namespace {

TEST(NumberText, LeadingNumberReadsTheNumberAtTheStartOfTheTextAndParseNumberAWholeNumberWithBlanksAroundOnly)
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
    EXPECT_EQ(std::pair(ParseNumber(" -1.5 "), ParseNumber("&H10")), std::pair(std::optional(-1.5), std::optional(16.0)));
    for (const char* text : {"", "  ", "12abc", "1 2", "1e", "&H", "- 5", "1,000"})
        EXPECT_FALSE(ParseNumber(text).has_value()) << '"' << text << '"';
}

TEST(NumberText, RoundingHalvesToEvenRefusesWhatDoesNotFitIsNumberOneIsTheArmedTestAndWholeQuotientCutsTowardsZero)
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
    for (const char* yes : {" 1 ", "1.0", "&H1"})
        EXPECT_TRUE(IsNumberOne(yes)) << yes;
    for (const char* no : {"0", "", "1x", "-1"})
        EXPECT_FALSE(IsNumberOne(no)) << no;
    // Both sides rounded first: 29.5 to 30, and 0.4 to a divisor of 0.
    const std::tuple<double, double, int> quotients[] = {{16650, 15, 1110}, {-29, 15, -1}, {29.5, 15, 2}, {100, 0.4, 0}};
    for (const auto& [dividend, divisor, quotient] : quotients)
        EXPECT_EQ(WholeQuotient(dividend, divisor), quotient) << dividend << " / " << divisor;
}

} // namespace
} // namespace dorvane
