#pragma once

#include "platform/LocalTime.h"

namespace dorvane {

// Where the program learns the local date and time.
class TimeSource {
public:
    virtual ~TimeSource() = default;
    virtual LocalTime Now() = 0;
};

} // namespace dorvane
