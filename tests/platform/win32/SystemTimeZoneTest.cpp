#include "platform/win32/SystemTimeSource.h"
#include "platform/win32/SystemTimeZone.h"

#include <gtest/gtest.h>

#include <ctime>

namespace dorvane {
namespace {

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
