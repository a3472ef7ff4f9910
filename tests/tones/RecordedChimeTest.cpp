#include "tones/RecordedChime.h"

#include "tests/platform/SignalAnalysis.h"
#include "tests/tones/WavBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace dorvane {
namespace {

using namespace testing::SignalAnalysis;
using testing::WavBytes;

TEST(RecordedChime, IsAMono8000Hz16BitPcmStrokeOfAFewSecondsThatDiesAway)
{
    const WavBytes wav{RecordedChime()};
    ASSERT_GE(wav.bytes.size(), 44u);
    EXPECT_EQ(wav.Id(0) + wav.Id(8) + wav.Id(12) + wav.Id(36), "RIFFWAVEfmt data");
    EXPECT_EQ(wav.U32(4), wav.bytes.size() - 8);
    EXPECT_EQ(wav.U32(40), wav.bytes.size() - 44);
    EXPECT_EQ(std::vector<uint32_t>({wav.U16(20), wav.U16(22), wav.U32(24), wav.U16(34)}),
              std::vector<uint32_t>({1, 1, 8000, 16})); // PCM, mono, 8000 Hz, 16-bit

    const auto samples = wav.MonoSamples();
    EXPECT_GE(samples.size(), 2u * 8000);
    EXPECT_LE(samples.size(), 4u * 8000);
    const double strike = Rms(std::span(samples).first(800));
    EXPECT_GT(strike, 3000) << "the stroke starts loud";
    const auto peak = std::ranges::max_element(samples, {}, [](int16_t s) { return std::abs(s); });
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

} // namespace
} // namespace dorvane
