#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace dorvane {

// The leading number of a text, as typed into the clock's text fields: read from the start, with
// blanks, tabs and line feeds skipped wherever they stand, up to the first character that cannot
// continue the number (an optional sign, digits, one decimal point, an exponent such as "e3"; a
// leading "&H" or "&O" reads hexadecimal or octal digits). A text without a number gives 0; a
// number too large for a double gives an infinity.
double LeadingNumber(std::string_view text);

// The whole text read as one number, blanks around it allowed ("  12 ", "-1.5", "&H1F", "1e3");
// nullopt when anything else is in it or it is empty.
std::optional<double> ParseNumber(std::string_view text);

// Rounded to the nearest integer, halves to even (2.5 -> 2, 3.5 -> 4); nullopt when the result
// does not fit the type.
std::optional<int16_t> RoundToInt16(double value);
std::optional<int32_t> RoundToInt32(double value);
std::optional<uint8_t> RoundToByte(double value);
// A number for a 16-bit setting, rounded with halves to even. A value beyond the setting's range
// (possible with an exponent, such as "9e9") takes the nearest end of the range; NaN gives 0.
int16_t ToSetting(double value);

// The on/off test of the alarm table: true when the text reads as the number 1 ("1", " 1", "1.0").
bool IsNumberOne(std::string_view text);

// Integer division of two measures that are first rounded to whole numbers, the quotient cut
// towards zero; 0 when the divisor rounds to 0.
int32_t WholeQuotient(double dividend, double divisor);

} // namespace dorvane
