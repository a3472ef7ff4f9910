#pragma once

#include "platform/LocalTime.h"

#include <cstdint>

namespace dorvane {

// Where the hands stand, in degrees clockwise from 12, in single precision as they are drawn.
struct HandAngles {
    float hour = 0;
    float minute = 0;
    float second = 0;
};

// The hour hand moves on continuously, one degree every 120 seconds: (t mod 43200) / 360 × 3 for t
// whole seconds since midnight, so at 9:59:59 it stands at 299.99, not yet at 300.
float HourHandAngle(std::int32_t secondsSinceMidnight);
// The minute hand jumps once a minute and the second hand once a second: 6 degrees a step.
float MinuteHandAngle(int minute);
float SecondHandAngle(int second);

// All three for a moment of the local clock; its fraction of a second does not count.
HandAngles HandAnglesAt(const LocalTime& time);

} // namespace dorvane
