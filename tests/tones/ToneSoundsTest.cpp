// The clock's sounds and the rule they follow: the PC speaker's beep when the user chose the
// computer speaker, otherwise the tone generator's tone at FreqVol on both channels.
#include "tones/ToneSounds.h"

#include "tests/support/Fakes.h"
#include "tests/support/ImageOf.h"
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

TEST_F(ToneSoundsTest, TonesAndSignalsFollowTheSoundRuleGeneratedTonesIgnoreTheComputerSpeakerTooLongOnesAreSkipped)
{
    state.FreqVol = 9000;
    for (int16_t speaker : {0, 1, -1}) {
        SCOPED_TRACE(speaker);
        state.ComputerSpeaker = speaker;
        sound.played.clear();
        sounds.PlayTone({ToneUse::AlarmRing, 2500, 120, ToneGenerator::Sawtooth, true}); // the speaker drops the shape
        sounds.PlayStartSignal();
        sounds.PlayStopSignal();
        sounds.PlayGeneratedTone({ToneUse::BrisaTick, 4321, 100, ToneGenerator::Sawtooth, true});
        ASSERT_EQ(sound.played.size(), 5u);
        for (std::size_t k = 0; k < 4; ++k) {
            const auto& played = sound.played[k];
            if (speaker == 0) {
                EXPECT_EQ(played.wav, k == 0 ? ImageOf(2500, 9000, 0.12f, ToneGenerator::Sawtooth, true)
                                             : ImageOf(2000, 9000, 0.1f, 0, false)) << k;
                EXPECT_EQ(played.kind, k == 1 || k == 2 ? Kind::WavQueued : Kind::WavSync) << "only the start is queued";
            } else {
                EXPECT_EQ(std::tuple(played.kind, played.frequencyHz, played.milliseconds),
                          std::tuple(Kind::Beep, k == 0 ? 2500 : 2000, k == 0 ? 120 : 100)) << k;
            }
        }
        EXPECT_EQ(sound.played[4].kind, Kind::WavSync);
        EXPECT_EQ(sound.played[4].wav, ImageOf(4321, 9000, 0.1f, ToneGenerator::Sawtooth, true));
    }
    state.ComputerSpeaker = 0;
    sound.played.clear();
    sounds.PlayTone({ToneUse::AlarmRing, 2000, 2000000000});
    EXPECT_TRUE(sound.played.empty()) << "a tone too long to synthesise is skipped";
}

TEST_F(ToneSoundsTest, RecordedChimeIsLoadedIntoChimeWaveAndStartedWithoutWaiting)
{
    sounds.StartRecordedChime();
    sounds.StartRecordedChime();
    const std::vector<uint8_t> chime(RecordedChime().begin(), RecordedChime().end());
    ASSERT_FALSE(chime.empty());
    EXPECT_EQ(state.ChimeWave, chime);
    ASSERT_EQ(sound.played.size(), 2u);
    for (const auto& played : sound.played)
        EXPECT_EQ(std::tuple(played.kind, played.wav), std::tuple(Kind::WavAsync, chime));
}

} // namespace
} // namespace dorvane
