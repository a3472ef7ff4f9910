#include "clock/state/ClockText.h"

#include <array>
#include <cctype>
#include <cstdio>

namespace dorvane {
namespace {

constexpr std::array<const char*, 7> kDayNames = {"Sunday", "Monday", "Tuesday", "Wednesday",
                                                  "Thursday", "Friday", "Saturday"};
constexpr std::array<const char*, 12> kMonthNames = {"January", "February", "March", "April",
                                                     "May", "June", "July", "August",
                                                     "September", "October", "November", "December"};

std::string Printf(const char* format, auto... args)
{
    char buffer[64];
    int n = std::snprintf(buffer, sizeof buffer, format, args...);
    return std::string(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
}

// A small reader over a date or time text.
class TextReader {
public:
    explicit TextReader(std::string_view text) : text_(text) {}

    void SkipBlanks()
    {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t'))
            ++pos_;
    }
    bool AtEnd() { SkipBlanks(); return pos_ == text_.size(); }
    bool Take(char c)
    {
        SkipBlanks();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    // Up to maxDigits decimal digits.
    std::optional<int> Number(int maxDigits)
    {
        SkipBlanks();
        int value = 0, count = 0;
        while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_]))) {
            if (++count > maxDigits)
                return std::nullopt;
            value = value * 10 + (text_[pos_++] - '0');
        }
        return count ? std::optional<int>(value) : std::nullopt;
    }
    std::string Word()
    {
        SkipBlanks();
        std::string word;
        while (pos_ < text_.size() && std::isalpha(static_cast<unsigned char>(text_[pos_])))
            word += static_cast<char>(std::tolower(static_cast<unsigned char>(text_[pos_++])));
        return word;
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// 1..12 for a month name or its first three or more letters, in lower case; 0 otherwise.
int MonthFromName(const std::string& word)
{
    if (word.size() < 3)
        return 0;
    for (int m = 0; m < 12; ++m) {
        std::string name = kMonthNames[m];
        name[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(name[0])));
        if (name.starts_with(word))
            return m + 1;
    }
    return 0;
}

std::optional<CivilDate> Checked(int year, int month, int day)
{
    CivilDate d{year, month, day};
    return IsValidDate(d) ? std::optional<CivilDate>(d) : std::nullopt;
}

std::optional<CivilDate> ParseIsoDate(std::string_view text)
{
    TextReader r(text);
    auto year = r.Number(4);
    if (!year || !r.Take('-'))
        return std::nullopt;
    auto month = r.Number(2);
    if (!month || !r.Take('-'))
        return std::nullopt;
    auto day = r.Number(2);
    if (!day || !r.AtEnd())
        return std::nullopt;
    return Checked(*year, *month, *day);
}

} // namespace

int Hour12(int hour) { return hour % 12 == 0 ? 12 : hour % 12; }

const char* AmPm(int hour) { return hour < 12 ? "AM" : "PM"; }

std::string FormatHourMinute(const LocalTime& t)
{
    return Printf("%d:%02d %s", Hour12(t.hour), t.minute, AmPm(t.hour));
}

std::string FormatHourMinuteSecond(const LocalTime& t)
{
    return Printf("%02d:%02d:%02d %s", Hour12(t.hour), t.minute, t.second, AmPm(t.hour));
}

std::string FormatLongDate(CivilDate d)
{
    return std::string(kDayNames[Weekday(d)]) + ", " + kMonthNames[d.month - 1] + " " +
           std::to_string(d.day) + ", " + std::to_string(d.year);
}

std::string FormatAlarmDate(CivilDate d)
{
    return Printf("%.3s %.3s %02d, %04d", kDayNames[Weekday(d)], kMonthNames[d.month - 1], d.day, d.year);
}

std::string FormatTimestamp(const LocalTime& t)
{
    return Printf("%04d-%02d-%02d %02d:%02d:%02d", t.date.year, t.date.month, t.date.day, t.hour, t.minute, t.second);
}

std::string TickLogLine(const LocalTime& t)
{
    return FormatTimestamp(t) + Printf(".%03d\n", static_cast<int>(t.fraction * 1000));
}

std::optional<TimeOfDay> ParseTimeOfDay(std::string_view text)
{
    TextReader r(text);
    TimeOfDay t;
    auto hour = r.Number(2);
    if (!hour)
        return std::nullopt;
    t.hour = *hour;
    if (r.Take(':')) {
        auto minute = r.Number(2);
        if (!minute)
            return std::nullopt;
        t.minute = *minute;
        if (r.Take(':')) {
            auto second = r.Number(2);
            if (!second)
                return std::nullopt;
            t.second = *second;
        }
    }
    const std::string marker = r.Word();
    const bool am = marker == "am" || marker == "a";
    const bool pm = marker == "pm" || marker == "p";
    if ((!marker.empty() && !am && !pm) || !r.AtEnd())
        return std::nullopt;
    if (marker.empty() && text.find(':') == std::string_view::npos)
        return std::nullopt; // a bare number is not a time
    if (t.hour <= 12 && am)
        t.hour %= 12;
    else if (t.hour < 12 && pm)
        t.hour += 12;
    if (t.hour > 23 || t.minute > 59 || t.second > 59)
        return std::nullopt;
    return t;
}

std::optional<CivilDate> ParseDate(std::string_view text)
{
    if (auto iso = ParseIsoDate(text))
        return iso;
    TextReader r(text);
    const int month = MonthFromName(r.Word());
    if (month == 0)
        return std::nullopt;
    auto day = r.Number(2);
    if (!day)
        return std::nullopt;
    r.Take(',');
    auto year = r.Number(4);
    if (!year || !r.AtEnd())
        return std::nullopt;
    return Checked(*year, month, *day);
}

} // namespace dorvane
