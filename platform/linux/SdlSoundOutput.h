#pragma once

#include "platform/SoundOutput.h"
#include "platform/shared/DeviceThread.h"
#include "platform/linux/PcSpeaker.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <span>

namespace dorvane {

// The sample rate and channel count of an open sound device.
struct SoundDeviceFormat;

// The system's sound, through SDL's audio subsystem (PulseAudio, PipeWire or ALSA underneath). The
// sound device is opened at the first sound and kept open while sounds follow each other; once
// nothing has played for a while it is closed again, so that a quiet clock does not keep an audio
// thread waking up many times a second to feed silence. Every sound goes through one voice, so a
// new sound cuts off the one still playing. Sounds are converted to the device's format on the way.
//
// Every call into SDL runs on a thread of its own (a sound server may accept the connection and
// then never answer): a caller waits for the device at most kAnswerWithin, and for a sound it plays
// to the end at most the sound's length and kStallAllowance more. A server that does not answer
// counts as no sound device. Without any sound device everything is silent: this is said once on
// the diagnostics stream (the sound libraries' own messages are silenced), and opening is tried
// again now and then (the sound server may start after the clock, or restart).
class SdlSoundOutput : public SoundOutput {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::seconds kRetryOpenAfter{5};
    static constexpr std::chrono::seconds kCloseWhenIdleFor{5};
    static constexpr std::chrono::milliseconds kAnswerWithin{1000};
    static constexpr std::chrono::milliseconds kStallAllowance{500};

    // Says on diagnostics when there is no sound device; tries to open one again at the first sound
    // kRetryOpenAfter later. Closes the device when it has been silent for kCloseWhenIdleFor. Both
    // rules go by now; how long sounds and the sound server take goes by the real clock.
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
    void QueueWav(std::span<const uint8_t> wav) override;

    // Starts opening the sound device in the background, so that the first sound finds it open.
    void OpenAhead();
    // Whether a sound device is open now (or could be opened just now).
    bool HasDevice();
    // Whether the sound device is open at this moment, without trying to open it. A device that has
    // been silent for long enough is closed here if the idle closer has not woken up for it yet.
    bool IsDeviceOpen();

private:
    struct Device;
    struct Started;

    // Runs task on the device thread; false, said once, when the sound server does not answer.
    bool RunOnDevice(std::function<void()> task);
    // Opens the device, makes samples in its format with make, and plays them to their end.
    void PlayToTheEnd(const std::function<std::optional<std::vector<uint8_t>>(const SoundDeviceFormat&)>& make);
    // Starts wav on the device thread: at once, cutting off what plays, or queued after it.
    void StartInBackground(std::span<const uint8_t> wav, bool queued);
    bool PcSpeakerTone(int frequencyHz, int milliseconds);

    std::shared_ptr<Device> device_; // shared with the device thread, which may outlive this object
    bool speakerSearched_ = false;
    std::optional<PcSpeaker> speaker_;
    DeviceThread thread_;
};

// The process's sound output: made at the first call, reporting on stderr, kept until the end.
SdlSoundOutput& SystemSoundOutput();

} // namespace dorvane
