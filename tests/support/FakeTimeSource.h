#pragma once

#include "platform/TimeSource.h"

namespace dorvane::testing {

// A clock that shows whatever time the test sets, and a monotonic clock when the test sets one.
struct FakeTimeSource : TimeSource {
    explicit FakeTimeSource(LocalTime now = {}) : now(now) {}
    LocalTime Now() override { return now; }
    std::optional<double> MonotonicSeconds() override { return monotonic; }
    void Set(LocalTime time) { now = time; }
    LocalTime now;
    std::optional<double> monotonic;
};

} // namespace dorvane::testing
