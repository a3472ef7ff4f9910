#include "clock/HandAngles.h"

#include <gtest/gtest.h>

#include <type_traits>

namespace dorvane {
namespace {

LocalTime At(int hour, int minute, int second, double fraction = 0)
{
    return {{2026, 12, 6}, hour, minute, second, fraction};
}

static_assert(std::is_same_v<decltype(HandAngles::hour), float>, "the hands turn in single precision");

struct AnglesCase {
    LocalTime time;
    float hour, minute, second;
};

TEST(HandAngles, StandWhereTheClockFaceShowsTheTime)
{
    const AnglesCase cases[] = {
        {At(12, 0, 0), 0, 0, 0},
        {At(0, 0, 0), 0, 0, 0},
        {At(6, 0, 0), 180, 0, 0},
        {At(18, 0, 0), 180, 0, 0},
        {At(3, 30, 0), 105, 180, 0},
        {At(15, 30, 0), 105, 180, 0},
        {At(10, 9, 30), 304.75f, 54, 180},
        {At(13, 0, 45), 30.375f, 0, 270},
    };
    for (const auto& c : cases) {
        const HandAngles angles = HandAnglesAt(c.time);
        SCOPED_TRACE(testing::Message() << c.time.hour << ":" << c.time.minute << ":" << c.time.second);
        EXPECT_FLOAT_EQ(angles.hour, c.hour);
        EXPECT_FLOAT_EQ(angles.minute, c.minute);
        EXPECT_FLOAT_EQ(angles.second, c.second);
    }
}

TEST(HandAngles, OneSecondBeforeTenTheHourHandHasNotReachedThreeHundred)
{
    const HandAngles angles = HandAnglesAt(At(9, 59, 59));
    EXPECT_FLOAT_EQ(angles.minute, 354);
    EXPECT_FLOAT_EQ(angles.second, 354);
    EXPECT_NEAR(angles.hour, 299.99f, 0.005f);
    EXPECT_LT(angles.hour, 300.0f);
    EXPECT_FLOAT_EQ(HandAnglesAt(At(10, 0, 0)).hour, 300);
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
    const HandAngles whole = HandAnglesAt(At(9, 59, 59));
    const HandAngles late = HandAnglesAt(At(9, 59, 59, 0.999));
    EXPECT_EQ(late.hour, whole.hour);
    EXPECT_EQ(late.minute, whole.minute);
    EXPECT_EQ(late.second, whole.second);
}

} // namespace
} // namespace dorvane
