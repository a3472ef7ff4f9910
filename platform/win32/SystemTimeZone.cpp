#include "platform/win32/SystemTimeZone.h"

namespace dorvane {
namespace {

// 100-nanosecond intervals between 1601-01-01 and 1970-01-01, the two systems' epochs.
constexpr int64_t kFileTimeAt1970 = 116444736000000000LL;
constexpr int64_t kFileTimeTicksPerSecond = 10000000;
constexpr int64_t kSecondsPerDay = 86400;

SYSTEMTIME CalendarAt(int64_t unixSeconds)
{
    const uint64_t ticks = static_cast<uint64_t>(unixSeconds * kFileTimeTicksPerSecond + kFileTimeAt1970);
    const FILETIME moment{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME calendar{};
    ::FileTimeToSystemTime(&moment, &calendar);
    return calendar;
}

// The wall-clock moment, in seconds since 1970, at which a change of the zone's offset happens in
// year: the rule's day-th weekday of its month (5: the last), or, when the rule names a year, that
// very date.
int64_t ChangeIn(const SYSTEMTIME& rule, int year)
{
    int day = rule.wDay;
    if (rule.wYear == 0) {
        const int firstWeekday = Weekday({year, rule.wMonth, 1});
        day = 1 + (rule.wDayOfWeek - firstWeekday + 7) % 7 + 7 * (rule.wDay - 1);
        while (day > DaysInMonth(year, rule.wMonth))
            day -= 7;
    }
    return DaysFromCivil({year, rule.wMonth, day}) * kSecondsPerDay + rule.wHour * 3600 + rule.wMinute * 60 +
           rule.wSecond;
}

// Seconds to add to the universal time for the zone's wall clock at that moment.
int64_t OffsetAt(int64_t unixSeconds, const TIME_ZONE_INFORMATION& zone, int year)
{
    const int64_t standard = -int64_t{zone.Bias + zone.StandardBias} * 60;
    if (zone.DaylightDate.wMonth == 0 || zone.StandardDate.wMonth == 0)
        return standard;
    const int64_t daylight = -int64_t{zone.Bias + zone.DaylightBias} * 60;
    // Summer time starts at a time of the standard clock and ends at a time of the summer clock; in
    // the southern half of the world it spans the turn of the year.
    const int64_t starts = ChangeIn(zone.DaylightDate, year) - standard;
    const int64_t ends = ChangeIn(zone.StandardDate, year) - daylight;
    const bool summer = starts < ends ? unixSeconds >= starts && unixSeconds < ends
                                      : unixSeconds >= starts || unixSeconds < ends;
    return summer ? daylight : standard;
}

} // namespace

LocalTime SystemTimeZone::LocalAt(int64_t unixSeconds) const
{
    // The zone's rules for that year, as the taskbar clock applies them.
    const WORD year = CalendarAt(unixSeconds).wYear;
    DYNAMIC_TIME_ZONE_INFORMATION dynamic{};
    TIME_ZONE_INFORMATION zone{};
    if (::GetDynamicTimeZoneInformation(&dynamic) == TIME_ZONE_ID_INVALID ||
        !::GetTimeZoneInformationForYear(year, &dynamic, &zone))
        ::GetTimeZoneInformation(&zone);
    return LocalAt(unixSeconds, zone);
}

LocalTime SystemTimeZone::LocalAt(int64_t unixSeconds, const TIME_ZONE_INFORMATION& zone)
{
    const int year = CalendarAt(unixSeconds).wYear;
    const SYSTEMTIME local = CalendarAt(unixSeconds + OffsetAt(unixSeconds, zone, year));
    LocalTime time;
    time.date = {local.wYear, local.wMonth, local.wDay};
    time.hour = local.wHour;
    time.minute = local.wMinute;
    time.second = local.wSecond;
    return time;
}

} // namespace dorvane
