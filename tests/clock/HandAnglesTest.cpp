#include "clock/HandAngles.h"

#include <gtest/gtest.h>

#include <type_traits>

namespace dorvane {
namespace {

static_assert(std::is_same_v<decltype(HandAngles::hour), float>, "the hands turn in single precision");

LocalTime ClockAt(int hour, int minute, int second, double fraction = 0)
{
    return {{2026, 12, 6}, hour, minute, second, fraction};
}

TEST(HandAngles, StandWhereTheClockFaceShowsTheTime)
{
    const struct {
        LocalTime time;
        float hour, minute, second;
    } cases[] = {
        {ClockAt(12, 0, 0), 0, 0, 0},           {ClockAt(0, 0, 0), 0, 0, 0},
        {ClockAt(6, 0, 0), 180, 0, 0},          {ClockAt(18, 0, 0), 180, 0, 0},
        {ClockAt(3, 30, 0), 105, 180, 0},       {ClockAt(15, 30, 45), 105.375f, 180, 270},
        {ClockAt(10, 9, 30), 304.75f, 54, 180}, {ClockAt(21, 15, 15), 277.625f, 90, 90},
        {ClockAt(10, 0, 0), 300, 0, 0},         {ClockAt(23, 59, 59), 359.99167f, 354, 354},
        {ClockAt(9, 59, 59, 0.999), 299.99167f, 354, 354},  // a fraction of a second does not count
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.time.hour << ":" << c.time.minute << ":" << c.time.second);
        const HandAngles angles = HandAnglesAt(c.time);
        EXPECT_FLOAT_EQ(angles.hour, c.hour);
        EXPECT_FLOAT_EQ(angles.minute, c.minute);
        EXPECT_FLOAT_EQ(angles.second, c.second);
    }
}

TEST(HandAngles, OneSecondBeforeTenTheHourHandHasNotReachedThreeHundred)
{
    EXPECT_LT(HandAnglesAt(ClockAt(9, 59, 59)).hour, 300.0f);
    EXPECT_FLOAT_EQ(HourHandAngle(86399), HourHandAngle(43199));
}

} // namespace
} // namespace dorvane
