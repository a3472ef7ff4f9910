#pragma once

#include <filesystem>
#include <optional>
#include <utility>

namespace dorvane {

// The PC speaker, driven through the kernel's input device for it (an event device that accepts
// EV_SND / SND_TONE). Owns the open device.
class PcSpeaker {
public:
    // The first event device in folder that can sound tones and may be opened for writing.
    static std::optional<PcSpeaker> Find(const std::filesystem::path& folder = "/dev/input");

    // Takes over an open descriptor of a tone-capable device.
    explicit PcSpeaker(int fd) : fd_(fd) {}
    PcSpeaker(PcSpeaker&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    PcSpeaker& operator=(PcSpeaker&& other) noexcept;
    PcSpeaker(const PcSpeaker&) = delete;
    PcSpeaker& operator=(const PcSpeaker&) = delete;
    ~PcSpeaker();

    // Sounds frequencyHz for milliseconds and returns when it has stopped; false, at once, when the
    // device refuses the tone.
    bool Tone(int frequencyHz, int milliseconds);

private:
    bool Send(int frequencyHz);
    int fd_ = -1;
};

} // namespace dorvane
