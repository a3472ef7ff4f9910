#include "clock/state/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace dorvane {
namespace {

bool IsDigitIn(char c, int base)
{
    if (base == 16)
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    if (base == 8)
        return c >= '0' && c <= '7';
    return c >= '0' && c <= '9';
}

int DigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    return (c | 0x20) - 'a' + 10;
}

// Walks a text as a number. In lenient mode blanks are skipped anywhere (the leading-number rule);
// in strict mode they are allowed only around the number.
class NumberScanner {
public:
    NumberScanner(std::string_view text, bool lenient) : text_(text), lenient_(lenient) {}

    // The number read, or nullopt when the text does not start with one.
    std::optional<double> Scan()
    {
        SkipBlanks();
        if (Peek() == '&')
            return ScanRadix();
        return ScanDecimal();
    }

    bool AtEndAfterBlanks()
    {
        SkipBlanks();
        return pos_ == text_.size();
    }

private:
    static bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

    // Blanks before the number are skipped in both modes.
    void SkipBlanks()
    {
        while (pos_ < text_.size() && IsBlank(text_[pos_]))
            ++pos_;
    }
    void SkipInnerBlanks()
    {
        if (lenient_)
            while (pos_ < text_.size() && IsBlank(text_[pos_]))
                ++pos_;
    }
    char Peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }

    std::optional<double> ScanRadix()
    {
        ++pos_;
        SkipInnerBlanks();
        char kind = static_cast<char>(Peek() | 0x20);
        if (kind != 'h' && kind != 'o')
            return std::nullopt;
        const int base = kind == 'h' ? 16 : 8;
        ++pos_;
        double value = 0;
        bool any = false;
        for (SkipInnerBlanks(); IsDigitIn(Peek(), base); SkipInnerBlanks()) {
            value = value * base + DigitValue(Peek());
            any = true;
            ++pos_;
        }
        return any ? std::optional<double>(value) : std::nullopt;
    }

    std::optional<double> ScanDecimal()
    {
        std::string clean;
        if (Peek() == '+' || Peek() == '-') {
            if (Peek() == '-')
                clean += '-';
            ++pos_;
            SkipInnerBlanks();
        }
        bool digits = false, point = false;
        for (;; SkipInnerBlanks()) {
            char c = Peek();
            if (c >= '0' && c <= '9')
                digits = true;
            else if (c == '.' && !point)
                point = true;
            else
                break;
            clean += c;
            ++pos_;
        }
        if (!digits)
            return std::nullopt;
        ScanExponent(clean);
        double value = 0;
        auto [end, error] = std::from_chars(clean.data(), clean.data() + clean.size(), value);
        if (error == std::errc::result_out_of_range)
            return ScaleOutOfRange(clean);
        return value;
    }

    // An exponent belongs to the number only when at least one digit follows the letter.
    void ScanExponent(std::string& clean)
    {
        const char letter = static_cast<char>(Peek() | 0x20);
        if (letter != 'e' && letter != 'd')
            return;
        const std::size_t mark = pos_;
        std::string exponent = "e";
        ++pos_;
        SkipInnerBlanks();
        if (Peek() == '+' || Peek() == '-') {
            exponent += Peek();
            ++pos_;
            SkipInnerBlanks();
        }
        bool any = false;
        for (; Peek() >= '0' && Peek() <= '9'; SkipInnerBlanks()) {
            exponent += Peek();
            any = true;
            ++pos_;
        }
        if (any)
            clean += exponent;
        else
            pos_ = mark;
    }

    static double ScaleOutOfRange(const std::string& clean)
    {
        // from_chars reports both overflow and underflow as out of range; tell them apart by the
        // exponent's sign.
        const auto e = clean.find('e');
        const bool tiny = e != std::string::npos && clean.size() > e + 1 && clean[e + 1] == '-';
        const bool negative = !clean.empty() && clean[0] == '-';
        const double magnitude = tiny ? 0.0 : std::numeric_limits<double>::infinity();
        return negative ? -magnitude : magnitude;
    }

    std::string_view text_;
    bool lenient_;
    std::size_t pos_ = 0;
};

template <typename T>
std::optional<T> RoundTo(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value); // the default rounding mode sends halves to even
    if (rounded < static_cast<double>(std::numeric_limits<T>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<T>::max()))
        return std::nullopt;
    return static_cast<T>(rounded);
}

} // namespace

double LeadingNumber(std::string_view text)
{
    return NumberScanner(text, true).Scan().value_or(0.0);
}

std::optional<double> ParseNumber(std::string_view text)
{
    NumberScanner scanner(text, false);
    auto value = scanner.Scan();
    if (!value || !scanner.AtEndAfterBlanks())
        return std::nullopt;
    return value;
}

std::optional<int16_t> RoundToInt16(double value) { return RoundTo<int16_t>(value); }

int16_t ToSetting(double value)
{
    constexpr double kLowest = std::numeric_limits<int16_t>::min();
    constexpr double kHighest = std::numeric_limits<int16_t>::max();
    if (std::isnan(value))
        return 0;
    return RoundToInt16(std::clamp(value, kLowest, kHighest)).value_or(0);
}
std::optional<int32_t> RoundToInt32(double value) { return RoundTo<int32_t>(value); }
std::optional<uint8_t> RoundToByte(double value) { return RoundTo<uint8_t>(value); }

bool IsNumberOne(std::string_view text)
{
    auto value = ParseNumber(text);
    return value && *value == 1.0;
}

int32_t WholeQuotient(double dividend, double divisor)
{
    const auto whole = RoundToInt32(std::nearbyint(dividend));
    const auto by = RoundToInt32(std::nearbyint(divisor));
    if (!whole || !by || *by == 0)
        return 0;
    return *whole / *by;
}

} // namespace dorvane
