#pragma once

#include "platform/LocalTime.h"

#include <optional>
#include <string>
#include <string_view>

namespace dorvane {

// The clock's date and time texts, with English day and month names.

// The hour 0..23 on the 12-hour dial: 1..12.
int Hour12(int hour);
// "AM" for the hours 0..11, "PM" for 12..23.
const char* AmPm(int hour);

// "h:mm ampm": "7:05 AM", "12:00 PM".
std::string FormatHourMinute(const LocalTime& t);
// "hh:mm:ss ampm": "07:05:09 AM".
std::string FormatHourMinuteSecond(const LocalTime& t);
// "Long Date": "Sunday, December 6, 2026".
std::string FormatLongDate(CivilDate d);
// "ddd mmm dd, yyyy": "Sun Dec 06, 2026", the form in which alarm dates are stored.
std::string FormatAlarmDate(CivilDate d);
// "YYYY-MM-DD HH:MM:SS" on the 24-hour clock: "2026-12-06 19:05:09", the stamp of log lines.
std::string FormatTimestamp(const LocalTime& t);
// The tick log's line for a picture shown at t: the stamp with milliseconds and a line end,
// "2026-12-06 19:05:09.015\n".
std::string TickLogLine(const LocalTime& t);

struct TimeOfDay {
    int hour = 0; // 0..23
    int minute = 0;
    int second = 0;

    int Seconds() const { return hour * 3600 + minute * 60 + second; }
    auto operator<=>(const TimeOfDay&) const = default;
};

// Reads a time of day such as "7:05 AM", "07:5 pm", "19:05", "7:05:30 PM" or "7 AM". With AM or
// PM an hour of 12 is the first hour of that half of the day; an hour above 12 stands as it is.
std::optional<TimeOfDay> ParseTimeOfDay(std::string_view text);

// Reads a date such as "Dec 06, 2026", "December 6 2026" or "2026-12-06"; nullopt for text that
// is not a date of the calendar.
std::optional<CivilDate> ParseDate(std::string_view text);

} // namespace dorvane
