#pragma once

#include <cstdint>
#include <span>

namespace dorvane {

// The sound device and the PC speaker.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // A tone on the PC speaker; returns when it has sounded for its length.
    virtual void Beep(int frequencyHz, int milliseconds) = 0;
    // Plays a RIFF/WAVE image held in memory and returns when it has been heard to the end.
    virtual void PlayWavSync(std::span<const uint8_t> wav) = 0;
    // Starts a RIFF/WAVE image held in memory and returns at once; whatever this sound output was
    // still playing is cut off. The bytes are copied.
    virtual void PlayWavAsync(std::span<const uint8_t> wav) = 0;
    // Plays a RIFF/WAVE image held in memory once the sounds queued before it have been heard, and
    // returns at once. The bytes are copied.
    virtual void QueueWav(std::span<const uint8_t> wav) = 0;
};

} // namespace dorvane
