#pragma once

#include "platform/TimeSource.h"

namespace dorvane::testing {

// A clock that shows whatever time the test sets.
struct FakeTimeSource : TimeSource {
    explicit FakeTimeSource(LocalTime now = {}) : now(now) {}
    LocalTime Now() override { return now; }
    void Set(LocalTime time) { now = time; }
    LocalTime now;
};

} // namespace dorvane::testing
