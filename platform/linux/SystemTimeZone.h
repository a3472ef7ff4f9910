#pragma once

#include "platform/TimeZone.h"

namespace dorvane {

// The system's local time zone, with TZ honoured, as SystemTimeSource reads the clock.
class SystemTimeZone : public TimeZone {
public:
    LocalTime LocalAt(int64_t unixSeconds) const override;
};

} // namespace dorvane
