#include "tests/clock/TickRig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace dorvane {
namespace {

using testing::At;
using testing::TickRig;

using Journal = std::vector<std::string>;

TEST(TickRun, DrawsSoundsAndRingsThenShowsThePicture)
{
    TickRig rig;
    rig.state.ActivateTick = 1;
    rig.DailyAlarm(0, "7", "05", "AM");
    rig.sounds.onTone = [&](const TickTone&) { rig.window.journal.push_back("tone"); };
    rig.RunAt(At(7, 5, 2));
    EXPECT_EQ(rig.window.journal, (Journal{"draw", "tone", "tone", "tone", "tone", "tone", "present"}));
    ASSERT_EQ(rig.window.drawnAt.size(), 1u);
    EXPECT_EQ(SecondIndex(rig.window.drawnAt[0]), SecondIndex(At(7, 5, 2)));
}

TEST(TickRun, EscapeShowsTheWindowFirst)
{
    TickRig rig;
    rig.window.escapePressed = true;
    rig.RunAt(At(7, 5, 2));
    rig.RunAt(At(7, 5, 3));
    EXPECT_EQ(rig.window.journal, (Journal{"show", "draw", "present", "draw", "present"}));
}

TEST(TickRun, WritesTheTimeLineOfTheOpenOptionsWindow)
{
    TickRig rig;
    rig.RunAt(At(7, 5, 9));
    EXPECT_EQ(rig.options.timeLine, "");
    rig.state.OptionsOpen = true;
    rig.RunAt(At(19, 5, 10));
    EXPECT_EQ(rig.options.timeLine, " Sunday, December 6, 2026 07:05:10 PM ");
}

TEST(TickRun, RunsOncePerWallClockSecond)
{
    TickRig rig;
    LocalTime early = At(7, 5, 2), late = At(7, 5, 2);
    early.fraction = 0.001;
    late.fraction = 0.999;
    rig.RunAt(early);
    rig.RunAt(late);
    EXPECT_EQ(rig.window.drawnAt.size(), 1u);
    rig.RunAt(At(7, 5, 3));
    EXPECT_EQ(rig.window.drawnAt.size(), 2u);
    rig.RunAt(At(6, 5, 3)); // the clock was set back an hour
    EXPECT_EQ(rig.window.drawnAt.size(), 3u);
    ASSERT_TRUE(rig.tick.LastRun().has_value());
    EXPECT_EQ(SecondIndex(*rig.tick.LastRun()), SecondIndex(At(6, 5, 3)));
}

TEST(TickRun, TimerMessageDuringPendingMessagesStartsNoNestedRun)
{
    TickRig rig;
    rig.DailyAlarm(0, "7", "05", "AM");
    rig.pump.pending = [&] {
        rig.tick.UpdateClock(); // the same second
        rig.time.Set(At(7, 5, 1));
        rig.tick.UpdateClock(); // the next one
        EXPECT_EQ(rig.window.journal, Journal{"draw"});
    };
    rig.RunAt(At(7, 5, 0));
    EXPECT_EQ(rig.sounds.Count(ToneUse::AlarmRing), 8) << "one ring for each second, one after the other";
}

TEST(TickRun, TimerMessageDuringAToneStartsNoNestedRun)
{
    TickRig rig;
    rig.state.ActivateTick = 1;
    int depth = 0, deepest = 0;
    rig.sounds.onTone = [&](const TickTone&) {
        deepest = std::max(deepest, ++depth);
        rig.time.Set(LocalTimeAt(ContinuousSeconds(rig.time.Now()) + 1));
        rig.tick.UpdateClock();
        --depth;
    };
    rig.time.Set(At(7, 5, 1));
    rig.tick.UpdateClock();
    EXPECT_EQ(deepest, 1);
    EXPECT_GE(rig.window.drawnAt.size(), 2u) << "the seconds that passed during the tones got their runs";
}

TEST(TickRun, SecondThatBeganDuringARunGetsItsOwnRunAfterIt)
{
    TickRig rig;
    rig.pump.pending = [&] {
        rig.time.Set(At(7, 5, 1));
        rig.tick.UpdateClock();
    };
    rig.RunAt(At(7, 5, 0));
    EXPECT_EQ(rig.window.journal, (Journal{"draw", "present", "draw", "present"}));
    ASSERT_EQ(rig.window.drawnAt.size(), 2u);
    EXPECT_EQ(rig.window.drawnAt[1].second, 1);
}

} // namespace
} // namespace dorvane
