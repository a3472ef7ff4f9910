// Any text typed into a field: the leading-number rule, whole-number conversion, rounding and the
// date and time readers never crash, and agree with each other.
#include "clock/state/ClockText.h"
#include "clock/state/NumberText.h"
#include "fuzz/FuzzInput.h"

#include <cmath>

using namespace dorvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double leading = LeadingNumber(text);
    Require(!std::isnan(leading));
    // A text that is one whole number is also its own leading number.
    const auto whole = ParseNumber(text);
    Require(!whole || *whole == leading || std::isnan(*whole));
    const auto rounded = RoundToInt16(leading);
    Require(!rounded || std::fabs(*rounded - leading) <= 0.5);
    (void)RoundToByte(leading);
    (void)IsNumberOne(text);
    const auto t = ParseTimeOfDay(text);
    Require(!t || (t->hour <= 23 && t->minute <= 59 && t->second <= 59));
    const auto d = ParseDate(text);
    Require(!d || IsValidDate(*d));
    return 0;
}
