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
    std::vector<uint8_t> wav;
    wav.reserve(44 + dataSize);
    auto put = [&](uint32_t value, int bytes) {
        for (int k = 0; k < bytes; ++k)
            wav.push_back(static_cast<uint8_t>(value >> (8 * k)));
    };
    auto id = [&](const char* text) {
        for (int k = 0; k < 4; ++k)
            wav.push_back(static_cast<uint8_t>(text[k]));
    };
    id("RIFF");
    put(dataSize + 36, 4);
    id("WAVE");
    id("fmt ");
    put(16, 4);
    put(1, 2);
    put(channels, 2);
    put(rate, 4);
    put(rate * channels * 2, 4);
    put(channels * 2, 2);
    put(16, 2);
    id("data");
    put(dataSize, 4);
    for (uint32_t i = 0; i < frames; ++i) {
        const auto sample = static_cast<int16_t>(std::lround(amplitude * std::sin(2 * std::numbers::pi * frequency * i / rate)));
        for (int c = 0; c < channels; ++c)
            put(static_cast<uint16_t>(sample), 2);
    }
    return wav;
}

} // namespace dorvane::testing
