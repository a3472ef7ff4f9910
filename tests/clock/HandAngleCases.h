#pragma once

#include "platform/LocalTime.h"

#include <vector>

namespace dorvane::testing {

// A moment and where the clock's hands stand then, in degrees clockwise from 12. Both the angle
// arithmetic and the drawn face are checked against these.
struct HandAngleCase {
    LocalTime time;
    float hour, minute, second;
};

inline LocalTime ClockAt(int hour, int minute, int second, double fraction = 0)
{
    return {{2026, 12, 6}, hour, minute, second, fraction};
}

inline const std::vector<HandAngleCase>& HandAngleCases()
{
    static const std::vector<HandAngleCase> cases = {
        {ClockAt(12, 0, 0), 0, 0, 0},
        {ClockAt(0, 0, 0), 0, 0, 0},
        {ClockAt(6, 0, 0), 180, 0, 0},
        {ClockAt(18, 0, 0), 180, 0, 0},
        {ClockAt(3, 30, 0), 105, 180, 0},
        {ClockAt(15, 30, 0), 105, 180, 0},
        {ClockAt(3, 30, 45), 105.375f, 180, 270},
        {ClockAt(10, 9, 30), 304.75f, 54, 180},
        {ClockAt(13, 0, 45), 30.375f, 0, 270},
        {ClockAt(21, 15, 15), 277.625f, 90, 90},
    };
    return cases;
}

} // namespace dorvane::testing
