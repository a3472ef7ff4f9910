#pragma once

#include "platform/TimeSource.h"

namespace dorvane {

// The computer's wall clock in the local time zone (GetLocalTime, its milliseconds as the
// fraction), and the tick count since the system started, which runs on while the computer sleeps.
class SystemTimeSource : public TimeSource {
public:
    LocalTime Now() override;
    std::optional<double> MonotonicSeconds() override;
};

} // namespace dorvane
