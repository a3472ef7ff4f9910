#include "platform/win32/WideText.h"

#include <gtest/gtest.h>

namespace dorvane {
namespace {

TEST(WideText, CarriesEveryLetterBetweenUtf8AndTheWideApi)
{
    const struct { std::string utf8; std::wstring wide; } rows[] = {
        {"", L""},
        {"C:\\Dorvane\\dorvane.exe", L"C:\\Dorvane\\dorvane.exe"},
        {"Z\xC3\xBCrich \xE6\x97\xA5\xE6\x9C\xAC", L"Z\u00FCrich \u65E5\u672C"},
        {"\xE2\x8F\xB0 \xF0\x9F\x94\x94", L"\u23F0 \U0001F514"}, // a bell beyond 16 bits: a surrogate pair
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Widen(row.utf8), row.wide) << row.utf8;
        EXPECT_EQ(Narrow(row.wide), row.utf8) << row.utf8;
    }
}

} // namespace
} // namespace dorvane
