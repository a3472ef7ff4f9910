#include "platform/linux/SdlSoundOutput.h"

#include "tests/support/PulseRecording.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WavBytes.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

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

// One recording: sync and async sounds, beeps in and out of the audible range, bytes that are no
// WAV file, and sounds of other rates and channel counts.
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

    const auto heard = Heard();
    const auto bursts = FindBursts(heard, kThreshold, kMaxGap);
    SCOPED_TRACE(Describe(bursts, kRate));
    const std::size_t tones = beepHeard ? 3 : 2;
    ASSERT_GT(bursts.size(), tones);
    ExpectTone(heard, bursts[0], 300, 2000);
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
    ASSERT_EQ(converted.size(), 2u);
    ExpectTone(rest, converted[0], 500, 440, 4);
    ExpectTone(rest, converted[1], 250, 1000, 4);
}

// Sets an environment variable for the test's length.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        setenv(name, value, 1);
    }
    ~ScopedEnvironment() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }

private:
    const char* name_;
    std::optional<std::string> old_;
};

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
    testing::TempFolder folder;
    const int standardError = ::dup(2);
    const int captured = ::open((folder / "stderr").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    ::dup2(captured, 2);
    ::close(captured);
    {
        ScopedEnvironment server{"PULSE_SERVER", "unix:/nonexistent/dorvane-no-server"};
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
    }
    std::fflush(stderr);
    ::dup2(standardError, 2);
    const std::string librariesSaid = testing::TempFolder::Read(folder / "stderr");
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
