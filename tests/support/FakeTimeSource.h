#pragma once

#include "platform/TimeSource.h"

namespace dorvane::testing {

// A clock that shows whatever time the test sets.
class FakeTimeSource : public TimeSource {
public:
    explicit FakeTimeSource(LocalTime now = {}) : now_(now) {}
    LocalTime Now() override { return now_; }
    void Set(LocalTime now) { now_ = now; }

private:
    LocalTime now_;
};

} // namespace dorvane::testing
