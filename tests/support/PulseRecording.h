#pragma once

#include "platform/Result.h"

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

namespace dorvane::testing {

// A recording of what this test process plays through the PulseAudio server. The process gets a
// null sink of its own on the server (named after DORVANE_TEST_SINK, "dorvane_null" by default, and
// the process id, so that tests running side by side do not hear each other), which PULSE_SINK makes
// the process's default; the recording is taken from that sink's monitor with pacat.
class PulseRecording {
public:
    static constexpr int kRate = 44100;

    // Starts recording and returns once samples are coming in; fails with the reason when there is
    // no sound server to record from. Call before the sound output under test is opened.
    static Result<std::unique_ptr<PulseRecording>> Start();

    ~PulseRecording();
    PulseRecording(const PulseRecording&) = delete;
    PulseRecording& operator=(const PulseRecording&) = delete;

    // Lets the last sounds arrive, stops, and returns the left channel from the start of recording.
    std::vector<int16_t> Stop();

private:
    PulseRecording(pid_t recorder, std::filesystem::path file) : recorder_(recorder), file_(std::move(file)) {}
    pid_t recorder_;
    std::filesystem::path file_;
};

} // namespace dorvane::testing
