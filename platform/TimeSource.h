#pragma once

#include "platform/LocalTime.h"

#include <optional>

namespace dorvane {

// Where the program learns the local date and time.
class TimeSource {
public:
    virtual ~TimeSource() = default;
    virtual LocalTime Now() = 0;
    // Seconds on a clock that only runs forward, is never set, and counts the time the computer
    // spent asleep; nullopt where there is none, and the wall clock alone must do.
    virtual std::optional<double> MonotonicSeconds() { return std::nullopt; }
};

} // namespace dorvane
