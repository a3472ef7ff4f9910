#include "platform/linux/SdlSoundOutput.h"

#include "tests/support/Fakes.h"
#include "tests/support/PulseRecording.h"
#include "tests/support/WavBytes.h"
#include "tones/RecordedChime.h"
#include "tones/ToneSounds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <optional>

namespace dorvane {
namespace {

using namespace std::chrono_literals;
using namespace testing::SignalAnalysis;
using testing::kRate, testing::kMaxGap, testing::MsSince, testing::PulseRecording, testing::SineWav;
using Clock = std::chrono::steady_clock;
constexpr int kThreshold = 3000; // the test tones are played at 10000

using SdlSoundOutputPlayback = testing::RecordedPlayback;

// Two strokes of the recorded chime 700 ms apart: the second starts where the sound repeats the
// first's opening, cuts the first off and rings out whole.
void ExpectTheSecondStrokeCutsOffTheFirst(std::span<const int16_t> heard, double chimeMs)
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
    EXPECT_NEAR(Milliseconds(second - first, kRate), 700, 60); // the device's buffers are about 46 ms
    // From the second stroke on only it is heard, exactly as the first one began ...
    const std::size_t overlap = second - first - kRate / 1000;
    EXPECT_LT(RmsDifference(heard.subspan(first, overlap), heard.subspan(second, overlap)), Rms(heard.subspan(first, overlap)) / 20);
    // ... while the first was still sounding right up to the cut ...
    EXPECT_GT(Rms(heard.subspan(second - kRate / 100, kRate / 100)), Rms(heard.subspan(first, probe)) / 20);
    // ... and the second rings out whole.
    std::size_t lastSound = second;
    for (std::size_t i = second; i < heard.size(); ++i)
        lastSound = std::abs(heard[i]) > 2 ? i : lastSound;
    EXPECT_NEAR(Milliseconds(lastSound - second, kRate), chimeMs, 30);
}

// One recording: sync and async sounds, beeps in and out of the audible range, bytes that are no
// WAV file, sounds of other rates and channel counts, the clock's start signal queued (not waited
// for, yet both tones heard), and the chime's async stroke cut off by the next. (What the clock
// plays through it, ToneSoundsTest pins, and the alarms' end-to-end tests hear.)
TEST_F(SdlSoundOutputPlayback, PlaysWavFilesAndBeepsAsTheyShouldBeHeard)
{
    auto start = Clock::now();
    output->PlayWavSync(SineWav(44100, 2, 2000, 0.3, 10000));
    const double syncMs = MsSince(start);
    output->PlayWavAsync(SineWav(44100, 2, 3000, 0.2, 10000)); // follows the end of the sync sound
    std::this_thread::sleep_for(300ms);

    std::vector<uint8_t> truncated = SineWav(44100, 2, 2000, 0.1, 10000);
    truncated.resize(30);
    start = Clock::now();
    for (const auto& noWav : {std::vector<uint8_t>(1000, 0x7F), truncated, std::vector<uint8_t>{}})
        output->PlayWavSync(noWav);
    output->PlayWavAsync(std::vector<uint8_t>(1000, 0x7F));
    EXPECT_LT(MsSince(start), 100) << "bytes that are no WAV file are not played";
    start = Clock::now();
    output->Beep(20, 150);
    output->Beep(40000, 50);
    EXPECT_GE(MsSince(start), 200) << "inaudible beeps are silent but take their time";
    // Without a PC speaker a beep is a square wave on the sound output.
    const bool beepHeard = !PcSpeaker::Find();
    if (beepHeard) {
        start = Clock::now();
        output->Beep(1500, 200);
        EXPECT_GE(MsSince(start), 200);
    }
    std::this_thread::sleep_for(300ms);
    output->PlayWavSync(SineWav(8000, 1, 440, 0.5, 10000));
    output->PlayWavSync(SineWav(48000, 2, 1000, 0.25, 10000));
    std::this_thread::sleep_for(300ms);
    ClockState state;
    testing::FakeMessagePump pump;
    ToneGenerator generator(*output, pump);
    start = Clock::now();
    ToneSounds(state, generator).PlayStartSignal(); // two tones queued: the clock's window is not kept waiting
    EXPECT_LT(MsSince(start), 50) << "queued sounds play on after the call";
    std::this_thread::sleep_for(600ms);
    const testing::WavBytes chime{RecordedChime()};
    const double chimeMs = Milliseconds(chime.MonoSamples().size(), static_cast<int>(chime.U32(24)));
    output->PlayWavAsync(RecordedChime());
    std::this_thread::sleep_for(700ms);
    output->PlayWavAsync(RecordedChime());
    std::this_thread::sleep_for(std::chrono::milliseconds(static_cast<int>(chimeMs)) + 300ms);

    const auto heard = Heard();
    const auto bursts = FindBursts(heard, kThreshold, kMaxGap);
    SCOPED_TRACE(Describe(bursts, kRate));
    const std::size_t tones = beepHeard ? 3 : 2;
    ASSERT_GT(bursts.size(), tones);
    // The first sound of the recording may lose a few milliseconds while a loaded machine's sound
    // server starts the stream; the later ones are measured to 2 ms.
    ExpectTone(heard, bursts[0], 300, 2000, 20);
    EXPECT_GE(syncMs, 300);
    EXPECT_LT(syncMs, 2000);
    ExpectTone(heard, bursts[1], 200, 3000);
    EXPECT_GT(bursts[1].start, bursts[0].end);
    EXPECT_GT(Milliseconds(bursts[2].start - bursts[1].end, kRate), 250) << "nothing heard between";
    if (beepHeard) {
        ExpectTone(heard, bursts[2], 200, 1500);
        const auto beep = std::span(heard).subspan(bursts[2].start, bursts[2].length());
        const int peak = std::ranges::max(beep, {}, [](int16_t s) { return std::abs(s); });
        EXPECT_GT(Rms(beep) / std::abs(peak), 0.95) << "a square wave stays at its peak";
    }
    // Resampled sounds are measured with a wider gap: their troughs are longer.
    const auto rest = std::span(heard).subspan(bursts[tones - 1].end + kRate / 10);
    const auto converted = FindBursts(rest, kThreshold, 4 * kMaxGap);
    SCOPED_TRACE("converted: " + Describe(converted, kRate));
    ASSERT_GE(converted.size(), 2u);
    ExpectTone(rest, converted[0], 500, 440, 4);
    ExpectTone(rest, converted[1], 250, 1000, 4);
    // Both tones of the queued start signal are heard, one right after the other; the chime comes after them.
    const auto last = rest.subspan(converted[1].end + kRate / 10);
    const auto signal = FindBursts(last, kThreshold, kMaxGap);
    ASSERT_GE(signal.size(), 2u);
    ExpectTone(last, signal[0], 100, 2000);
    ExpectTone(last, signal[1], 100, 2000);
    EXPECT_LT(Milliseconds(signal[1].start - signal[0].end, kRate), 150) << "the start signal's two tones";
    ExpectTheSecondStrokeCutsOffTheFirst(last.subspan(signal[1].end + kRate / 10), chimeMs);
}

// Threads of this process that feed a sound device.
int AudioThreads()
{
    int count = 0;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::string name;
        std::getline(std::ifstream(task.path() / "comm"), name);
        count += name.starts_with("SDLAudio") ? 1 : 0;
    }
    return count;
}

