#pragma once

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace dorvane::testing {

// A 16-bit PCM WAV file of a sine tone, in any rate and channel count.
inline std::vector<uint8_t> SineWav(int rate, int channels, double frequency, double seconds, int16_t amplitude)
{
    const auto frames = static_cast<uint32_t>(std::lround(seconds * rate));
    const uint32_t dataSize = frames * channels * 2;
    std::vector<uint8_t> wav{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' '};
    auto put = [&](uint32_t value, int bytes) {
        for (int k = 0; k < bytes; ++k)
            wav.push_back(static_cast<uint8_t>(value >> (8 * k)));
    };
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
    for (int k = 0; k < 4; ++k)
        wav[4 + k] = static_cast<uint8_t>((dataSize + 36) >> (8 * k));
    return wav;
}

} // namespace dorvane::testing
