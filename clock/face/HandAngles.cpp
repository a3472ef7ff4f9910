#include "clock/face/HandAngles.h"

namespace dorvane {

namespace {
constexpr std::int32_t kSecondsPerDialTurn = 12 * 3600;
constexpr float kDegreesPerStep = 6.0f;
} // namespace

float HourHandAngle(std::int32_t secondsSinceMidnight)
{
    const std::int32_t onDial = secondsSinceMidnight % kSecondsPerDialTurn;
    return static_cast<float>(onDial) / 360.0f * 3.0f;
}

float MinuteHandAngle(int minute) { return static_cast<float>(minute) * kDegreesPerStep; }

float SecondHandAngle(int second) { return static_cast<float>(second) * kDegreesPerStep; }

HandAngles HandAnglesAt(const LocalTime& time)
{
    const std::int32_t wholeSeconds = time.hour * 3600 + time.minute * 60 + time.second;
    return {HourHandAngle(wholeSeconds), MinuteHandAngle(time.minute), SecondHandAngle(time.second)};
}

} // namespace dorvane
