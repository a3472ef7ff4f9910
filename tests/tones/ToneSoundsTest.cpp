#include "tones/ToneSounds.h"

#include "tests/platform/FakeMessagePump.h"
#include "tests/platform/RecordingSoundOutput.h"
#include "tests/tones/ImageOf.h"
#include "tones/RecordedChime.h"

#include <gtest/gtest.h>

#include <tuple>

namespace dorvane {
namespace {

using testing::ImageOf;
using Kind = testing::RecordingSoundOutput::Played::Kind;

class ToneSoundsTest : public ::testing::Test {
protected:
    ClockState state;
    testing::RecordingSoundOutput sound;
    testing::FakeMessagePump pump;
    ToneGenerator generator{sound, pump};
    ToneSounds sounds{state, generator};
};

TEST_F(ToneSoundsTest, TickTonesAndSignalsFollowTheSoundRuleGeneratedTonesIgnoreTheComputerSpeaker)
{
    state.FreqVol = 9000;
    for (int16_t speaker : {0, 1}) {
        SCOPED_TRACE(speaker);
        state.ComputerSpeaker = speaker;
        sound.played.clear();
        sounds.PlayTone({ToneUse::AlarmRing, 2500, 120, 0, false});
        sounds.PlayStartSignal();
        sounds.PlayStopSignal();
        sounds.PlayGeneratedTone({ToneUse::BrisaTick, 4321, 100, 4, true});
        ASSERT_EQ(sound.played.size(), 5u);
        for (std::size_t k = 0; k < 4; ++k) {
            const int frequency = k == 0 ? 2500 : 2000, milliseconds = k == 0 ? 120 : 100;
            if (speaker == 0)
                EXPECT_EQ(sound.played[k].wav, ImageOf(frequency, 9000, milliseconds / 1000.0f, 0, false)) << k;
            else
                EXPECT_EQ(std::tuple(sound.played[k].kind, sound.played[k].frequencyHz, sound.played[k].milliseconds),
                          std::tuple(Kind::Beep, frequency, milliseconds)) << k;
        }
        EXPECT_EQ(sound.played[4].kind, Kind::WavSync);
        EXPECT_EQ(sound.played[4].wav, ImageOf(4321, 9000, 0.1f, 4, true));
    }
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

} // namespace
} // namespace dorvane
