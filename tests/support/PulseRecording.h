#pragma once

#include "platform/Result.h"
#include "platform/linux/SdlSoundOutput.h"
#include "tests/support/ShellCommand.h"
#include "tests/support/TempFolder.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cassert>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iomanip>
#include <memory>
#include <span>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace dorvane::testing {

// Measurements of recorded sound, for tests that check what was heard.
namespace SignalAnalysis {

// A stretch of sound: samples [start, end).
struct Burst {
    std::size_t start = 0, end = 0;
    std::size_t length() const { return end - start; }
};

inline double Milliseconds(std::size_t samples, int rate) { return 1000.0 * samples / rate; }

// The stretches where the sound rises above threshold, joined across quiet gaps of at most maxGap
// samples (the troughs of the wave itself).
inline std::vector<Burst> FindBursts(std::span<const int16_t> samples, int threshold, std::size_t maxGap)
{
    std::vector<Burst> bursts;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        if (std::abs(samples[i]) < threshold)
            continue;
        if (!bursts.empty() && i - (bursts.back().end - 1) <= maxGap + 1)
            bursts.back().end = i + 1;
        else
            bursts.push_back({i, i + 1});
    }
    return bursts;
}

// "at 12.3 ms for 120.0 ms, ..." for a failure message.
inline std::string Describe(const std::vector<Burst>& bursts, int rate)
{
    std::ostringstream text;
    for (const Burst& burst : bursts)
        text << (text.tellp() > 0 ? ", " : "") << std::fixed << std::setprecision(1) << "at "
             << Milliseconds(burst.start, rate) << " ms for " << Milliseconds(burst.length(), rate) << " ms";
    return bursts.empty() ? "nothing heard" : text.str();
}

// The frequency of a steady tone from its zero crossings (interpolated between samples).
inline double ZeroCrossingFrequency(std::span<const int16_t> samples, int rate)
{
    double first = -1, last = -1;
    int crossings = 0;
    for (std::size_t i = 1; i < samples.size(); ++i) {
        const int a = samples[i - 1], b = samples[i];
        if ((a < 0) == (b < 0))
            continue;
        const double at = (i - 1) + double(a) / (a - b); // where the line between them crosses 0
        first = first < 0 ? at : first;
        last = at;
        ++crossings;
    }
    return crossings < 3 ? 0 : (crossings - 1) / 2.0 / ((last - first) / rate);
}

// Rms of the difference of two equally long stretches, or of one stretch.
inline double RmsDifference(std::span<const int16_t> a, std::span<const int16_t> b)
{
    assert(a.size() == b.size());
    double sum = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        sum += (double(a[i]) - b[i]) * (double(a[i]) - b[i]);
    return a.empty() ? 0 : std::sqrt(sum / a.size());
}
inline double Rms(std::span<const int16_t> samples) { return RmsDifference(samples, std::vector<int16_t>(samples.size())); }

} // namespace SignalAnalysis

// A recording of what this test process plays through the PulseAudio server. The process gets a
// null sink of its own on the server (named after DORVANE_TEST_SINK, "dorvane_null" by default, and
// the process id, so that tests running side by side do not hear each other), which PULSE_SINK makes
// the process's default; the recording is taken from that sink's monitor with pacat.
class PulseRecording {
public:
    static constexpr int kRate = 44100;

    // Starts recording before the sound output under test is opened and returns once samples are
    // coming in, or the reason why there is no sound server to record from.
    static Result<std::unique_ptr<PulseRecording>> Start()
    {
        using Made = Result<std::unique_ptr<PulseRecording>>;
        static const PrivateSink sink;
        if (!sink.error.empty())
            return Made::Failure(sink.error);
        std::unique_ptr<PulseRecording> recording(new PulseRecording);
        std::filesystem::remove(recording->file_);
        if (!recording->StartRecorder(sink.name + ".monitor"))
            return Made::Failure("pacat could not be started");
        // An idle null sink wakes up only after its long idle period (up to 2 s); wait for the samples.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(6);
        std::error_code error;
        while (std::filesystem::file_size(recording->file_, error) == 0 || error) {
            if (std::chrono::steady_clock::now() > deadline)
                return Made::Failure("the recording of the sink's monitor gave no samples");
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return Made(std::move(recording));
    }

    ~PulseRecording() { EndRecorder(), std::filesystem::remove(file_); }
    PulseRecording(const PulseRecording&) = delete;
    PulseRecording& operator=(const PulseRecording&) = delete;

    // Lets the last sounds arrive, stops, and returns the left channel from the start of recording.
    std::vector<int16_t> Stop()
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EndRecorder();
        const std::string bytes = TempFolder::Read(file_);
        std::vector<int16_t> left(bytes.size() / 4);
        for (std::size_t i = 0; i < left.size(); ++i)
            left[i] = static_cast<int16_t>(static_cast<uint8_t>(bytes[4 * i]) | static_cast<uint8_t>(bytes[4 * i + 1]) << 8);
        return left;
    }

private:
    // This process's own null sink, loaded at first use and unloaded when the process ends.
    struct PrivateSink {
        std::string name, module, error;

