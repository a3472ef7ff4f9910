#include "tones/ToneGenerator.h"

#include "tests/platform/FakeMessagePump.h"
#include "tests/platform/RecordingSoundOutput.h"
#include "tests/tones/WavBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <numbers>
#include <vector>

namespace dorvane {
namespace {

using testing::FakeMessagePump;
using testing::RecordingSoundOutput;
using testing::WavBytes;

struct ToneArgs {
    int32_t freqLeft = 1000;
    double volLeft = 10000;
    int32_t freqRight = 1000;
    double volRight = 10000;
    float duration = 0.01f;
    int32_t waveType = ToneGenerator::PureSine;
    bool decay = false;
};

class ToneGeneratorTest : public ::testing::Test {
protected:
    // Makes the tone and returns the image that was played.
    std::vector<uint8_t> Make(const ToneArgs& a)
    {
        const std::size_t before = sound.played.size();
        const Status made = generator.MakeSoundFile(a.freqLeft, a.volLeft, a.freqRight, a.volRight, a.duration,
                                                    a.waveType, a.decay);
        EXPECT_TRUE(made.ok()) << made.error();
        EXPECT_EQ(sound.played.size(), before + 1);
        if (sound.played.size() != before + 1)
            return {};
        EXPECT_EQ(sound.played.back().kind, RecordingSoundOutput::Played::Kind::WavSync);
        return sound.played.back().wav;
    }

    static ToneArgs Mono(int32_t frequency, double volume, int32_t waveType, float duration = 0.01f)
    {
        return {frequency, volume, frequency, volume, duration, waveType, false};
    }

