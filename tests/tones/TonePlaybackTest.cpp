// The clock's sounds as a user hears them: played through the real sound output to a PulseAudio
// null sink, recorded from its monitor and measured.

#include "platform/SdlSoundOutput.h"
#include "tones/RecordedChime.h"
#include "tests/platform/FakeMessagePump.h"
#include "tests/platform/PulseRecording.h"
#include "tests/platform/RecordedPlayback.h"
#include "tests/platform/SignalAnalysis.h"
#include "tests/tones/WavBytes.h"
#include "tones/SoundRule.h"

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <thread>

namespace dorvane {
namespace {

using namespace std::chrono_literals;
using namespace testing::SignalAnalysis;
using testing::PulseRecording;
using Clock = std::chrono::steady_clock;

constexpr int kRate = PulseRecording::kRate;
constexpr std::size_t kMaxGap = 88; // 2 ms
// The device takes samples in buffers of about 46 ms: a sound starts at the next buffer.
constexpr double kBufferJitterMs = 60;

std::span<const int16_t> Part(const std::vector<int16_t>& samples, std::size_t start, std::size_t length)
{
    return std::span(samples).subspan(start, length);
}

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

class TonePlayback : public testing::RecordedPlayback {
protected:
    void SetUp() override
    {
        RecordedPlayback::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        generator = std::make_unique<ToneGenerator>(*output, pump);
    }

    // Four tones of an alarm ring as the tick plays them; returns when each call started.
    std::vector<Clock::time_point> Ring()
    {
        std::vector<Clock::time_point> calls;
        for (int tone = 0; tone < 4; ++tone) {
            calls.push_back(Clock::now());
            PlayTone(state, *generator, {state.AlarmFreq, 120});
        }
        return calls;
    }

    void ExpectRing(const std::vector<int16_t>& heard, const std::vector<Clock::time_point>& calls)
    {
        const auto bursts = FindBursts(heard, 3000, kMaxGap);
        SCOPED_TRACE(Describe(bursts, kRate));
        ASSERT_EQ(bursts.size(), 4u);
        for (std::size_t k = 0; k < bursts.size(); ++k) {
            SCOPED_TRACE("tone " + std::to_string(k));
            ExpectTone(heard, bursts[k], 120, 2000);
            if (k == 0)
                continue;
            EXPECT_GT(bursts[k].start, bursts[k - 1].end) << "tone " << k << " follows the one before";
            const double heardApart = Milliseconds(bursts[k].start - bursts[k - 1].start, kRate);
            EXPECT_NEAR(heardApart, Ms(calls[k] - calls[k - 1]), kBufferJitterMs) << "tone " << k;
        }
    }

    ClockState state;
    testing::FakeMessagePump pump;
    std::unique_ptr<ToneGenerator> generator;
};

TEST_F(TonePlayback, AlarmRingIsFourTonesOf120MsAt2000Hz)
{
    const auto calls = Ring();
    ExpectRing(Heard(), calls);
}

TEST_F(TonePlayback, AlarmRingOnTheComputerSpeakerSettingSoundsAlike)
{
    if (PcSpeaker::Find())
        GTEST_SKIP() << "this machine's PC speaker takes the beeps";
    state.ComputerSpeaker = 1;
    const auto calls = Ring();
    ExpectRing(Heard(), calls);
}

TEST_F(TonePlayback, StartSignalIsTwoTonesAndStopSignalOne)
{
    PlayStartSignal(state, *generator);
    std::this_thread::sleep_for(300ms);
    PlayStopSignal(state, *generator);

    const auto heard = Heard();
    const auto bursts = FindBursts(heard, 3000, kMaxGap);
    SCOPED_TRACE(Describe(bursts, kRate));
    ASSERT_EQ(bursts.size(), 3u);
    for (const auto& burst : bursts)
        ExpectTone(heard, burst, 100, 2000);
    EXPECT_LT(Milliseconds(bursts[1].start - bursts[0].end, kRate), 150);
    EXPECT_GT(Milliseconds(bursts[2].start - bursts[1].end, kRate), 250);
}

TEST_F(TonePlayback, ChimeStrokeIsCutOffByTheNextStroke)
{
    const testing::WavBytes chime{RecordedChime()};
    ASSERT_EQ(chime.Id(36), "data");
    const std::size_t chimeFrames = chime.U32(40) / 2;
    const double chimeMs = 1000.0 * chimeFrames / chime.U32(24);

    output->PlayWavAsync(RecordedChime());
    std::this_thread::sleep_for(700ms);
    output->PlayWavAsync(RecordedChime());
    std::this_thread::sleep_for(std::chrono::milliseconds(static_cast<int>(chimeMs)) + 300ms);
    const auto heard = Heard();

    // The first stroke begins where the sound begins; the second where the sound repeats it.
    const auto bursts = FindBursts(heard, 200, kRate / 10);
    SCOPED_TRACE(Describe(bursts, kRate));
    ASSERT_FALSE(bursts.empty());
    const std::size_t first = bursts.front().start;
    const std::size_t probe = kRate / 10;
    ASSERT_GT(heard.size(), first + kRate);
    const auto opening = Part(heard, first, probe);
    std::size_t second = 0;
    double best = 1e300;
    for (std::size_t at = first + kRate / 2; at + probe < std::min(heard.size(), first + kRate); ++at) {
        const double difference = RmsDifference(opening, Part(heard, at, probe));
        if (difference < best) {
            best = difference;
            second = at;
        }
    }
    ASSERT_LT(best, Rms(opening) / 20) << "the second stroke does not begin like the first";
    EXPECT_NEAR(Milliseconds(second - first, kRate), 700, kBufferJitterMs);

    // Cut off: from the second stroke on only it is heard, exactly as the first one began ...
    const std::size_t overlap = second - first - kRate / 1000;
    EXPECT_LT(RmsDifference(Part(heard, first, overlap), Part(heard, second, overlap)),
              Rms(Part(heard, first, overlap)) / 20);
    // ... while the first was still sounding right up to the cut ...
    EXPECT_GT(Rms(Part(heard, second - kRate / 100, kRate / 100)), Rms(opening) / 20);
    // ... and the second rings out whole.
    std::size_t lastSound = second;
    for (std::size_t i = second; i < heard.size(); ++i)
        if (std::abs(heard[i]) > 2)
            lastSound = i;
    EXPECT_NEAR(Milliseconds(lastSound - second, kRate), chimeMs, 30);

    // At the device's rate the bell keeps its pitch.
    std::vector<int16_t> source(chime.U32(24) * 3 / 10);
    for (std::size_t i = 0; i < source.size(); ++i)
        source[i] = static_cast<int16_t>(chime.U16(44 + 2 * i));
    const double sourcePitch = DominantFrequency(source, chime.U32(24), 100, 2000);
    EXPECT_NEAR(DominantFrequency(Part(heard, first, source.size() * kRate / chime.U32(24)), kRate, 100, 2000),
                sourcePitch, sourcePitch / 100);
}

} // namespace
} // namespace dorvane
