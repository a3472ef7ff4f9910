#include "platform/SystemTimeSource.h"

#include <gtest/gtest.h>

#include <ctime>

namespace dorvane {
namespace {

TEST(SystemTimeSource, GivesTheLocalWallClockWithFractions)
{
    const std::time_t before = std::time(nullptr);
    const LocalTime now = SystemTimeSource().Now();
    const std::time_t after = std::time(nullptr);

    std::tm local {};
    localtime_r(&before, &local);
    EXPECT_TRUE(IsValidDate(now.date));
    EXPECT_GE(now.fraction, 0.0);
    EXPECT_LT(now.fraction, 1.0);
    if (before == after) { // the same second on both sides
        EXPECT_EQ(now.date, (CivilDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday}));
        EXPECT_EQ(now.hour, local.tm_hour);
        EXPECT_EQ(now.minute, local.tm_min);
        EXPECT_EQ(now.second, local.tm_sec);
        EXPECT_EQ(Weekday(now.date), local.tm_wday);
    }
}

} // namespace
} // namespace dorvane
