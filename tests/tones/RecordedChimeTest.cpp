#include "tones/RecordedChime.h"

#include "tests/platform/SignalAnalysis.h"
#include "tests/tones/WavBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace dorvane {
namespace {

using namespace testing::SignalAnalysis;
using testing::WavBytes;

std::vector<int16_t> Samples(const WavBytes& wav)
{
    std::vector<int16_t> samples(wav.U32(40) / 2);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<int16_t>(wav.U16(44 + 2 * i));
    return samples;
}

TEST(RecordedChime, IsAMono8000Hz16BitPcmWavFile)
{
    const WavBytes wav{RecordedChime()};
    ASSERT_GE(wav.bytes.size(), 44u);
    EXPECT_EQ(wav.Id(0), "RIFF");
    EXPECT_EQ(wav.U32(4), wav.bytes.size() - 8);
    EXPECT_EQ(wav.Id(8), "WAVE");
    EXPECT_EQ(wav.Id(12), "fmt ");
    EXPECT_EQ(wav.U16(20), 1);     // PCM
    EXPECT_EQ(wav.U16(22), 1);     // mono
    EXPECT_EQ(wav.U32(24), 8000u);
    EXPECT_EQ(wav.U16(34), 16);
    EXPECT_EQ(wav.Id(36), "data");
    EXPECT_EQ(wav.U32(40), wav.bytes.size() - 44);
}

TEST(RecordedChime, IsAStrokeOfAFewSecondsThatDiesAway)
{
    const auto samples = Samples(WavBytes{RecordedChime()});
    const double seconds = samples.size() / 8000.0;
    EXPECT_GE(seconds, 2.0);
    EXPECT_LE(seconds, 4.0);

    const auto tenth = std::span(samples).first(800);
    const double strike = Rms(tenth);
    EXPECT_GT(strike, 3000) << "the stroke starts loud";
    const auto peak = std::max_element(samples.begin(), samples.end(),
                                       [](int16_t a, int16_t b) { return std::abs(a) < std::abs(b); });
    EXPECT_LT(peak - samples.begin(), 800) << "the loudest moment is the strike";
    EXPECT_LT(std::abs(*peak), 32767) << "not clipped";

    double previous = strike;
    for (std::size_t at = 4000; at + 4000 <= samples.size(); at += 4000) {
        const double now = Rms(std::span(samples).subspan(at, 4000));
        EXPECT_LT(now, previous) << "still dying away at " << at / 8000.0 << " s";
        previous = now;
    }
    EXPECT_LT(Rms(std::span(samples).last(400)), strike / 100) << "rings out to silence";
    EXPECT_EQ(samples.back(), 0);
}

TEST(RecordedChime, SoundsLikeABellNotAPureTone)
{
    const auto samples = Samples(WavBytes{RecordedChime()});
    const auto opening = std::span(samples).first(4000);
    const double strongest = DominantFrequency(opening, 8000, 100, 3900);
    EXPECT_GT(strongest, 200);
    EXPECT_LT(strongest, 1500);
    // A bell's partials are not whole multiples of one another: next to the strongest, others
    // that are no harmonic of it carry real energy.
    int partials = 0;
    for (double f = 100; f < 3900; f += 5) {
        const double ratio = f / strongest;
        const bool harmonic = std::abs(ratio - std::round(ratio)) < 0.05;
        if (!harmonic && PowerAt(opening, 8000, f) > PowerAt(opening, 8000, strongest) / 30)
            ++partials;
    }
    EXPECT_GE(partials, 3);
}

} // namespace
} // namespace dorvane
