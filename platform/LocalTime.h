#pragma once

#include <compare>
#include <cstdint>

namespace dorvane {

// A date of the proleptic Gregorian calendar.
struct CivilDate {
    int year = 1970;
    int month = 1; // 1..12
    int day = 1;   // 1..31

    auto operator<=>(const CivilDate&) const = default;
};

// Days since 1970-01-01 (negative before it).
constexpr int64_t DaysFromCivil(CivilDate d)
{
    const int64_t y = d.year - (d.month <= 2 ? 1 : 0);
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t mp = (d.month + 9) % 12;
    const int64_t doy = (153 * mp + 2) / 5 + d.day - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

constexpr bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

constexpr int DaysInMonth(int year, int month)
{
    constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

constexpr bool IsValidDate(CivilDate d)
{
    return d.month >= 1 && d.month <= 12 && d.day >= 1 && d.day <= DaysInMonth(d.year, d.month);
}

// 0 = Sunday .. 6 = Saturday.
constexpr int Weekday(CivilDate d)
{
    const int weekday = static_cast<int>((DaysFromCivil(d) + 4) % 7); // 1970-01-01 was a Thursday
    return weekday < 0 ? weekday + 7 : weekday;
}

// A moment of the local wall clock, as the platform reports "now".
struct LocalTime {
    CivilDate date;
    int hour = 0;   // 0..23
    int minute = 0; // 0..59
    int second = 0; // 0..59
    double fraction = 0.0; // 0 <= fraction < 1

    // Seconds since local midnight, with fractions.
    double SecondsSinceMidnight() const { return hour * 3600.0 + minute * 60.0 + second + fraction; }
};

} // namespace dorvane
