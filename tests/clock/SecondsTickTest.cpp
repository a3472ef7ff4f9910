#include "tests/clock/TickRig.h"

#include <gtest/gtest.h>

#include <set>

namespace dorvane {
namespace {

using testing::At;
using testing::RecordingTickSounds;
using testing::TickRig;
using Route = RecordingTickSounds::Route;

TEST(SecondsTick, SoundsTwiceAtSecondOneAndOnceAtEveryOtherSecond)
{
    const struct {
        int second;
        int ticks;
    } cases[] = {{0, 1}, {1, 2}, {2, 1}, {16, 1}, {31, 1}, {59, 1}};
    for (const auto& c : cases) {
        TickRig rig;
        rig.state.ActivateTick = 1;
        rig.state.TickFreq = 6000;
        rig.state.TickDur = 30;
        rig.RunAt(At(9, 30, c.second));
        ASSERT_EQ(rig.sounds.played.size(), static_cast<std::size_t>(c.ticks)) << "second " << c.second;
        for (const auto& played : rig.sounds.played) {
            EXPECT_EQ(played.route, Route::SoundRule);
            EXPECT_EQ(played.tone, (TickTone{ToneUse::SecondsTick, 6000, 30, 0, true}));
        }
    }
}

TEST(SecondsTick, IsSilentUnlessActivateTickIsOne)
{
    for (int16_t activate : {0, 2, -1}) {
        TickRig rig;
        rig.state.ActivateTick = activate;
        rig.RunSeconds(At(9, 30, 0), 3);
        EXPECT_TRUE(rig.sounds.played.empty()) << activate;
    }
}

TEST(SecondsTick, BrisaTicksAlwaysGoThroughTheToneGenerator)
{
    for (int16_t speaker : {0, 1}) {
        TickRig rig;
        rig.state.Skin = "BRISA";
        rig.state.ActivateTick = 1;
        rig.state.ComputerSpeaker = speaker;
        rig.RunSeconds(At(9, 30, 0), 60);
        for (const auto& played : rig.sounds.played)
            EXPECT_EQ(played.route, Route::ToneGenerator);
        EXPECT_EQ(rig.sounds.Count(ToneUse::SecondsTick), 0);
    }
}

TEST(SecondsTick, BrisaRepeatsItsChirpAtSeconds16_31_46AndMarksTheMinuteAtSecond1)
{
    TickRig rig;
    rig.state.Skin = "BRISA";
    rig.state.ActivateTick = 1;
    for (int second = 0; second < 60; ++second) {
        rig.sounds.played.clear();
        rig.RunAt(At(9, 30, second));
        const bool repeated = second == 16 || second == 31 || second == 46;
        EXPECT_EQ(rig.sounds.Count(ToneUse::BrisaTick), repeated ? 2 : 1) << second;
        EXPECT_EQ(rig.sounds.Count(ToneUse::BrisaMinuteMark), second == 1 ? 2 : 0) << second;
        const TickTone& chirp = rig.sounds.played.front().tone;
        EXPECT_EQ(chirp.milliseconds, 100);
        EXPECT_EQ(chirp.waveType, 4);
        EXPECT_TRUE(chirp.decay);
        if (repeated) {
            EXPECT_EQ(rig.sounds.played[1].tone, chirp) << "the second chirp has the same frequency";
        }
        if (second == 1) {
            EXPECT_EQ(rig.sounds.played[1].tone, (TickTone{ToneUse::BrisaMinuteMark, 500, 100, 4, true}));
        }
    }
}


TEST(SecondsTick, BrisaFrequencyCoversTheWholeRange)
{
    const struct {
        double random;
        int frequency;
    } cases[] = {{0.0, 2000}, {0.5, 4500}, {0.99999, 7000}, {1.0, 7000}, {0.0002, 2001}};
    for (const auto& c : cases)
        EXPECT_EQ(BrisaTickFrequency(c.random), c.frequency) << c.random;
}


} // namespace
} // namespace dorvane
