#include "tests/support/SignalAnalysis.h"

#include <cassert>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace dorvane::testing::SignalAnalysis {

std::vector<Burst> FindBursts(std::span<const int16_t> samples, int threshold, std::size_t maxGap)
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

std::string Describe(const std::vector<Burst>& bursts, int rate)
{
    std::string text;
    char one[64];
    for (const Burst& burst : bursts) {
        std::snprintf(one, sizeof one, "%sat %.1f ms for %.1f ms", text.empty() ? "" : ", ",
                      Milliseconds(burst.start, rate), Milliseconds(burst.length(), rate));
        text += one;
    }
    return text.empty() ? "nothing heard" : text;
}

double ZeroCrossingFrequency(std::span<const int16_t> samples, int rate)
{
    double first = -1, last = -1;
    int crossings = 0;
    for (std::size_t i = 1; i < samples.size(); ++i) {
        const int a = samples[i - 1], b = samples[i];
        if ((a < 0) == (b < 0))
            continue;
        const double at = (i - 1) + double(a) / (a - b); // where the line between them crosses 0
        if (first < 0)
            first = at;
        last = at;
        ++crossings;
    }
    if (crossings < 3)
        return 0;
    return (crossings - 1) / 2.0 / ((last - first) / rate);
}

double Rms(std::span<const int16_t> samples)
{
    double sum = 0;
    for (int16_t sample : samples)
        sum += double(sample) * sample;
    return samples.empty() ? 0 : std::sqrt(sum / samples.size());
}

double RmsDifference(std::span<const int16_t> a, std::span<const int16_t> b)
{
    assert(a.size() == b.size());
    double sum = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        sum += (double(a[i]) - b[i]) * (double(a[i]) - b[i]);
    return a.empty() ? 0 : std::sqrt(sum / a.size());
}

double Milliseconds(std::size_t samples, int rate) { return 1000.0 * samples / rate; }

} // namespace dorvane::testing::SignalAnalysis
