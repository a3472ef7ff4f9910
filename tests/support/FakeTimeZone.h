#pragma once

#include "clock/tick/TickTiming.h"
#include "platform/TimeZone.h"

namespace dorvane::testing {

// A time zone without daylight saving, a fixed number of seconds ahead of UTC (UTC by default).
struct FakeTimeZone : TimeZone {
    explicit FakeTimeZone(int64_t offsetSeconds = 0) : offset(offsetSeconds) {}
    LocalTime LocalAt(int64_t unixSeconds) const override { return LocalTimeAt(double(unixSeconds + offset)); }
    int64_t offset;
};

} // namespace dorvane::testing
