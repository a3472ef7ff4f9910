#pragma once

#include "platform/SoundOutput.h"

#include <string>
#include <vector>

namespace dorvane::testing {

// Records every sound instead of playing it.
class RecordingSoundOutput : public SoundOutput {
public:
    struct Played {
        enum class Kind { Beep, WavSync, WavAsync, WavQueued } kind;
        int frequencyHz = 0, milliseconds = 0;
        std::vector<uint8_t> wav;
    };

    using Kind = Played::Kind;
    void Beep(int frequencyHz, int milliseconds) override { played.push_back({Kind::Beep, frequencyHz, milliseconds, {}}); }
    void PlayWavSync(std::span<const uint8_t> wav) override { Note(Kind::WavSync, wav); }
    void PlayWavAsync(std::span<const uint8_t> wav) override { Note(Kind::WavAsync, wav); }
    void QueueWav(std::span<const uint8_t> wav) override { Note(Kind::WavQueued, wav); }
    void Note(Kind kind, std::span<const uint8_t> wav) { played.push_back({kind, 0, 0, {wav.begin(), wav.end()}}); }

    std::vector<Played> played;
};

} // namespace dorvane::testing
