#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Measurements of recorded sound, for tests that check what was heard.
namespace dorvane::testing::SignalAnalysis {

// A stretch of sound: samples [start, end).
struct Burst {
    std::size_t start = 0, end = 0;
    std::size_t length() const { return end - start; }
};

// The stretches where the sound rises above threshold, joined across quiet gaps of at most maxGap
// samples (the troughs of the wave itself).
std::vector<Burst> FindBursts(std::span<const int16_t> samples, int threshold, std::size_t maxGap);
// "at 12.3 ms for 120.0 ms, ..." for a failure message.
std::string Describe(const std::vector<Burst>& bursts, int rate);
// The frequency of a steady tone from its zero crossings (interpolated between samples).
double ZeroCrossingFrequency(std::span<const int16_t> samples, int rate);
double Rms(std::span<const int16_t> samples);
// Rms of the difference of two equally long stretches.
double RmsDifference(std::span<const int16_t> a, std::span<const int16_t> b);
double Milliseconds(std::size_t samples, int rate);

} // namespace dorvane::testing::SignalAnalysis
