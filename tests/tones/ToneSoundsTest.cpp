#include "tones/ToneSounds.h"

#include "tests/platform/FakeMessagePump.h"
#include "tests/platform/RecordingSoundOutput.h"
#include "tests/tones/ImageOf.h"
#include "tones/RecordedChime.h"

#include <gtest/gtest.h>

namespace dorvane {
namespace {

using testing::ImageOf;
using testing::RecordingSoundOutput;
using Kind = RecordingSoundOutput::Played::Kind;

class ToneSoundsTest : public ::testing::Test {
protected:
    ClockState state;
    RecordingSoundOutput sound;
    testing::FakeMessagePump pump;
    ToneGenerator generator{sound, pump};
    ToneSounds sounds{state, generator};
};

TEST_F(ToneSoundsTest, TickTonesFollowTheSoundRule)
{
    const TickTone ring{ToneUse::AlarmRing, 2000, 120, 0, false};
    sounds.PlayTone(ring);
    state.ComputerSpeaker = 1;
    sounds.PlayTone(ring);
    ASSERT_EQ(sound.played.size(), 2u);
    EXPECT_EQ(sound.played[0].kind, Kind::WavSync);
    EXPECT_EQ(sound.played[0].wav, ImageOf(2000, state.FreqVol, 0.12f, 0, false));
    EXPECT_EQ(sound.played[1].kind, Kind::Beep);
    EXPECT_EQ(sound.played[1].frequencyHz, 2000);
    EXPECT_EQ(sound.played[1].milliseconds, 120);
}

TEST_F(ToneSoundsTest, GeneratedTonesIgnoreTheComputerSpeaker)
{
    state.ComputerSpeaker = 1;
    state.FreqVol = 9000;
    sounds.PlayGeneratedTone({ToneUse::BrisaTick, 4321, 100, 4, true});
    ASSERT_EQ(sound.played.size(), 1u);
    EXPECT_EQ(sound.played[0].kind, Kind::WavSync);
    EXPECT_EQ(sound.played[0].wav, ImageOf(4321, 9000, 0.1f, 4, true));
}

TEST_F(ToneSoundsTest, RecordedChimeIsLoadedIntoChimeWaveAndStartedWithoutWaiting)
{
    sounds.StartRecordedChime();
    sounds.StartRecordedChime();
    const std::vector<uint8_t> chime(RecordedChime().begin(), RecordedChime().end());
    ASSERT_FALSE(chime.empty());
    EXPECT_EQ(state.ChimeWave, chime);
    ASSERT_EQ(sound.played.size(), 2u);
    for (const auto& played : sound.played) {
        EXPECT_EQ(played.kind, Kind::WavAsync);
        EXPECT_EQ(played.wav, chime);
    }
}

TEST_F(ToneSoundsTest, SignalsAreTwoTonesAtStartAndOneAtTheEnd)
{
    sounds.PlayStartSignal();
    EXPECT_EQ(sound.played.size(), 2u);
    sounds.PlayStopSignal();
    ASSERT_EQ(sound.played.size(), 3u);
    for (const auto& played : sound.played)
        EXPECT_EQ(played.wav, ImageOf(2000, state.FreqVol, 0.1f, 0, false));
}

} // namespace
} // namespace dorvane
