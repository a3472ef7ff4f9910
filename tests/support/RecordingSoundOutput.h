#pragma once

#include "platform/SoundOutput.h"

#include <string>
#include <vector>

namespace dorvane::testing {

// Records every sound instead of playing it.
class RecordingSoundOutput : public SoundOutput {
public:
    struct Played {
        enum class Kind { Beep, WavSync, WavAsync } kind;
        int frequencyHz = 0;
        int milliseconds = 0;
        std::vector<uint8_t> wav;
    };

    void Beep(int frequencyHz, int milliseconds) override
    {
        played.push_back({Played::Kind::Beep, frequencyHz, milliseconds, {}});
    }
    void PlayWavSync(std::span<const uint8_t> wav) override
    {
        played.push_back({Played::Kind::WavSync, 0, 0, {wav.begin(), wav.end()}});
    }
    void PlayWavAsync(std::span<const uint8_t> wav) override
    {
        played.push_back({Played::Kind::WavAsync, 0, 0, {wav.begin(), wav.end()}});
    }

    std::vector<Played> played;
};

} // namespace dorvane::testing
