// Any text typed into a field: the leading-number rule, whole-number conversion, rounding and the
// date and time readers never crash, and agree with each other.
#include "clock/state/ClockText.h"
#include "clock/state/NumberText.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace dorvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double leading = LeadingNumber(text);
    if (std::isnan(leading))
        std::abort();
    // A text that is one whole number is also its own leading number.
    if (auto whole = ParseNumber(text); whole && *whole != leading && !std::isnan(*whole))
        std::abort();
    if (auto rounded = RoundToInt16(leading); rounded && std::fabs(*rounded - leading) > 0.5)
        std::abort();
    (void)RoundToByte(leading);
    (void)IsNumberOne(text);
    if (auto t = ParseTimeOfDay(text); t && (t->hour > 23 || t->minute > 59 || t->second > 59))
        std::abort();
    if (auto d = ParseDate(text); d && !IsValidDate(*d))
        std::abort();
    return 0;
}
