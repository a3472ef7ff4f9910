#pragma once

#include <string>
#include <string_view>

namespace dorvane {

// The logic speaks UTF-8; Windows speaks UTF-16 through its wide API. Bytes that are not UTF-8,
// and lone surrogates on the way back, become U+FFFD.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

} // namespace dorvane
