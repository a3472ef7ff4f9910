#pragma once

#include "platform/SoundOutput.h"
#include "platform/linux/PcSpeaker.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <thread>
#include <vector>

struct SDL_AudioSpec;

namespace dorvane {

// The system's sound, through SDL's audio subsystem (PulseAudio, PipeWire or ALSA underneath). The
// sound device is opened at the first sound and kept open while sounds follow each other; once
// nothing has played for a while it is closed again, so that a quiet clock does not keep an audio
// thread waking up many times a second to feed silence. Every sound goes through one voice, so a
// new sound cuts off the one still playing. Sounds are converted to the device's format on the way.
// Without any sound device everything is silent: this is said once on the diagnostics stream, and
// opening is tried again now and then (the sound server may start after the clock, or restart).
class SdlSoundOutput : public SoundOutput {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::seconds kRetryOpenAfter{5};
    static constexpr std::chrono::seconds kCloseWhenIdleFor{5};

    // Says on diagnostics when there is no sound device; tries to open one again at the first sound
    // kRetryOpenAfter later. Closes the device when it has been silent for kCloseWhenIdleFor. Both
    // rules go by now; how long sounds take to be heard goes by the real clock.
    explicit SdlSoundOutput(std::ostream& diagnostics, std::function<Clock::time_point()> now = Clock::now);
    ~SdlSoundOutput() override;
    SdlSoundOutput(const SdlSoundOutput&) = delete;
    SdlSoundOutput& operator=(const SdlSoundOutput&) = delete;

    // The PC speaker's tone where the kernel offers one that may be used; otherwise a square wave of
    // the frequency through the sound device. Blocks for the tone's length either way (also when
    // nothing can sound). Frequencies outside 37..32767 Hz are silent.
    void Beep(int frequencyHz, int milliseconds) override;
    void PlayWavSync(std::span<const uint8_t> wav) override;
    void PlayWavAsync(std::span<const uint8_t> wav) override;

    // Whether a sound device is open now (or could be opened just now).
    bool HasDevice();
    // Whether the sound device is open at this moment, without trying to open it. A device that has
    // been silent for long enough is closed here if the idle closer has not woken up for it yet.
    bool IsDeviceOpen();

private:
    struct Voice;
    struct DeviceFormat {
        int rate = 0;
        int channels = 0;
    };

    bool EnsureDevice();
    bool OpenDevice();
    void CloseDevice();
    void ReportMissingDevice(const char* reason);
    std::optional<std::vector<uint8_t>> ToDeviceFormat(std::span<const uint8_t> wav) const;
    std::optional<std::vector<uint8_t>> Convert(const SDL_AudioSpec& source, std::span<const uint8_t> samples) const;
    // The part of a square-wave beep from fromMs on, milliseconds long.
    std::vector<uint8_t> SquareWave(int frequencyHz, int64_t fromMs, int milliseconds) const;
    void PlayToTheEnd(std::vector<uint8_t> samples);
    uint64_t Start(std::vector<uint8_t> samples);
    bool PcSpeakerTone(int frequencyHz, int milliseconds);
    void KeepDeviceOpenFor(Clock::duration soundLength);
    bool CloseDeviceIfIdle();
    void CloseDeviceWhenIdle();

    std::ostream& diagnostics_;
    std::function<Clock::time_point()> now_;
    bool reportedMissing_ = false;
    uint32_t device_ = 0;
    DeviceFormat format_;
    std::optional<Clock::time_point> lastFailedOpen_;
    bool speakerSearched_ = false;
    std::optional<PcSpeaker> speaker_;
    std::unique_ptr<Voice> voice_;

    // Taken by every public call and by the idle closer, so the device is never closed under a sound
    // being started or waited for.
    std::mutex deviceMutex_;
    std::condition_variable idleChanged_;
    Clock::time_point closeAt_; // on now_
    bool stopping_ = false;
    std::thread idleCloser_;
};

// The process's sound output: made at the first call, reporting on stderr, kept until the end.
SoundOutput& SystemSoundOutput();

} // namespace dorvane
