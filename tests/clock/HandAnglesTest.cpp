#include "clock/HandAngles.h"

#include "tests/clock/HandAngleCases.h"

#include <gtest/gtest.h>

#include <type_traits>

namespace dorvane {
namespace {

using testing::ClockAt;

static_assert(std::is_same_v<decltype(HandAngles::hour), float>, "the hands turn in single precision");

TEST(HandAngles, StandWhereTheClockFaceShowsTheTime)
{
    for (const auto& c : testing::HandAngleCases()) {
        const HandAngles angles = HandAnglesAt(c.time);
        SCOPED_TRACE(::testing::Message() << c.time.hour << ":" << c.time.minute << ":" << c.time.second);
        EXPECT_FLOAT_EQ(angles.hour, c.hour);
        EXPECT_FLOAT_EQ(angles.minute, c.minute);
        EXPECT_FLOAT_EQ(angles.second, c.second);
    }
}

TEST(HandAngles, OneSecondBeforeTenTheHourHandHasNotReachedThreeHundred)
{
    const HandAngles angles = HandAnglesAt(ClockAt(9, 59, 59));
    EXPECT_FLOAT_EQ(angles.minute, 354);
    EXPECT_FLOAT_EQ(angles.second, 354);
    EXPECT_NEAR(angles.hour, 299.99f, 0.005f);
    EXPECT_LT(angles.hour, 300.0f);
    EXPECT_FLOAT_EQ(HandAnglesAt(ClockAt(10, 0, 0)).hour, 300);
}

TEST(HandAngles, TheHourHandMovesOneDegreeEveryTwoMinutesAndTheOthersJump)
{
    for (int t = 0; t < 43200; t += 120)
        EXPECT_FLOAT_EQ(HourHandAngle(t), static_cast<float>(t / 120)) << t;
    EXPECT_FLOAT_EQ(HourHandAngle(43199), 359.99167f);
    EXPECT_FLOAT_EQ(HourHandAngle(86399), HourHandAngle(43199));
    for (int step = 0; step < 60; ++step) {
        EXPECT_FLOAT_EQ(MinuteHandAngle(step), step * 6.0f);
        EXPECT_FLOAT_EQ(SecondHandAngle(step), step * 6.0f);
    }
}

TEST(HandAngles, FractionsOfASecondDoNotMoveAnyHand)
{
    const HandAngles whole = HandAnglesAt(ClockAt(9, 59, 59));
    const HandAngles late = HandAnglesAt(ClockAt(9, 59, 59, 0.999));
    EXPECT_EQ(late.hour, whole.hour);
    EXPECT_EQ(late.minute, whole.minute);
    EXPECT_EQ(late.second, whole.second);
}

} // namespace
} // namespace dorvane
