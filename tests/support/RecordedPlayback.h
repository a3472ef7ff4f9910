#pragma once

#include "platform/linux/SdlSoundOutput.h"
#include "tests/support/PulseRecording.h"
#include "tests/support/SignalAnalysis.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <sstream>
#include <thread>
#include <vector>

namespace dorvane::testing {

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
        ASSERT_TRUE(output->HasDevice()) << diagnostics.str();
        // A stream new to the sound server starts by pulling the sink back in time so that it is
        // heard at once; the sink's monitor has already passed that time and misses the first
        // milliseconds. Let the stream settle before the sounds under test.
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
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
