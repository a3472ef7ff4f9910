#pragma once

#include "platform/LocalTime.h"

#include <cstdint>

namespace dorvane {

// The local time zone, as the clock's time source applies it: the local date and time the clock
// shows at a moment.
class TimeZone {
public:
    virtual ~TimeZone() = default;
    // The local date and time at a whole number of seconds since 1970-01-01 00:00:00 UTC; its
    // fraction is 0.
    virtual LocalTime LocalAt(int64_t unixSeconds) const = 0;
};

} // namespace dorvane
