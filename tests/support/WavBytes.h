#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace dorvane::testing {

// Reads the little-endian fields of a WAV image (a copy of it).
struct WavBytes {
    explicit WavBytes(std::span<const uint8_t> image) : bytes(image.begin(), image.end()) {}

    std::vector<uint8_t> bytes;

    uint32_t U32(std::size_t at) const
    {
        return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | uint32_t{bytes[at + 3]} << 24;
    }
    uint16_t U16(std::size_t at) const { return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8); }
    std::string Id(std::size_t at) const { return std::string(bytes.begin() + at, bytes.begin() + at + 4); }

    // Frames of a 16-bit stereo image after its 44-byte header.
    std::size_t Frames() const { return (bytes.size() - 44) / 4; }
    int16_t Sample(std::size_t frame, int channel) const
    {
        return static_cast<int16_t>(U16(44 + 4 * frame + 2 * channel));
    }
    // Every 16-bit sample of the data chunk, for a mono image.
    std::vector<int16_t> MonoSamples() const
    {
        std::vector<int16_t> samples(U32(40) / 2);
        for (std::size_t i = 0; i < samples.size(); ++i)
            samples[i] = static_cast<int16_t>(U16(44 + 2 * i));
        return samples;
    }
};

} // namespace dorvane::testing
