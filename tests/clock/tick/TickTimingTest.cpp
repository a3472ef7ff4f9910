#include "clock/tick/TickTiming.h"
#include "clock/state/ClockText.h"
#include "tests/support/Fakes.h"

#include <gtest/gtest.h>

#include <optional>

namespace dorvane {
namespace {

using testing::At;

TEST(TickTiming, CountsSecondsAndHoursOnAcrossMidnightMonthsAndYearsAndBackAndAimsTheTimerJustAfterTheNextSecond)
{
    const struct { LocalTime before, after; int seconds, hours; } cases[] = {
        {At(23, 59, 59, {2026, 12, 31}), At(0, 0, 0, {2027, 1, 1}), 1, 1}, {At(12, 0, 0), At(12, 59, 59), 3599, 0},
        {At(23, 59, 59, {2028, 2, 28}), At(0, 0, 0, {2028, 2, 29}), 1, 1},
        {At(23, 59, 59, {2027, 2, 28}), At(0, 0, 0, {2027, 3, 1}), 1, 1},
        {At(23, 58, 0, {2026, 12, 6}), At(0, 1, 0, {2026, 12, 7}), 180, 1},
        {At(12, 0, 0, {1969, 12, 31}), At(12, 0, 0, {1970, 1, 1}), 86400, 24},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(FormatTimestamp(c.before));
        EXPECT_NEAR(ContinuousSeconds(c.after) - ContinuousSeconds(c.before), c.seconds, 1e-6);
        EXPECT_EQ(SecondIndex(c.after) - SecondIndex(c.before), c.seconds);
        EXPECT_EQ(HourIndex(c.after) - HourIndex(c.before), c.hours);
        for (const LocalTime& t : {c.before, c.after}) { // and back
            const LocalTime back = LocalTimeAt(ContinuousSeconds(t));
            EXPECT_EQ(std::tuple(back.date, back.hour, back.minute, back.second),
                      std::tuple(t.date, t.hour, t.minute, t.second));
            EXPECT_NEAR(back.fraction, t.fraction, 1e-5);
        }
    }
    const std::pair<double, std::optional<double>> spaced[] = {{100.0, std::nullopt}, {100.53, 100.0}, {40.0, 100.0}};
    for (const auto& [now, last] : spaced) // more than the gap since the last sound, or the clock set back
        EXPECT_TRUE(SpacedMoreThan(now, last, 0.52)) << now;
    EXPECT_FALSE(SpacedMoreThan(100.52, 100.0, 0.52));
    // The timer aims just after the second that follows the last run.
    const struct { const char* what; LocalTime lastRun, now; int milliseconds; } timers[] = {
        {"a run that took 600 ms", At(7, 5, 0.015), At(7, 5, 0.615), 400}, {"the first", At(7, 5, 0.7), At(7, 5, 0.7), 315},
        {"a run that started late", At(7, 5, 0.4), At(7, 5, 0.41), 605},
        {"a run that ended after its second", At(7, 5, 0.015), At(7, 5, 1.005), 10},
        {"a run that overran the next run's moment", At(7, 5, 0.015), At(7, 5, 1.5), 0},
        {"a clock set back an hour", At(7, 5, 0.015), At(6, 5, 0.015), 1015},
    };
    for (const auto& c : timers)
        EXPECT_EQ(MillisecondsUntilNextTick(c.lastRun, c.now), c.milliseconds) << c.what;
}

} // namespace
} // namespace dorvane
