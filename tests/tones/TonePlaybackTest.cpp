// The clock's sounds as a user hears them: played through the real sound output to a PulseAudio
// null sink, recorded from its monitor and measured. One recording holds them all.

#include "tests/support/FakeMessagePump.h"
#include "tests/support/PulseRecording.h"
#include "tests/support/WavBytes.h"
#include "tones/RecordedChime.h"
#include "tones/ToneSounds.h"

namespace dorvane {
namespace {

using namespace std::chrono_literals;
using namespace testing::SignalAnalysis;
using testing::kRate, testing::kMaxGap;
using Clock = std::chrono::steady_clock;
using Samples = std::span<const int16_t>;
// The device takes samples in buffers of about 46 ms: a sound starts at the next buffer.
constexpr double kBufferJitterMs = 60;

using TonePlayback = testing::RecordedPlayback;

// Two strokes of the recorded chime 700 ms apart: the second starts where the sound repeats the
// first's opening, cuts the first off and rings out whole.
void ExpectTheSecondStrokeCutsOffTheFirst(Samples heard, double chimeMs)
{
    const auto bursts = FindBursts(heard, 200, kRate / 10);
    SCOPED_TRACE("chime: " + Describe(bursts, kRate));
    ASSERT_FALSE(bursts.empty());
    const std::size_t first = bursts.front().start, probe = kRate / 10;
    ASSERT_GT(heard.size(), first + kRate);
    std::size_t second = 0;
    double best = 1e300;
    for (std::size_t at = first + kRate / 2; at + probe < first + kRate; ++at) {
        const double difference = RmsDifference(heard.subspan(first, probe), heard.subspan(at, probe));
        if (difference < best)
            best = difference, second = at;
    }
    EXPECT_NEAR(Milliseconds(second - first, kRate), 700, kBufferJitterMs);
    // From the second stroke on only it is heard, exactly as the first one began ...
    const std::size_t overlap = second - first - kRate / 1000;
    EXPECT_LT(RmsDifference(heard.subspan(first, overlap), heard.subspan(second, overlap)),
              Rms(heard.subspan(first, overlap)) / 20);
    // ... while the first was still sounding right up to the cut ...
    EXPECT_GT(Rms(heard.subspan(second - kRate / 100, kRate / 100)), Rms(heard.subspan(first, probe)) / 20);
    // ... and the second rings out whole.
    std::size_t lastSound = second;
    for (std::size_t i = second; i < heard.size(); ++i)
        lastSound = std::abs(heard[i]) > 2 ? i : lastSound;
    EXPECT_NEAR(Milliseconds(lastSound - second, kRate), chimeMs, 30);
}

TEST_F(TonePlayback, RingsSignalsAndChimeStrokesSoundAsTheyShould)
{
    ClockState state;
    testing::FakeMessagePump pump;
    ToneGenerator generator(*output, pump);
    ToneSounds sounds(state, generator);
    // Four tones of an alarm ring as the tick plays them; returns when each call started.
    const auto playRing = [&] {
        std::vector<Clock::time_point> calls;
        for (int tone = 0; tone < 4; ++tone) {
            calls.push_back(Clock::now());
            sounds.PlayTone({ToneUse::AlarmRing, state.AlarmFreq, 120});
        }
        return calls;
    };
    const auto ring = playRing();
    std::this_thread::sleep_for(300ms);
    sounds.PlayStartSignal();
    std::this_thread::sleep_for(600ms); // the start signal sounds on after the call
    sounds.PlayStopSignal();
    // Where no PC speaker takes the beeps, the computer speaker setting rings alike on the sound output.
    const bool beepsHeard = !PcSpeaker::Find();
    std::vector<Clock::time_point> beeps;
    if (beepsHeard) {
        std::this_thread::sleep_for(300ms);
        state.ComputerSpeaker = 1;
        beeps = playRing();
    }
    std::this_thread::sleep_for(300ms);
    const testing::WavBytes chime{RecordedChime()};
    const double chimeMs = Milliseconds(chime.MonoSamples().size(), static_cast<int>(chime.U32(24)));
    output->PlayWavAsync(RecordedChime());
    std::this_thread::sleep_for(700ms);
    output->PlayWavAsync(RecordedChime());
    std::this_thread::sleep_for(std::chrono::milliseconds(static_cast<int>(chimeMs)) + 300ms);

    const auto heard = Heard();
    const std::size_t tones = beepsHeard ? 11 : 7;
    const auto bursts = FindBursts(heard, 3000, kMaxGap);
    SCOPED_TRACE(Describe(bursts, kRate));
    ASSERT_GT(bursts.size(), tones) << "the tones, then the chime";
    // Four tones of 120 ms at 2000 Hz, heard as far apart as they were played.
    const auto expectRing = [&](std::span<const Burst> ringing, const std::vector<Clock::time_point>& calls) {
        for (std::size_t k = 0; k < 4; ++k) {
            SCOPED_TRACE("tone " + std::to_string(k));
            ExpectTone(heard, ringing[k], 120, 2000);
            if (k > 0) {
                EXPECT_NEAR(Milliseconds(ringing[k].start - ringing[k - 1].start, kRate),
                            (std::chrono::duration<double, std::milli>(calls[k] - calls[k - 1]).count()), kBufferJitterMs);
            }
        }
    };
    expectRing(std::span(bursts).first(4), ring);
    for (std::size_t k = 4; k < 7; ++k)
        ExpectTone(heard, bursts[k], 100, 2000);
    EXPECT_LT(Milliseconds(bursts[5].start - bursts[4].end, kRate), 150) << "the start signal's two tones";
    EXPECT_GT(Milliseconds(bursts[6].start - bursts[5].end, kRate), 250) << "the stop signal";
    if (beepsHeard)
        expectRing(std::span(bursts).subspan(7), beeps);
    EXPECT_GT(Milliseconds(bursts[tones].start - bursts[tones - 1].end, kRate), 200) << "the chime's first stroke";
    ExpectTheSecondStrokeCutsOffTheFirst(Samples(heard).subspan(bursts[tones - 1].end + kRate / 10), chimeMs);
}

} // namespace
} // namespace dorvane
