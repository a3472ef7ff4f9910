#include "platform/win32/SystemTimeSource.h"
#include "platform/win32/SystemTimeZone.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace dorvane {
namespace {

int64_t UnixSecondsNow()
{
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    const int64_t ticks = static_cast<int64_t>(ULARGE_INTEGER{{now.dwLowDateTime, now.dwHighDateTime}}.QuadPart);
    return (ticks - 116444736000000000LL) / 10000000;
}

// The zone gives the moment now as the clock shows it (taken again if a second passed between the
// two readings); the clock's fraction is its milliseconds.
TEST(SystemTimeZone, GivesTheLocalTimeTheSystemClockShows)
{
    SystemTimeSource clock;
    LocalTime shown, zoned;
    do {
        const int64_t moment = UnixSecondsNow();
        shown = clock.Now();
        zoned = SystemTimeZone().LocalAt(moment);
    } while (shown.second != zoned.second);
    EXPECT_EQ(zoned.date, shown.date);
    EXPECT_EQ(zoned.hour * 60 + zoned.minute, shown.hour * 60 + shown.minute);
    EXPECT_EQ(zoned.fraction, 0.0);
    EXPECT_GE(shown.fraction, 0.0);
    EXPECT_LT(shown.fraction, 1.0);
    EXPECT_TRUE(clock.MonotonicSeconds().has_value());
}

} // namespace
} // namespace dorvane
