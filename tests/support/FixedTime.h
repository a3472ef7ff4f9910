#pragma once

#include "platform/LocalTime.h"

namespace dorvane::testing {

// The day the tests live on unless they say otherwise: Sunday 6 December 2026.
inline constexpr CivilDate kTestDay{2026, 12, 6};

// A moment of that day (or of another): the seconds may carry a fraction.
inline LocalTime At(int hour, int minute, double second = 0, CivilDate date = kTestDay)
{
    const int whole = static_cast<int>(second);
    return {date, hour, minute, whole, second - whole};
}

} // namespace dorvane::testing
