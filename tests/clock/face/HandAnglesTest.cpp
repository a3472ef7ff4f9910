#include "clock/face/HandAngles.h"
#include "tests/support/Fakes.h"

#include <gtest/gtest.h>

namespace dorvane {
namespace {

using testing::At;

TEST(HandAngles, StandWhereTheClockFaceShowsTheTime)
{
    const struct { LocalTime time; float hour, minute, second; } cases[] = {
        {At(0, 0, 0), 0, 0, 0},            {At(18, 0, 0), 180, 0, 0},
        {At(10, 9, 30), 304.75f, 54, 180}, {At(21, 15, 15), 277.625f, 90, 90},
        {At(23, 59, 59), 359.99167f, 354, 354},
        {At(9, 59, 59.999), 299.99167f, 354, 354}, // a fraction of a second does not count
    };
    for (const auto& c : cases) {
        const HandAngles angles = HandAnglesAt(c.time);
        EXPECT_FLOAT_EQ(angles.hour, c.hour) << c.hour;
        EXPECT_FLOAT_EQ(angles.minute, c.minute) << c.hour;
        EXPECT_FLOAT_EQ(angles.second, c.second) << c.hour;
    }
}

} // namespace
} // namespace dorvane
