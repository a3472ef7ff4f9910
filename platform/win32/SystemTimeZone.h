#pragma once

#include "platform/TimeZone.h"

#include <windows.h>

namespace dorvane {

// The time zone Windows is set to, with the daylight-saving rules of the year in question, as
// GetLocalTime applies it.
class SystemTimeZone : public TimeZone {
public:
    LocalTime LocalAt(int64_t unixSeconds) const override;

    // The local time at a moment in a zone described as Windows describes it: a bias, and the rule
    // of each change between standard and summer time.
    static LocalTime LocalAt(int64_t unixSeconds, const TIME_ZONE_INFORMATION& zone);
};

} // namespace dorvane
