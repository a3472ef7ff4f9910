#pragma once

#include "platform/TimeSource.h"

namespace dorvane {

// The computer's wall clock in the local time zone.
class SystemTimeSource : public TimeSource {
public:
    LocalTime Now() override;
};

} // namespace dorvane
