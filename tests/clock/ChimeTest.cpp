#include "clock/ClockText.h"
#include "tests/clock/TickRig.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dorvane {
namespace {

using testing::At;
using testing::TickRig;

struct ChimeRig : TickRig {
    ChimeRig()
    {
        state.ActivateChime = 1;
        state.SelectChime = "BigBen";
    }
    // Runs at each of the given times and returns the "hh:mm:ss ampm" of the runs that struck.
    std::vector<std::string> StrokesAt(const std::vector<LocalTime>& runs)
    {
        std::vector<std::string> strokes;
        for (const LocalTime& t : runs) {
            const auto before = sounds.played.size();
            RunAt(t);
            if (sounds.played.size() != before)
                strokes.push_back(FormatHourMinuteSecond(t));
        }
        return strokes;
    }
    std::vector<std::string> StrokesOver(const LocalTime& from, int seconds)
    {
        std::vector<LocalTime> runs;
        for (int i = 0; i < seconds; ++i)
            runs.push_back(LocalTimeAt(ContinuousSeconds(from) + i));
        return StrokesAt(runs);
    }
};

TEST(HourlyChime, StrikesTwelveTimesAtNoonTwoSecondsApart)
{
    ChimeRig rig;
    const auto strokes = rig.StrokesOver(At(11, 59, 50), 60);
    std::vector<std::string> expected;
    for (int second = 0; second < 24; second += 2)
        expected.push_back("12:00:" + std::string(second < 10 ? "0" : "") + std::to_string(second) + " PM");
    EXPECT_EQ(strokes, expected);
    EXPECT_EQ(rig.sounds.RecordedChimes(), 12);
    EXPECT_EQ(rig.tick.ChimeStroke(), 0);
}

TEST(HourlyChime, StrikesTheHourOfTheTwelveHourDial)
{
    const struct {
        int hour;
        std::size_t strokes;
    } cases[] = {{0, 12}, {1, 1}, {3, 3}, {11, 11}, {12, 12}, {13, 1}, {18, 6}, {23, 11}};
    for (const auto& c : cases) {
        ChimeRig rig;
        EXPECT_EQ(rig.StrokesOver(At(c.hour, 0, 0), 40).size(), c.strokes) << c.hour;
    }
}

TEST(HourlyChime, StrikesOnceWithChimeRingOnce)
{
    for (int hour : {0, 7, 12}) {
        ChimeRig rig;
        rig.state.ChimeRingOnce = 1;
        EXPECT_EQ(rig.StrokesOver(At(hour, 0, 0), 30), std::vector<std::string>{FormatHourMinuteSecond(At(hour, 0, 0))});
    }
}

TEST(HourlyChime, RecordedChimeOrToneBySelectChime)
{
    const struct {
        const char* select;
        bool recorded;
    } cases[] = {{"BigBen", true}, {"Tone", false}, {"bigben", false}, {"", false}};
    for (const auto& c : cases) {
        ChimeRig rig;
        rig.state.SelectChime = c.select;
        rig.state.ChimeFreq = 440;
        rig.RunAt(At(3, 0, 0));
        ASSERT_EQ(rig.sounds.played.size(), 1u) << c.select;
        if (c.recorded) {
            EXPECT_EQ(rig.sounds.RecordedChimes(), 1);
        } else {
            EXPECT_EQ(rig.sounds.played[0].route, testing::RecordingTickSounds::Route::SoundRule);
            EXPECT_EQ(rig.sounds.played[0].tone, (TickTone{ToneUse::ChimeStroke, 440, 500, 0, false}));
        }
    }
}

TEST(HourlyChime, IsSilentUnlessActivateChimeIsOne)
{
    for (int16_t activate : {0, 2}) {
        ChimeRig rig;
        rig.state.ActivateChime = activate;
        EXPECT_TRUE(rig.StrokesOver(At(12, 0, 0), 30).empty()) << activate;
    }
}

TEST(HourlyChime, StrikesAtTheFirstRunOfTheHourWhenALateTimerSkippedSecondZero)
{
    ChimeRig rig;
    EXPECT_EQ(rig.StrokesAt({At(14, 59, 59), At(15, 0, 2), At(15, 0, 3), At(15, 0, 4), At(15, 0, 5), At(15, 0, 6),
                             At(15, 0, 7), At(15, 0, 8), At(15, 0, 9)}),
              (std::vector<std::string>{"03:00:02 PM", "03:00:04 PM", "03:00:06 PM"}));
}


TEST(HourlyChime, StrikesOnlyOncePerHourWhateverTheRunsOfItsFirstMinute)
{
    ChimeRig rig;
    rig.state.ChimeRingOnce = 1;
    LocalTime early = At(9, 0, 0);
    early.fraction = 0.001;
    LocalTime late = At(9, 0, 0);
    late.fraction = 0.999;
    EXPECT_EQ(rig.StrokesAt({At(8, 59, 59), early, late, At(9, 0, 1), At(9, 0, 3), At(9, 0, 59)}),
              std::vector<std::string>{"09:00:00 AM"});
}

TEST(HourlyChime, MidnightAfterElevenStrikesTwelve)
{
    ChimeRig rig;
    EXPECT_EQ(rig.StrokesOver(At(23, 0, 0, {2026, 12, 5}), 60).size(), 11u);
    rig.RunSeconds(At(23, 1, 0, {2026, 12, 5}), 60);
    const auto strokes = rig.StrokesOver(At(23, 59, 58, {2026, 12, 5}), 40);
    ASSERT_EQ(strokes.size(), 12u);
    EXPECT_EQ(strokes.front(), "12:00:00 AM");
    EXPECT_EQ(strokes.back(), "12:00:22 AM");
}

TEST(HourlyChime, ChimeStartsAtMatchesItsRule)
{
    const struct {
        const char* what;
        LocalTime now;
        std::optional<LocalTime> previous;
        bool starts;
    } cases[] = {
        {"second 0, no earlier run", At(12, 0, 0), std::nullopt, true},
        {"second 0", At(12, 0, 0), At(11, 59, 59), true},
        {"second 1 after 0", At(12, 0, 1), At(12, 0, 0), false},
        {"second 3 after 59 of the hour before", At(12, 0, 3), At(11, 59, 59), true},
        {"second 3, no earlier run", At(12, 0, 3), std::nullopt, false},
        {"minute 1 after the hour before", At(12, 1, 0), At(11, 59, 59), false},
        {"second 5 of the next day's midnight", At(0, 0, 5, {2026, 12, 7}), At(23, 59, 59), true},
        {"mid-hour", At(12, 30, 0), At(12, 29, 59), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChimeStartsAt(c.now, c.previous), c.starts) << c.what;
}

} // namespace
} // namespace dorvane
