#include "platform/linux/PcSpeaker.h"

#include <linux/input.h>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

namespace dorvane {
namespace {

bool HasBit(const unsigned long* bits, int bit)
{
    constexpr int kBitsPerLong = 8 * sizeof(unsigned long);
    return (bits[bit / kBitsPerLong] >> (bit % kBitsPerLong)) & 1;
}

bool CanSoundTones(int fd)
{
    unsigned long eventTypes[EV_MAX / (8 * sizeof(unsigned long)) + 1] = {};
    unsigned long sounds[SND_MAX / (8 * sizeof(unsigned long)) + 1] = {};
    return ioctl(fd, EVIOCGBIT(0, sizeof eventTypes), eventTypes) >= 0 && HasBit(eventTypes, EV_SND) &&
           ioctl(fd, EVIOCGBIT(EV_SND, sizeof sounds), sounds) >= 0 && HasBit(sounds, SND_TONE);
}

std::vector<std::filesystem::path> EventDevices(const std::filesystem::path& folder)
{
    std::vector<std::filesystem::path> devices;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (entry.path().filename().string().starts_with("event"))
            devices.push_back(entry.path());
    std::sort(devices.begin(), devices.end());
    return devices;
}

} // namespace

std::optional<PcSpeaker> PcSpeaker::Find(const std::filesystem::path& folder)
{
    for (const auto& device : EventDevices(folder)) {
        const int fd = open(device.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0)
            continue;
        if (CanSoundTones(fd))
            return PcSpeaker(fd);
        close(fd);
    }
    return std::nullopt;
}

PcSpeaker& PcSpeaker::operator=(PcSpeaker&& other) noexcept
{
    if (this != &other) {
        if (fd_ >= 0)
            close(fd_);
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

PcSpeaker::~PcSpeaker()
{
    if (fd_ >= 0)
        close(fd_);
}

bool PcSpeaker::Tone(int frequencyHz, int milliseconds)
{
    if (!Send(frequencyHz))
        return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    Send(0);
    return true;
}

bool PcSpeaker::Send(int frequencyHz)
{
    input_event event{};
    event.type = EV_SND;
    event.code = SND_TONE;
    event.value = frequencyHz;
    return write(fd_, &event, sizeof event) == static_cast<ssize_t>(sizeof event);
}

} // namespace dorvane
