#include "platform/win32/SystemTimeSource.h"
#include "platform/win32/SystemTimeZone.h"

#include <gtest/gtest.h>

#include <ctime>

namespace dorvane {
namespace {

// Zones as Windows describes them: a bias, and each change as "the n-th (5: last) weekday of a month".
TIME_ZONE_INFORMATION Zone(LONG bias, SYSTEMTIME toStandard = {}, SYSTEMTIME toSummer = {})
{
    TIME_ZONE_INFORMATION zone{};
    zone.Bias = bias;
    zone.StandardDate = toStandard;
    zone.DaylightDate = toSummer;
    zone.DaylightBias = -60;
    return zone;
}

// The nth (5: last) Sunday of the month, at the hour.
SYSTEMTIME Sunday(WORD month, WORD nth, WORD hour) { return {0, month, 0, nth, hour, 0, 0, 0}; }

TEST(SystemTimeZone, ChangesToSummerTimeAndBackAtTheZonesOwnMomentsInBothHalvesOfTheWorld)
{
    const auto berlin = Zone(-60, Sunday(10, 5, 3), Sunday(3, 5, 2));
    const auto sydney = Zone(-600, Sunday(4, 1, 3), Sunday(10, 1, 2));
    const struct { TIME_ZONE_INFORMATION zone; int64_t unixSeconds; CivilDate date; int secondsOfDay; } rows[] = {
        {berlin, 1774745999, {2026, 3, 29}, 1 * 3600 + 3599}, // 01:59:59, then the clock leaps
        {berlin, 1774746000, {2026, 3, 29}, 3 * 3600},
        {berlin, 1783296000, {2026, 7, 6}, 2 * 3600},
        {berlin, 1792889999, {2026, 10, 25}, 2 * 3600 + 3599}, // the last summer second, then 02:00 again
        {berlin, 1792890000, {2026, 10, 25}, 2 * 3600},
        {sydney, 1768435200, {2026, 1, 15}, 11 * 3600},
        {sydney, 1775318399, {2026, 4, 5}, 2 * 3600 + 3599},
        {sydney, 1775318400, {2026, 4, 5}, 2 * 3600},
        {sydney, 1783296000, {2026, 7, 6}, 10 * 3600},
        {Zone(-330), 1796515200, {2026, 12, 6}, 5 * 3600 + 1800},
    };
    for (const auto& row : rows) {
        const LocalTime local = SystemTimeZone::LocalAt(row.unixSeconds, row.zone);
        EXPECT_EQ(local.date, row.date) << row.unixSeconds;
        EXPECT_EQ(local.hour * 3600 + local.minute * 60 + local.second, row.secondsOfDay) << row.unixSeconds;
    }
}

// The zone gives the moment now as the clock shows it (read again if a second passed between the
// two readings); the clock's fraction is its milliseconds.
TEST(SystemTimeZone, GivesTheLocalTimeTheSystemClockShows)
{
    SystemTimeSource clock;
    LocalTime shown, zoned;
    do {
        const std::time_t moment = std::time(nullptr);
        shown = clock.Now();
        zoned = SystemTimeZone().LocalAt(moment);
    } while (shown.second != zoned.second);
    EXPECT_EQ(zoned.date, shown.date);
    EXPECT_EQ(zoned.hour * 60 + zoned.minute, shown.hour * 60 + shown.minute);
    EXPECT_EQ(zoned.fraction, 0.0);
    EXPECT_TRUE(shown.fraction >= 0.0 && shown.fraction < 1.0);
    EXPECT_TRUE(clock.MonotonicSeconds().has_value());
}

} // namespace
} // namespace dorvane
