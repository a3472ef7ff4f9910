#include "platform/SdlSoundOutput.h"

#include "tests/platform/PulseRecording.h"
#include "tests/platform/RecordedPlayback.h"
#include "tests/platform/SignalAnalysis.h"
#include "tests/platform/SineWav.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

namespace dorvane {
namespace {

using namespace std::chrono_literals;
using namespace testing::SignalAnalysis;
using testing::PulseRecording;
using testing::SineWav;
using Clock = std::chrono::steady_clock;

constexpr int kRate = PulseRecording::kRate;
constexpr int kThreshold = 3000;       // the test tones are played at 10000
constexpr std::size_t kMaxGap = 88;    // 2 ms: within a tone down to 250 Hz

std::span<const int16_t> Part(const std::vector<int16_t>& samples, const Burst& burst)
{
    return std::span(samples).subspan(burst.start, burst.length());
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

using SdlSoundOutputPlayback = testing::RecordedPlayback;

TEST_F(SdlSoundOutputPlayback, SyncSoundIsHeardWholeAtItsPitchBeforeTheCallReturns)
{
    const auto start = Clock::now();
    output->PlayWavSync(SineWav(44100, 2, 2000, 0.3, 10000));
    const auto took = Clock::now() - start;

    const auto heard = Heard();
    const auto bursts = FindBursts(heard, kThreshold, kMaxGap);
    SCOPED_TRACE(Describe(bursts, kRate));
    ASSERT_EQ(bursts.size(), 1u);
    ExpectTone(heard, bursts[0], 300, 2000);
    EXPECT_GE(took, 300ms);
    EXPECT_LT(took, 2s);
}

TEST_F(SdlSoundOutputPlayback, SoundStartedAfterASyncSoundFollowsItsEnd)
{
    output->PlayWavSync(SineWav(44100, 2, 1000, 0.2, 10000));
    output->PlayWavAsync(SineWav(44100, 2, 3000, 0.2, 10000));
    std::this_thread::sleep_for(300ms);

    const auto heard = Heard();
    const auto bursts = FindBursts(heard, kThreshold, kMaxGap);
    SCOPED_TRACE(Describe(bursts, kRate));
    ASSERT_EQ(bursts.size(), 2u);
    ExpectTone(heard, bursts[0], 200, 1000);
    ExpectTone(heard, bursts[1], 200, 3000);
    EXPECT_GT(bursts[1].start, bursts[0].end);
}

TEST_F(SdlSoundOutputPlayback, AsyncSoundIsCutOffByTheNextSound)
{
    output->PlayWavAsync(SineWav(44100, 2, 1000, 1.0, 10000));
    std::this_thread::sleep_for(300ms);
    output->PlayWavAsync(SineWav(44100, 2, 3000, 0.3, 10000));
    std::this_thread::sleep_for(500ms);

    const auto heard = Heard();
    const auto bursts = FindBursts(heard, kThreshold, kMaxGap);
    SCOPED_TRACE(Describe(bursts, kRate));
    ASSERT_FALSE(bursts.empty());
    const Burst sound{bursts.front().start, bursts.back().end};
    constexpr std::size_t kWindow = kRate / 100;
    std::optional<std::size_t> switchedAt;
    for (std::size_t at = sound.start; at + kWindow <= sound.end; at += kWindow) {
        const auto window = std::span(heard).subspan(at, kWindow);
        const double low = PowerAt(window, kRate, 1000), high = PowerAt(window, kRate, 3000);
        if (!switchedAt && high > low) {
            switchedAt = at;
        } else if (switchedAt && at > *switchedAt + kWindow) {
            ASSERT_LT(low, high / 100) << "the first sound goes on at " << Milliseconds(at - sound.start, kRate) << " ms";
        }
    }
    ASSERT_TRUE(switchedAt);
    const double firstMs = Milliseconds(*switchedAt - sound.start, kRate);
    EXPECT_GT(firstMs, 250);
    EXPECT_LT(firstMs, 450);
    EXPECT_NEAR(Milliseconds(sound.end - *switchedAt, kRate), 300, 12);
}

TEST_F(SdlSoundOutputPlayback, ConvertsOtherRatesAndChannelCountsToTheDevice)
{
    output->PlayWavSync(SineWav(8000, 1, 440, 0.5, 10000));
    output->PlayWavSync(SineWav(48000, 2, 1000, 0.25, 10000));

    const auto heard = Heard();
    const auto bursts = FindBursts(heard, kThreshold, 4 * kMaxGap);
    SCOPED_TRACE(Describe(bursts, kRate));
    ASSERT_EQ(bursts.size(), 2u);
    EXPECT_NEAR(Milliseconds(bursts[0].length(), kRate), 500, 4);
    EXPECT_NEAR(ZeroCrossingFrequency(Part(heard, bursts[0]), kRate), 440, 4.4);
    EXPECT_NEAR(Milliseconds(bursts[1].length(), kRate), 250, 4);
    EXPECT_NEAR(ZeroCrossingFrequency(Part(heard, bursts[1]), kRate), 1000, 10);
}

TEST_F(SdlSoundOutputPlayback, BeepWithoutAPcSpeakerIsASquareWaveOfItsLength)
{
    if (PcSpeaker::Find())
        GTEST_SKIP() << "this machine's PC speaker takes the beeps";
    const auto start = Clock::now();
    output->Beep(1500, 200);
    const auto took = Clock::now() - start;

    const auto heard = Heard();
    const auto bursts = FindBursts(heard, kThreshold, kMaxGap);
    SCOPED_TRACE(Describe(bursts, kRate));
    ASSERT_EQ(bursts.size(), 1u);
    const auto beep = Part(heard, bursts[0]);
    EXPECT_NEAR(Milliseconds(beep.size(), kRate), 200, 2);
    EXPECT_NEAR(ZeroCrossingFrequency(beep, kRate), 1500, 15);
    int peak = 0;
    for (int16_t sample : beep)
        peak = std::max(peak, std::abs(int{sample}));
    EXPECT_GT(Rms(beep) / peak, 0.95) << "a square wave stays at its peak";
    EXPECT_GE(took, 200ms);
}

TEST_F(SdlSoundOutputPlayback, BeepOutsideTheAudibleRangeIsSilentButTakesItsTime)
{
    const auto start = Clock::now();
    output->Beep(20, 150);
    output->Beep(40000, 50);
    EXPECT_GE(Clock::now() - start, 200ms);
    EXPECT_TRUE(FindBursts(Heard(), kThreshold, kMaxGap).empty());
}

TEST_F(SdlSoundOutputPlayback, BytesThatAreNoWavFileAreNotPlayed)
{
    const std::vector<uint8_t> garbage(1000, 0x7F);
    std::vector<uint8_t> truncated = SineWav(44100, 2, 2000, 0.1, 10000);
    truncated.resize(30);
    const auto start = Clock::now();
    output->PlayWavSync(garbage);
    output->PlayWavSync(truncated);
    output->PlayWavAsync(garbage);
    output->PlayWavSync({});
    EXPECT_LT(Clock::now() - start, 100ms);
    EXPECT_TRUE(FindBursts(Heard(), kThreshold, kMaxGap).empty());
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
    ~ScopedEnvironment()
    {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(SdlSoundOutputWithoutServer, RunsOnSilentlyAndSaysSoOnce)
{
    ScopedEnvironment server("PULSE_SERVER", "unix:/nonexistent/dorvane-no-server");
    ScopedEnvironment driver("SDL_AUDIODRIVER", "pulseaudio");
    std::ostringstream diagnostics;
    {
        SdlSoundOutput output(diagnostics);
        const auto start = Clock::now();
        EXPECT_FALSE(output.HasDevice());
        output.PlayWavSync(SineWav(44100, 2, 2000, 0.5, 10000));
        output.PlayWavAsync(SineWav(8000, 1, 2000, 0.5, 10000));
        output.PlayWavSync(SineWav(44100, 2, 2000, 0.5, 10000));
        EXPECT_LT(Clock::now() - start, 500ms);

        const auto beepStart = Clock::now();
        output.Beep(2000, 100);
        const double beepSeconds = Seconds(Clock::now() - beepStart);
        EXPECT_GE(beepSeconds, 0.1);
        EXPECT_LT(beepSeconds, 1.0);
    }
    const std::string said = diagnostics.str();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find("no sound device"), std::string::npos) << said;
}

TEST(SdlSoundOutputWithoutServer, FindsASoundServerThatStartsLater)
{
    auto started = PulseRecording::Start();
    if (!started)
        GTEST_SKIP() << started.error();
    std::ostringstream diagnostics;
    SdlSoundOutput output(diagnostics, 100ms);
    {
        ScopedEnvironment server("PULSE_SERVER", "unix:/nonexistent/dorvane-no-server");
        ScopedEnvironment driver("SDL_AUDIODRIVER", "pulseaudio");
        ASSERT_FALSE(output.HasDevice());
    }
    std::this_thread::sleep_for(150ms);
    ASSERT_TRUE(output.HasDevice());
    std::this_thread::sleep_for(300ms);
    output.PlayWavSync(SineWav(44100, 2, 2000, 0.2, 10000));

    const auto heard = started.value()->Stop();
    const auto bursts = FindBursts(heard, kThreshold, kMaxGap);
    SCOPED_TRACE(Describe(bursts, kRate));
    ASSERT_EQ(bursts.size(), 1u);
    EXPECT_NEAR(Milliseconds(bursts[0].length(), kRate), 200, 2);
    const std::string said = diagnostics.str();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
}

// Names of this process's threads that feed a sound device.
int AudioThreads()
{
    int count = 0;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::ifstream comm(task.path() / "comm");
        std::string name;
        std::getline(comm, name);
        count += name.starts_with("SDLAudio") ? 1 : 0;
    }
    return count;
}

TEST(SdlSoundOutputWhenQuiet, ClosesTheDeviceAndOpensItAgainForTheNextSound)
{
    auto started = PulseRecording::Start();
    if (!started)
        GTEST_SKIP() << started.error();
    std::ostringstream diagnostics;
    SdlSoundOutput output(diagnostics, 5s, 200ms);
    output.PlayWavSync(SineWav(44100, 2, 1000, 0.2, 10000));
    EXPECT_TRUE(output.IsDeviceOpen());
    EXPECT_EQ(AudioThreads(), 1);

    const auto deadline = Clock::now() + 3s;
    while (output.IsDeviceOpen() && Clock::now() < deadline)
        std::this_thread::sleep_for(20ms);
    EXPECT_FALSE(output.IsDeviceOpen());
    EXPECT_EQ(AudioThreads(), 0) << "a closed device leaves no thread waking up";

    output.PlayWavSync(SineWav(44100, 2, 2000, 0.3, 10000));
    const auto heard = started.value()->Stop();
    const auto bursts = FindBursts(heard, kThreshold, kMaxGap);
    SCOPED_TRACE(Describe(bursts, kRate));
    ASSERT_EQ(bursts.size(), 2u);
    EXPECT_NEAR(ZeroCrossingFrequency(Part(heard, bursts[1]), kRate), 2000, 20);
    // The sink's monitor may miss the first few milliseconds of a stream new to the server.
    EXPECT_GT(Milliseconds(bursts[1].length(), kRate), 280);
    EXPECT_LT(Milliseconds(bursts[1].length(), kRate), 302);
    EXPECT_EQ(diagnostics.str(), "");
}

} // namespace
} // namespace dorvane
