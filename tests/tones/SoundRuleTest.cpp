#include "tones/SoundRule.h"

#include "tests/platform/FakeMessagePump.h"
#include "tests/platform/RecordingSoundOutput.h"
#include "tests/tones/ImageOf.h"

#include <gtest/gtest.h>

namespace dorvane {
namespace {

using testing::FakeMessagePump;
using testing::ImageOf;
using testing::RecordingSoundOutput;
using Kind = RecordingSoundOutput::Played::Kind;


class SoundRuleTest : public ::testing::Test {
protected:
    ClockState state;
    RecordingSoundOutput sound;
    FakeMessagePump pump;
    ToneGenerator generator{sound, pump};
};

TEST_F(SoundRuleTest, ComputerSpeakerBeepsTheFrequencyForTheLength)
{
    for (int16_t speaker : {1, -1, 2}) {
        state.ComputerSpeaker = speaker;
        sound.played.clear();
        PlayTone(state, generator, {2000, 120});
        ASSERT_EQ(sound.played.size(), 1u);
        EXPECT_EQ(sound.played[0].kind, Kind::Beep);
        EXPECT_EQ(sound.played[0].frequencyHz, 2000);
        EXPECT_EQ(sound.played[0].milliseconds, 120);
    }
    EXPECT_TRUE(generator.WavImage().empty());
}

TEST_F(SoundRuleTest, ComputerSpeakerIgnoresTheToneShape)
{
    state.ComputerSpeaker = 1;
    PlayTone(state, generator, {7000, 50, ToneGenerator::Sawtooth, true});
    ASSERT_EQ(sound.played.size(), 1u);
    EXPECT_EQ(sound.played[0].kind, Kind::Beep);
    EXPECT_EQ(sound.played[0].frequencyHz, 7000);
    EXPECT_EQ(sound.played[0].milliseconds, 50);
}

TEST_F(SoundRuleTest, OtherwiseTheToneGeneratorPlaysItAtFreqVolOnBothChannels)
{
    struct Case {
        Tone tone;
        int16_t volume;
        float seconds;
    };
    const Case cases[] = {
        {{2000, 120}, 16250, 0.12f},
        {{7000, 50, ToneGenerator::PureSine, true}, 30000, 0.05f},
        {{500, 500}, 1000, 0.5f},
        {{3500, 100, ToneGenerator::Sawtooth, true}, 16250, 0.1f},
    };
    for (const auto& c : cases) {
        state.FreqVol = c.volume;
        sound.played.clear();
        PlayTone(state, generator, c.tone);
        ASSERT_EQ(sound.played.size(), 1u);
        EXPECT_EQ(sound.played[0].kind, Kind::WavSync);
        EXPECT_EQ(sound.played[0].wav,
                  ImageOf(c.tone.frequencyHz, c.volume, c.seconds, c.tone.waveType, c.tone.decay))
            << c.tone.frequencyHz;
    }
}

TEST_F(SoundRuleTest, StartSignalIsTwo2000HzTonesOf100Ms)
{
    PlayStartSignal(state, generator);
    ASSERT_EQ(sound.played.size(), 2u);
    const auto expected = ImageOf(2000, state.FreqVol, 0.1f, 0, false);
    EXPECT_EQ(sound.played[0].wav, expected);
    EXPECT_EQ(sound.played[1].wav, expected);

    state.ComputerSpeaker = 1;
    sound.played.clear();
    PlayStartSignal(state, generator);
    ASSERT_EQ(sound.played.size(), 2u);
    for (const auto& played : sound.played) {
        EXPECT_EQ(played.kind, Kind::Beep);
        EXPECT_EQ(played.frequencyHz, 2000);
        EXPECT_EQ(played.milliseconds, 100);
    }
}

TEST_F(SoundRuleTest, StopSignalIsOne2000HzToneOf100Ms)
{
    PlayStopSignal(state, generator);
    ASSERT_EQ(sound.played.size(), 1u);
    EXPECT_EQ(sound.played[0].wav, ImageOf(2000, state.FreqVol, 0.1f, 0, false));

    state.ComputerSpeaker = 1;
    sound.played.clear();
    PlayStopSignal(state, generator);
    ASSERT_EQ(sound.played.size(), 1u);
    EXPECT_EQ(sound.played[0].kind, Kind::Beep);
    EXPECT_EQ(sound.played[0].frequencyHz, 2000);
    EXPECT_EQ(sound.played[0].milliseconds, 100);
}

TEST_F(SoundRuleTest, ToneTooLongToSynthesiseIsSkipped)
{
    PlayTone(state, generator, {2000, 2000000000});
    EXPECT_TRUE(sound.played.empty());
}

} // namespace
} // namespace dorvane