    RecordingSoundOutput sound;
    FakeMessagePump pump;
    ToneGenerator generator{sound, pump};
};

TEST_F(ToneGeneratorTest, WritesTheCanonicalHeaderOfAStereo16BitPcmImage)
{
    const auto image = Make({});
    const WavBytes wav{image};
    const uint32_t dataSize = 4 * 441; // 0.01 s
    ASSERT_EQ(image.size(), 44 + dataSize);
    EXPECT_EQ(wav.Id(0), "RIFF");
    EXPECT_EQ(wav.U32(4), dataSize + 36);
    EXPECT_EQ(wav.Id(8), "WAVE");
    EXPECT_EQ(wav.Id(12), "fmt ");
    EXPECT_EQ(wav.U32(16), 16u);
    EXPECT_EQ(wav.U16(20), 1);
    EXPECT_EQ(wav.U16(22), 2);
    EXPECT_EQ(wav.U32(24), 44100u);
    EXPECT_EQ(wav.U32(28), 4u * 44100);
    EXPECT_EQ(wav.U16(32), 4);
    EXPECT_EQ(wav.U16(34), 16);
    EXPECT_EQ(wav.Id(36), "data");
    EXPECT_EQ(wav.U32(40), dataSize);
}

TEST_F(ToneGeneratorTest, TakesTheNearestNumberOfFramesAndAtLeastOne)
{
    struct Case {
        float duration;
        uint32_t frames;
    };
    const Case cases[] = {
        {0.0f, 1}, {0.12f, 5292}, {1.0f, 44100}, {-0.12f, 5292}, {-0.0f, 1},
        {0.1f, 4410}, {1e-6f, 1}, {0.5f / 44100, 1}, {1.6f / 44100, 2},
    };
    for (const auto& c : cases) {
        ToneArgs args;
        args.duration = c.duration;
        const auto image = Make(args);
        const WavBytes wav{image};
        EXPECT_EQ(image.size(), 44 + 4 * c.frames) << c.duration;
        EXPECT_EQ(wav.U32(40), 4 * c.frames) << c.duration;
        EXPECT_EQ(wav.U32(4), 4 * c.frames + 36) << c.duration;
    }
}

TEST_F(ToneGeneratorTest, OneFrameToneIsA48ByteImage)
{
    ToneArgs args;
    args.duration = 0;
    const auto image = Make(args);
    const WavBytes wav{image};
    EXPECT_EQ(image.size(), 48u);
    EXPECT_EQ(wav.U32(40), 4u);
    EXPECT_EQ(wav.U32(4), 40u);
}

TEST_F(ToneGeneratorTest, FirstSineSampleIsSlightlyNegativeAndFirstSquareSampleIsMinusA)
{
    const WavBytes sine{Make(Mono(1000, 10000, ToneGenerator::PureSine))};
    EXPECT_LT(sine.Sample(0, 0), 0);
    EXPECT_GT(sine.Sample(0, 0), -1000);
    EXPECT_GT(sine.Sample(1, 0), 0);

    const auto squareImage = Make(Mono(1000, 10000, ToneGenerator::Squarewave));
    const WavBytes square{squareImage};
    EXPECT_EQ(square.Sample(0, 0), -10000);
    EXPECT_EQ(square.Sample(1, 0), 10000);
    EXPECT_EQ(square.Sample(0, 1), -10000);
}

TEST_F(ToneGeneratorTest, HighestFrequencyAlternatesBetweenMinusAAndA)
{
    for (int32_t wave : {ToneGenerator::PureSine, ToneGenerator::Squarewave}) {
        const auto image = Make(Mono(22050, 5000, wave));
        const WavBytes wav{image};
        for (std::size_t i = 0; i < 8; ++i)
            EXPECT_EQ(wav.Sample(i, 0), i % 2 == 0 ? -5000 : 5000) << "wave " << wave << " frame " << i;
    }
}

TEST_F(ToneGeneratorTest, FrequenciesFoldModulo22051AndTakeTheirMagnitude)
{
    const auto silent = Make(Mono(0, 10000, ToneGenerator::PureSine));
    EXPECT_EQ(Make(Mono(22051, 10000, ToneGenerator::PureSine)), silent);
    EXPECT_EQ(Make(Mono(2 * 22051, 10000, ToneGenerator::Squarewave)), silent);
    const WavBytes wav{silent};
    for (std::size_t i = 0; i < wav.Frames(); ++i)
        ASSERT_EQ(wav.Sample(i, 0), 0) << i;

    EXPECT_EQ(Make(Mono(22052, 10000, ToneGenerator::PureSine)), Make(Mono(1, 10000, ToneGenerator::PureSine)));
    EXPECT_EQ(Make(Mono(-2000, 10000, ToneGenerator::PureSine)), Make(Mono(2000, 10000, ToneGenerator::PureSine)));
    const int32_t lowest = std::numeric_limits<int32_t>::min();
    EXPECT_EQ(Make(Mono(lowest, 10000, ToneGenerator::PureSine)),
              Make(Mono(static_cast<int32_t>(2147483648LL % 22051), 10000, ToneGenerator::PureSine)));
}

TEST_F(ToneGeneratorTest, VolumeIsRoundedThenMaskedTo15Bits)
{
    struct Case {
        double volume;
        int16_t amplitude;
    };
    const Case cases[] = {
        {32767, 32767}, {32768, 0}, {32769, 1}, {65535, 32767}, {0, 0},
        {2.5, 2},       {3.5, 4},   {2.4, 2},   {-1, 32767},    {16250, 16250},
    };
    for (const auto& c : cases) {
        const WavBytes wav{Make(Mono(1000, c.volume, ToneGenerator::Squarewave))};
        EXPECT_EQ(wav.Sample(0, 0), -c.amplitude) << c.volume;
    }
}

TEST_F(ToneGeneratorTest, SamplesAreRoundedHalvesToEven)
{
    // At 11025 Hz the sawtooth's period is 4 samples: -A, -A/2, 0, A/2.
    struct Case {
        double volume;
        int16_t expected[4];
    };
    const Case cases[] = {
        {3, {-3, -2, 0, 2}},
        {5, {-5, -2, 0, 2}},
        {7, {-7, -4, 0, 4}},
    };
    for (const auto& c : cases) {
        const WavBytes wav{Make(Mono(11025, c.volume, ToneGenerator::Sawtooth))};
        for (std::size_t i = 0; i < 8; ++i)
            EXPECT_EQ(wav.Sample(i, 0), c.expected[i % 4]) << "A " << c.volume << " frame " << i;
    }
}

TEST_F(ToneGeneratorTest, WaveTypeIsTakenModuloSix)
{
    EXPECT_EQ(Make(Mono(700, 9000, 6)), Make(Mono(700, 9000, ToneGenerator::PureSine)));
    EXPECT_EQ(Make(Mono(700, 9000, 11)), Make(Mono(700, 9000, ToneGenerator::Squarewave)));
    EXPECT_EQ(Make(Mono(700, 9000, 10)), Make(Mono(700, 9000, ToneGenerator::Sawtooth)));
    EXPECT_EQ(Make(Mono(700, 9000, 9)), Make(Mono(700, 9000, ToneGenerator::SineWithHarmonics)));
}

TEST_F(ToneGeneratorTest, NegativeWaveTypePlaysSilence)
{
    for (int32_t wave : {-1, -5, -6, std::numeric_limits<int32_t>::min()}) {
        const auto image = Make(Mono(700, 9000, wave));
        const WavBytes wav{image};
        ASSERT_EQ(wav.Frames(), 441u);
        if (wave % 6 == 0) {
            EXPECT_EQ(image, Make(Mono(700, 9000, ToneGenerator::PureSine))) << wave;
            continue;
        }
        for (std::size_t i = 0; i < wav.Frames(); ++i)
            ASSERT_EQ(wav.Sample(i, 0) | wav.Sample(i, 1), 0) << "wave " << wave << " frame " << i;
    }
}

TEST_F(ToneGeneratorTest, EqualChannelSettingsGiveEqualHalvesExceptForNoise)
{
    struct Case {
        int32_t wave;
        bool halvesEqual;
    };
    const Case cases[] = {
        {ToneGenerator::PureSine, true},          {ToneGenerator::WhiteNoise, false},
        {ToneGenerator::SineWithWhiteNoise, false}, {ToneGenerator::SineWithHarmonics, true},
        {ToneGenerator::Sawtooth, true},          {ToneGenerator::Squarewave, true},
    };
    for (const auto& c : cases) {
        const auto image = Make(Mono(1234, 12000, c.wave, 0.05f));
        const WavBytes wav{image};
        std::size_t differing = 0;
        for (std::size_t i = 0; i < wav.Frames(); ++i)
            differing += wav.Sample(i, 0) != wav.Sample(i, 1);
        if (c.halvesEqual)
            EXPECT_EQ(differing, 0u) << "wave " << c.wave;
        else
            EXPECT_GT(differing, wav.Frames() / 2) << "wave " << c.wave;
    }
}

TEST_F(ToneGeneratorTest, ChannelsHaveTheirOwnFrequencyAndVolume)
{
    const WavBytes wav{Make({1000, 8000, 22050, 3000, 0.01f, ToneGenerator::Squarewave, false})};
    EXPECT_EQ(wav.Sample(0, 0), -8000);
    EXPECT_EQ(wav.Sample(1, 0), 8000);  // 1000 Hz stays up for about 22 samples
    EXPECT_EQ(wav.Sample(0, 1), -3000);
    EXPECT_EQ(wav.Sample(1, 1), 3000);
    EXPECT_EQ(wav.Sample(2, 1), -3000); // 22050 Hz turns every sample
}

TEST_F(ToneGeneratorTest, NoiseStaysWithinTheAmplitudeAndIsNotConstant)
{
    for (int32_t wave : {ToneGenerator::WhiteNoise, ToneGenerator::SineWithWhiteNoise}) {
        const WavBytes wav{Make(Mono(500, 4000, wave, 0.1f))};
        int16_t lowest = 0, highest = 0;
        for (std::size_t i = 0; i < wav.Frames(); ++i) {
            lowest = std::min({lowest, wav.Sample(i, 0), wav.Sample(i, 1)});
            highest = std::max({highest, wav.Sample(i, 0), wav.Sample(i, 1)});
        }
        EXPECT_GE(lowest, -4000) << wave;
        EXPECT_LE(highest, 4000) << wave;
        EXPECT_LT(lowest, -2000) << wave;
        EXPECT_GT(highest, 2000) << wave;
    }
}

TEST_F(ToneGeneratorTest, SineWithHarmonicsIsTheCubeOfTheSine)
{
    const WavBytes wav{Make(Mono(22050, 20000, ToneGenerator::SineWithHarmonics))};
    EXPECT_EQ(wav.Sample(0, 0), -20000); // sin = -1 at the highest frequency
    const WavBytes slow{Make(Mono(441, 20000, ToneGenerator::SineWithHarmonics))};
    // A quarter period after the start the sine is near 1; an eighth, near 0.707 (cubed: 0.354).
    EXPECT_NEAR(slow.Sample(25, 0), 20000, 50);
    EXPECT_NEAR(slow.Sample(13, 0) / 20000.0, std::pow(std::sin(2 * std::numbers::pi * 441 * 12.5 / 44100), 3), 0.002);
}

TEST_F(ToneGeneratorTest, SawtoothAtZeroHertzRisesOnceOverTheWholeTone)
{
    const WavBytes wav{Make(Mono(0, 10000, ToneGenerator::Sawtooth, 0.01f))};
    EXPECT_EQ(wav.Sample(0, 0), -10000);
    for (std::size_t i = 1; i < wav.Frames(); ++i)
        ASSERT_GT(wav.Sample(i, 0), wav.Sample(i - 1, 0)) << i;
    EXPECT_GT(wav.Sample(wav.Frames() - 1, 0), 9900);
}

TEST_F(ToneGeneratorTest, DecayFallsFromEachChannelsStartToNearlyZero)
{
    const WavBytes wav{Make({2205, 20000, 2205, 10000, 0.5f, ToneGenerator::Squarewave, true})};
    const std::size_t n = wav.Frames();
    ASSERT_EQ(n, 22050u);
    EXPECT_EQ(wav.Sample(0, 0), -20000);
    EXPECT_EQ(wav.Sample(0, 1), -10000);
    // Halfway the amplitude is half its start, at the end nearly nothing.
    EXPECT_NEAR(std::abs(wav.Sample(n / 2, 0)), 10000, 5);
    EXPECT_NEAR(std::abs(wav.Sample(n / 2, 1)), 5000, 5);
    EXPECT_LE(std::abs(wav.Sample(n - 1, 0)), 1);
    EXPECT_LE(std::abs(wav.Sample(n - 1, 1)), 1);
    for (std::size_t i = 1; i < n; ++i)
        ASSERT_LE(std::abs(wav.Sample(i, 0)), std::abs(wav.Sample(i - 1, 0))) << i;
}

TEST_F(ToneGeneratorTest, WithoutDecayTheAmplitudeStays)
{
    const WavBytes wav{Make(Mono(2205, 20000, ToneGenerator::Squarewave, 0.5f))};
    EXPECT_EQ(std::abs(wav.Sample(wav.Frames() - 1, 0)), 20000);
}

TEST_F(ToneGeneratorTest, KeepsThePlayedImageUntilTheNextCall)
{
    EXPECT_TRUE(generator.WavImage().empty());
    const auto first = Make(Mono(440, 5000, ToneGenerator::PureSine));
    EXPECT_TRUE(std::ranges::equal(generator.WavImage(), first));
    const auto second = Make(Mono(880, 5000, ToneGenerator::PureSine, 0.02f));
    EXPECT_TRUE(std::ranges::equal(generator.WavImage(), second));
}

TEST_F(ToneGeneratorTest, LetsPendingMessagesRunBeforeBuildingAndBeforePlaying)
{
    std::vector<std::size_t> playedWhenPumped;
    pump.pending = [&] {
        playedWhenPumped.push_back(sound.played.size());
        pump.pending = [&] { playedWhenPumped.push_back(sound.played.size()); };
    };
    Make({});
    EXPECT_EQ(pump.runs, 2);
    EXPECT_EQ(playedWhenPumped, (std::vector<std::size_t>{0, 0}));
}

TEST_F(ToneGeneratorTest, CallNestedBeforeBuildingFinishesFirst)
{
    pump.pending = [&] { generator.MakeSoundFile(300, 1000, 300, 1000, 0.02f, 0, false); };
    generator.MakeSoundFile(600, 1000, 600, 1000, 0.01f, 0, false);
    ASSERT_EQ(sound.played.size(), 2u);
    EXPECT_EQ(WavBytes{sound.played[0].wav}.Frames(), 882u);
    EXPECT_EQ(WavBytes{sound.played[1].wav}.Frames(), 441u);
}

TEST_F(ToneGeneratorTest, CallNestedBeforePlayingDoesNotTakeTheOuterTonesPlace)
{
    pump.pending = [&] {
        pump.pending = [&] { generator.MakeSoundFile(300, 1000, 300, 1000, 0.02f, 0, false); };
    };
    generator.MakeSoundFile(600, 1000, 600, 1000, 0.01f, 0, false);
    ASSERT_EQ(sound.played.size(), 2u);
    EXPECT_EQ(WavBytes{sound.played[0].wav}.Frames(), 882u); // the nested tone
    EXPECT_EQ(WavBytes{sound.played[1].wav}.Frames(), 441u); // the outer call's own tone
}

TEST_F(ToneGeneratorTest, ToneTooLongForAWavImageFailsWithoutPlaying)
{
    const float durations[] = {30000.0f, -30000.0f, 1e30f, std::numeric_limits<float>::infinity(),
                               std::numeric_limits<float>::quiet_NaN(), 24348.0f};
    Make({});
    const std::vector<uint8_t> kept(generator.WavImage().begin(), generator.WavImage().end());
    for (float duration : durations) {
        const Status made = generator.MakeSoundFile(1000, 10000, 1000, 10000, duration, 0, false);
        EXPECT_FALSE(made.ok()) << duration;
        EXPECT_FALSE(made.error().empty());
    }
    EXPECT_EQ(sound.played.size(), 1u);
    EXPECT_TRUE(std::ranges::equal(generator.WavImage(), kept));
}

TEST_F(ToneGeneratorTest, VolumeThatIsNoNumberWithin32BitsFailsWithoutPlaying)
{
    const double volumes[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), 1e12,
                              -3e9};
    for (double volume : volumes) {
        EXPECT_FALSE(generator.MakeSoundFile(1000, volume, 1000, 100, 0.01f, 0, false).ok()) << volume;
        EXPECT_FALSE(generator.MakeSoundFile(1000, 100, 1000, volume, 0.01f, 0, false).ok()) << volume;
    }
    EXPECT_TRUE(sound.played.empty());
}

} // namespace
} // namespace dorvane
