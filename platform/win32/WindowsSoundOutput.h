#pragma once

#include "platform/SoundOutput.h"
#include "platform/shared/DeviceThread.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <span>

namespace dorvane {

// The system's sound through PlaySound from memory, and Beep. Every call into the sound system runs
// on a thread of its own (a sound driver may stall, and loading it takes a while): a caller waits
// for it at most kAnswerWithin, and for a sound or tone it plays to the end at most the sound's
// length and kStallAllowance more. Every
// sound goes through one voice, as PlaySound has only one per process: a new sound cuts off the one
// still playing, and queued sounds start one after the other as each one's length runs out. When
// nothing can sound, this is said once on the diagnostics stream and everything stays silent.
class WindowsSoundOutput : public SoundOutput {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kAnswerWithin{1000};
    static constexpr std::chrono::milliseconds kStallAllowance{500};

    // The system's calls: PlaySoundW(sound, nullptr, flags), Beep, and one that loads the sound
    // driver ahead of the first sound (none: nothing to load). Tests put in their own.
    struct SystemCalls {
        std::function<bool(const void* sound, uint32_t flags)> playSound;
        std::function<bool(int frequencyHz, int milliseconds)> beep;
        std::function<void()> openDriver;
    };
    static SystemCalls WindowsCalls();

    // Starts loading the sound driver in the background, so that the first sound is not late.
    explicit WindowsSoundOutput(std::ostream& diagnostics, SystemCalls calls = WindowsCalls());
    ~WindowsSoundOutput() override;
    WindowsSoundOutput(const WindowsSoundOutput&) = delete;
    WindowsSoundOutput& operator=(const WindowsSoundOutput&) = delete;

    // Blocks for the tone's length whether or not it could sound. Frequencies outside 37..32767 Hz
    // are silent.
    void Beep(int frequencyHz, int milliseconds) override;
    void PlayWavSync(std::span<const uint8_t> wav) override;
    void PlayWavAsync(std::span<const uint8_t> wav) override;
    void QueueWav(std::span<const uint8_t> wav) override;

    // How long a RIFF/WAVE image sounds, from its format and the size of its samples; zero when it
    // is no such image.
    static Clock::duration LengthOf(std::span<const uint8_t> wav);

private:
    struct Voice;

    std::shared_ptr<Voice> voice_; // shared with the device thread, which may outlive this object
    DeviceThread thread_;
};

// The process's sound output: made at the first call, reporting on stderr, kept until the end.
WindowsSoundOutput& SystemSoundOutput();

} // namespace dorvane