// Without a server the output plays nothing, beeps only take their time, and it says so once, over
// ten minutes of attempts to open a device, while the sound libraries (SDL falls back to ALSA) say
// nothing on the process's standard error; once a server is there it is found and heard. When
// quiet it closes the device and opens it again for the next sound. Its idle-close and retry rules go by a clock of the test's.
TEST(SdlSoundOutputOwnClock, RunsOnSilentlyWithoutAServerFindsOneThatStartsLaterAndClosesTheDeviceWhenQuiet)
{
    auto recording = PulseRecording::Start();
    if (!recording)
        GTEST_SKIP() << recording.error();
    std::ostringstream diagnostics;
    std::atomic<Clock::time_point> now{};
    const auto advance = [&](Clock::duration by) { now = now.load() + by; };
    SdlSoundOutput output(diagnostics, [&] { return now.load(); });
    ::testing::internal::CaptureStderr(); // what the sound libraries say
    {
        const char* server = std::getenv("PULSE_SERVER");
        const std::optional<std::string> ownServer = server ? std::optional<std::string>(server) : std::nullopt;
        setenv("PULSE_SERVER", "unix:/nonexistent/dorvane-no-server", 1);
        EXPECT_FALSE(output.HasDevice());
        auto start = Clock::now();
        output.PlayWavSync(SineWav(44100, 2, 2000, 0.5, 10000));
        output.PlayWavAsync(SineWav(8000, 1, 2000, 0.5, 10000));
        EXPECT_LT(MsSince(start), 500);
        start = Clock::now();
        output.Beep(2000, 100);
        EXPECT_GE(MsSince(start), 100);
        EXPECT_LT(MsSince(start), 1000);
        for (const auto until = now.load() + 10min; now.load() < until;) {
            advance(SdlSoundOutput::kRetryOpenAfter);
            EXPECT_FALSE(output.HasDevice());
        }
        ownServer ? setenv("PULSE_SERVER", ownServer->c_str(), 1) : unsetenv("PULSE_SERVER");
    }
    const std::string librariesSaid = ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(librariesSaid.empty()) << librariesSaid.substr(0, 500);
    advance(SdlSoundOutput::kRetryOpenAfter - 1ms);
    ASSERT_FALSE(output.HasDevice()) << "not tried again before its time";
    advance(1ms);
    ASSERT_TRUE(output.HasDevice());
    std::this_thread::sleep_for(300ms); // the sound server's own time: see RecordedPlayback
    output.PlayWavSync(SineWav(44100, 2, 2000, 0.2, 10000));
    EXPECT_EQ(AudioThreads(), 1);
    advance(SdlSoundOutput::kCloseWhenIdleFor);
    EXPECT_TRUE(output.IsDeviceOpen()) << "the sound's own length is not yet idle time";
    advance(1s);
    EXPECT_FALSE(output.IsDeviceOpen());
    EXPECT_EQ(AudioThreads(), 0) << "a closed device leaves no thread waking up";
    output.PlayWavSync(SineWav(44100, 2, 1000, 0.3, 10000));

    const auto heard = recording.value()->Stop();
    const auto bursts = FindBursts(heard, kThreshold, kMaxGap);
    SCOPED_TRACE(Describe(bursts, kRate));
    ASSERT_EQ(bursts.size(), 2u);
    EXPECT_NEAR(Milliseconds(bursts[0].length(), kRate), 200, 2);
    EXPECT_NEAR(ZeroCrossingFrequency(std::span(heard).subspan(bursts[1].start, bursts[1].length()), kRate), 1000, 10);
    // The sink's monitor may miss the first few milliseconds of a stream new to the server.
    EXPECT_GT(Milliseconds(bursts[1].length(), kRate), 280);
    EXPECT_LT(Milliseconds(bursts[1].length(), kRate), 302);
    EXPECT_EQ(std::ranges::count(diagnostics.str(), '\n'), 1) << diagnostics.str();
    EXPECT_NE(diagnostics.str().find("no sound device"), std::string::npos) << diagnostics.str();
}

} // namespace
} // namespace dorvane
