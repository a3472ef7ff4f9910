#include "clock/tick/TickTiming.h"
#include "tests/support/TickRig.h"

#include <gtest/gtest.h>

namespace dorvane {
namespace {

using testing::At;

TEST(TimeBase, CountsSecondsAndHoursOnAcrossMidnightMonthsAndYearsAndBack)
{
    const struct {
        LocalTime before, after;
        int seconds, hours;
    } cases[] = {
        {At(23, 59, 59, {2026, 12, 31}), At(0, 0, 0, {2027, 1, 1}), 1, 1},
        {At(23, 59, 59, {2028, 2, 28}), At(0, 0, 0, {2028, 2, 29}), 1, 1},
        {At(23, 59, 59, {2027, 2, 28}), At(0, 0, 0, {2027, 3, 1}), 1, 1},
        {At(23, 58, 0, {2026, 12, 6}), At(0, 1, 0, {2026, 12, 7}), 180, 1},
        {At(12, 0, 0, {1969, 12, 31}), At(12, 0, 0, {1970, 1, 1}), 86400, 24},
        {At(12, 0, 0), At(12, 59, 59), 3599, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.before.date.year << "-" << c.before.date.month << "-" << c.before.date.day);
        EXPECT_NEAR(ContinuousSeconds(c.after) - ContinuousSeconds(c.before), c.seconds, 1e-6);
        EXPECT_EQ(SecondIndex(c.after) - SecondIndex(c.before), c.seconds);
        EXPECT_EQ(HourIndex(c.after) - HourIndex(c.before), c.hours);
        for (const LocalTime& t : {c.before, c.after}) { // and back
            const LocalTime back = LocalTimeAt(ContinuousSeconds(t));
            EXPECT_EQ(std::tuple(back.date, back.hour, back.minute, back.second), std::tuple(t.date, t.hour, t.minute, t.second));
            EXPECT_NEAR(back.fraction, t.fraction, 1e-5);
        }
    }
}

TEST(Spacing, IsMoreThanTheGapSinceTheLastSound)
{
    const struct {
        double now;
        std::optional<double> last;
        bool spaced;
    } cases[] = {
        {100.0, std::nullopt, true}, {100.52, 100.0, false}, {100.53, 100.0, true}, {40.0, 100.0, true} /* set back */};
    for (const auto& c : cases)
        EXPECT_EQ(SpacedMoreThan(c.now, c.last, 0.52), c.spaced) << c.now << " after " << c.last.value_or(-1);
}

TEST(TimerAlignment, AimsJustAfterTheSecondThatFollowsTheLastRun)
{
    auto at = [](int second, double fraction) {
        LocalTime t = At(7, 5, second);
        t.fraction = fraction;
        return t;
    };
    const struct {
        const char* what;
        LocalTime lastRun, now;
        int milliseconds;
    } cases[] = {
        {"a run that took 600 ms", at(0, 0.015), at(0, 0.615), 400},
        {"a run that started late", at(0, 0.400), at(0, 0.410), 605},
        {"a run that ended after its second", at(0, 0.015), at(1, 0.005), 10},
        {"a run that overran the next run's moment", at(0, 0.015), at(1, 0.500), 0},
        {"a clock set back an hour", at(0, 0.015), LocalTimeAt(ContinuousSeconds(at(0, 0.015)) - 3600), 1015},
        {"the first run", at(0, 0.7), at(0, 0.7), 315},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MillisecondsUntilNextTick(c.lastRun, c.now), c.milliseconds) << c.what;
}

} // namespace
} // namespace dorvane
