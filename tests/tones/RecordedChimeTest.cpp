#include "tones/RecordedChime.h"

#include "tests/support/SignalAnalysis.h"
#include "tests/support/WavBytes.h"

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
    EXPECT_EQ(std::vector<uint32_t>({wav.U32(4), wav.U32(40), wav.U16(20), wav.U16(22), wav.U32(24), wav.U16(34)}),
              std::vector<uint32_t>({uint32_t(wav.bytes.size() - 8), uint32_t(wav.bytes.size() - 44), 1, 1, 8000, 16}));
    const auto samples = wav.MonoSamples();
    EXPECT_TRUE(samples.size() >= 2u * 8000 && samples.size() <= 4u * 8000) << samples.size();
    const double strike = Rms(std::span(samples).first(800));
    EXPECT_GT(strike, 3000) << "the stroke starts loud";
    EXPECT_LT(std::abs(std::ranges::max(samples, {}, [](int16_t s) { return std::abs(s); })), 32767) << "not clipped";
    for (std::size_t at = 4000; at + 4000 <= samples.size(); at += 4000)
        EXPECT_LT(Rms(std::span(samples).subspan(at, 4000)), Rms(std::span(samples).subspan(at - 4000, 4000))) << at;
    EXPECT_LT(Rms(std::span(samples).last(400)), strike / 100) << "rings out to silence";
}

} // namespace
} // namespace dorvane
