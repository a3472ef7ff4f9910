#pragma once

#include <cassert>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iomanip>
#include <span>
#include <sstream>
#include <string>
#include <vector>

// Measurements of recorded sound, for tests that check what was heard.
namespace dorvane::testing::SignalAnalysis {

// A stretch of sound: samples [start, end).
struct Burst {
    std::size_t start = 0, end = 0;
    std::size_t length() const { return end - start; }
};

inline double Milliseconds(std::size_t samples, int rate) { return 1000.0 * samples / rate; }

// The stretches where the sound rises above threshold, joined across quiet gaps of at most maxGap
// samples (the troughs of the wave itself).
inline std::vector<Burst> FindBursts(std::span<const int16_t> samples, int threshold, std::size_t maxGap)
{
    std::vector<Burst> bursts;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        if (std::abs(samples[i]) < threshold)
            continue;
        if (!bursts.empty() && i - (bursts.back().end - 1) <= maxGap + 1)
            bursts.back().end = i + 1;
        else
            bursts.push_back({i, i + 1});
    }
    return bursts;
}

// "at 12.3 ms for 120.0 ms, ..." for a failure message.
inline std::string Describe(const std::vector<Burst>& bursts, int rate)
{
    std::ostringstream text;
    for (const Burst& burst : bursts)
        text << (text.tellp() > 0 ? ", " : "") << std::fixed << std::setprecision(1) << "at "
             << Milliseconds(burst.start, rate) << " ms for " << Milliseconds(burst.length(), rate) << " ms";
    return bursts.empty() ? "nothing heard" : text.str();
}

// The frequency of a steady tone from its zero crossings (interpolated between samples).
inline double ZeroCrossingFrequency(std::span<const int16_t> samples, int rate)
{
    double first = -1, last = -1;
    int crossings = 0;
    for (std::size_t i = 1; i < samples.size(); ++i) {
        const int a = samples[i - 1], b = samples[i];
        if ((a < 0) == (b < 0))
            continue;
        const double at = (i - 1) + double(a) / (a - b); // where the line between them crosses 0
        first = first < 0 ? at : first;
        last = at;
        ++crossings;
    }
    return crossings < 3 ? 0 : (crossings - 1) / 2.0 / ((last - first) / rate);
}

// Rms of the difference of two equally long stretches, or of one stretch.
inline double RmsDifference(std::span<const int16_t> a, std::span<const int16_t> b)
{
    assert(a.size() == b.size());
    double sum = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        sum += (double(a[i]) - b[i]) * (double(a[i]) - b[i]);
    return a.empty() ? 0 : std::sqrt(sum / a.size());
}
inline double Rms(std::span<const int16_t> samples) { return RmsDifference(samples, std::vector<int16_t>(samples.size())); }

} // namespace dorvane::testing::SignalAnalysis