        PrivateSink()
        {
            if (RunShell("pactl info >/dev/null 2>&1 && command -v pacat").exitCode != 0) {
                error = "no PulseAudio server or pacat (source scripts/test-services to start one)";
                return;
            }
            const char* base = std::getenv("DORVANE_TEST_SINK");
            const std::string prefix = std::string(base && *base ? base : "dorvane_null") + "_";
            // Sinks left by test processes that crashed: "<module> module-null-sink sink_name=<prefix><pid> ...".
            RunShell("pactl list short modules 2>/dev/null | sed -n 's/^\\([0-9]*\\).*sink_name=" + prefix +
                     "\\([0-9]*\\).*/\\1 \\2/p' | while read m p; do [ -e /proc/$p ] || pactl unload-module $m; done");
            name = prefix + std::to_string(getpid());
            module = RunShell("pactl load-module module-null-sink sink_name=" + name + " rate=" +
                              std::to_string(kRate) + " channels=2 2>/dev/null").output;
            if (module.empty() || module.find_first_not_of("0123456789\n") != std::string::npos)
                error = "the PulseAudio server would not load a null sink";
            else
                setenv("PULSE_SINK", name.c_str(), 1);
        }
        ~PrivateSink()
        {
            if (error.empty())
                RunShell("pactl unload-module " + module + " 2>/dev/null");
        }
    };

    // Starts pacat recording the source into the file. It ends with this process, also when a test
    // crashes, and keeps away from the test's output (which the test runner waits on).
    bool StartRecorder(const std::string& source)
    {
        const std::string device = "--device=" + source, rate = "--rate=" + std::to_string(kRate);
        const pid_t parent = getpid();
        recorder_ = fork();
        if (recorder_ != 0)
            return recorder_ > 0;
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        const int out = open(file_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        const int null = open("/dev/null", O_RDWR | O_CLOEXEC);
        if (getppid() != parent || out < 0 || null < 0 || dup2(null, STDIN_FILENO) < 0 || dup2(out, STDOUT_FILENO) < 0 ||
            dup2(null, STDERR_FILENO) < 0)
            _exit(1);
        execlp("pacat", "pacat", "--record", device.c_str(), "--format=s16le", rate.c_str(), "--channels=2", "--raw",
               "--latency-msec=50", static_cast<char*>(nullptr));
        _exit(127);
    }
    void EndRecorder()
    {
        if (recorder_ > 0)
            kill(recorder_, SIGINT), waitpid(recorder_, nullptr, 0);
        recorder_ = 0;
    }

    PulseRecording() = default;
    pid_t recorder_ = 0;
    const std::filesystem::path file_ =
        std::filesystem::temp_directory_path() / ("dorvane-recording-" + std::to_string(getpid()) + ".raw");
};

constexpr int kRate = PulseRecording::kRate;
constexpr std::size_t kMaxGap = 88; // 2 ms: the longest quiet within a tone down to 250 Hz

inline double MsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// A test that plays through the real sound output while the sound server's sink is recorded.
// Skipped when there is no sound server.
class RecordedPlayback : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto started = PulseRecording::Start();
        if (!started)
            GTEST_SKIP() << started.error();
        recording = started.take();
        output = std::make_unique<SdlSoundOutput>(diagnostics);
        // A stream new to the server is pulled back in time to be heard at once, which the sink's
        // monitor has passed already: let it settle before the sounds under test.
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        ASSERT_TRUE(output->HasDevice()) << diagnostics.str();
    }
    // What the sink played, left channel; the output must not have complained.
    std::vector<int16_t> Heard()
    {
        auto heard = recording->Stop();
        EXPECT_EQ(diagnostics.str(), "");
        return heard;
    }

    // The burst of heard sound is a steady tone of the length (within 2 ms unless said) and the
    // frequency (within 1 %).
    static void ExpectTone(std::span<const int16_t> heard, const SignalAnalysis::Burst& burst, double lengthMs,
                           double frequencyHz, double lengthToleranceMs = 2)
    {
        EXPECT_NEAR(SignalAnalysis::Milliseconds(burst.length(), PulseRecording::kRate), lengthMs, lengthToleranceMs);
        const auto tone = std::span(heard).subspan(burst.start, burst.length());
        EXPECT_NEAR(SignalAnalysis::ZeroCrossingFrequency(tone, PulseRecording::kRate), frequencyHz, frequencyHz / 100);
    }

    std::ostringstream diagnostics;
    std::unique_ptr<PulseRecording> recording;
    std::unique_ptr<SdlSoundOutput> output;
};

} // namespace dorvane::testing
