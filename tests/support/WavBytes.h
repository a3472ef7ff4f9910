#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numbers>
#include <span>
#include <string>
#include <vector>

namespace dorvane::testing {

// Reads the little-endian fields of a WAV image (a copy of it); SineWav below writes one.
struct WavBytes {
    explicit WavBytes(std::span<const uint8_t> image) : bytes(image.begin(), image.end()) {}

    std::vector<uint8_t> bytes;

    uint16_t U16(std::size_t at) const { return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8); }
    uint32_t U32(std::size_t at) const { return U16(at) | uint32_t{U16(at + 2)} << 16; }
    std::string Id(std::size_t at) const { return std::string(bytes.begin() + at, bytes.begin() + at + 4); }

    // Frames of a 16-bit stereo image after its 44-byte header.
    std::size_t Frames() const { return (bytes.size() - 44) / 4; }
    int16_t Sample(std::size_t frame, int channel) const { return static_cast<int16_t>(U16(44 + 4 * frame + 2 * channel)); }
    // Every 16-bit sample of the data chunk, for a mono image.
    std::vector<int16_t> MonoSamples() const
    {
        std::vector<int16_t> samples(U32(40) / 2);
        for (std::size_t i = 0; i < samples.size(); ++i)
            samples[i] = static_cast<int16_t>(U16(44 + 2 * i));
        return samples;
    }
};

// A 16-bit PCM WAV file of a sine tone, in any rate and channel count.
inline std::vector<uint8_t> SineWav(int rate, int channels, double frequency, double seconds, int16_t amplitude)
{
    const auto frames = static_cast<uint32_t>(std::lround(seconds * rate));
    const uint32_t dataSize = frames * channels * 2;
    std::vector<uint8_t> wav{'R', 'I', 'F', 'F'};
    auto put = [&](uint32_t value, int bytes) {
        for (int k = 0; k < bytes; ++k)
            wav.push_back(static_cast<uint8_t>(value >> (8 * k)));
    };
    put(dataSize + 36, 4);
    wav.insert(wav.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    for (auto [value, bytes] : {std::pair{16u, 4}, {1u, 2}, {uint32_t(channels), 2}, {uint32_t(rate), 4},
                                {uint32_t(rate * channels * 2), 4}, {uint32_t(channels * 2), 2}, {16u, 2}})
        put(value, bytes);
    wav.insert(wav.end(), {'d', 'a', 't', 'a'});
    put(dataSize, 4);
    for (uint32_t i = 0; i < frames; ++i) {
        const auto sample = std::lround(amplitude * std::sin(2 * std::numbers::pi * frequency * i / rate));
        for (int c = 0; c < channels; ++c)
            put(static_cast<uint16_t>(sample), 2);
    }
    return wav;
}

} // namespace dorvane::testing
