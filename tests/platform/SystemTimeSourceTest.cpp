#include "platform/SystemTimeSource.h"

#include <gtest/gtest.h>

#include <ctime>
#include <tuple>

namespace dorvane {
namespace {

TEST(SystemTimeSource, GivesTheLocalWallClockWithFractions)
{
    const std::time_t before = std::time(nullptr);
    const LocalTime now = SystemTimeSource().Now();
    std::tm local {};
    localtime_r(&before, &local);
    EXPECT_GE(now.fraction, 0.0);
    EXPECT_LT(now.fraction, 1.0);
    if (before == std::time(nullptr)) { // the same second on both sides
        EXPECT_EQ(now.date, (CivilDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday}));
        EXPECT_EQ(std::tuple(now.hour, now.minute, now.second), std::tuple(local.tm_hour, local.tm_min, local.tm_sec));
    }
}

} // namespace
} // namespace dorvane
