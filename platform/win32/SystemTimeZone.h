#pragma once

#include "platform/TimeZone.h"

namespace dorvane {

// The time zone Windows is set to, with the daylight-saving rules of the year in question, as
// GetLocalTime applies it.
class SystemTimeZone : public TimeZone {
public:
    LocalTime LocalAt(int64_t unixSeconds) const override;
};

} // namespace dorvane
