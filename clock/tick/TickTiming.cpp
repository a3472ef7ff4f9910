#include "clock/tick/TickTiming.h"

#include <algorithm>
#include <cmath>

namespace dorvane {
namespace {

constexpr int64_t kSecondsPerDay = 86400;

// The civil date of a count of days since 1970-01-01 (the inverse of DaysFromCivil).
CivilDate CivilFromDays(int64_t days)
{
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t doe = days - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
    return {year, month, day};
}

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

} // namespace

double ContinuousSeconds(const LocalTime& t)
{
    return static_cast<double>(DaysFromCivil(t.date) * kSecondsPerDay) + t.SecondsSinceMidnight();
}

LocalTime LocalTimeAt(double continuousSeconds)
{
    const double whole = std::floor(continuousSeconds);
    const auto seconds = static_cast<int64_t>(whole);
    const int64_t days = FloorDiv(seconds, kSecondsPerDay);
    const int64_t ofDay = seconds - days * kSecondsPerDay;
    LocalTime t;
    t.date = CivilFromDays(days);
    t.hour = static_cast<int>(ofDay / 3600);
    t.minute = static_cast<int>(ofDay / 60 % 60);
    t.second = static_cast<int>(ofDay % 60);
    t.fraction = continuousSeconds - whole;
    return t;
}

int64_t SecondIndex(const LocalTime& t)
{
    return DaysFromCivil(t.date) * kSecondsPerDay + t.hour * 3600 + t.minute * 60 + t.second;
}

int64_t HourIndex(const LocalTime& t) { return DaysFromCivil(t.date) * 24 + t.hour; }

bool SpacedMoreThan(double now, std::optional<double> last, double gapSeconds)
{
    return !last || now < *last || now > *last + gapSeconds;
}

int MillisecondsUntilNextTick(const LocalTime& lastRun, const LocalTime& now)
{
    const int64_t nextRunMs = (SecondIndex(lastRun) + 1) * 1000 + kTickMarginMilliseconds;
    const int64_t nowMs = SecondIndex(now) * 1000 + std::clamp(static_cast<int64_t>(std::llround(now.fraction * 1000)), int64_t{0}, int64_t{999});
    return static_cast<int>(std::clamp(nextRunMs - nowMs, int64_t{0}, int64_t{1000 + kTickMarginMilliseconds}));
}

} // namespace dorvane
