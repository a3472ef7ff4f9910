#include "tones/ToneGenerator.h"

#include "tests/support/Fakes.h"
#include "tests/support/WavBytes.h"
#include "tones/UniformRandom.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <vector>

namespace dorvane {
namespace {

using testing::RecordingSoundOutput;
using testing::WavBytes;
constexpr int32_t kSine = ToneGenerator::PureSine, kSaw = ToneGenerator::Sawtooth, kSquare = ToneGenerator::Squarewave;

class ToneGeneratorTest : public ::testing::Test {
protected:
    // Makes a tone (the same frequency and volume on both channels, unless given for the right);
    // returns the image played.
    WavBytes Make(int32_t frequency, double volume, int32_t wave, float seconds = 0.01f, bool decay = false,
                  int32_t freqRight = -1, double volRight = -1)
    {
        const std::size_t before = sound.played.size();
        const Status made = generator.MakeSoundFile(frequency, volume, freqRight < 0 ? frequency : freqRight,
                                                    volRight < 0 ? volume : volRight, seconds, wave, decay);
        EXPECT_TRUE(made.ok()) << made.error();
        if (sound.played.size() != before + 1)
            return WavBytes{std::span<const uint8_t>{}};
        EXPECT_EQ(sound.played.back().kind, RecordingSoundOutput::Kind::WavSync);
        return WavBytes{sound.played.back().wav};
    }

    static std::vector<int> FirstSamples(const WavBytes& wav, int channel)
    {
        std::vector<int> samples;
        for (std::size_t i = 0; i < 4 && i < wav.Frames(); ++i)
            samples.push_back(wav.Sample(i, channel));
        return samples;
    }

    RecordingSoundOutput sound;
    testing::FakeMessagePump pump;
    ToneGenerator generator{sound, pump};
};

TEST_F(ToneGeneratorTest, WritesAStereo16BitPcmImageOfTheNearestNumberOfFramesAndAtLeastOne)
{
    const WavBytes wav = Make(1000, 10000, kSine);
    EXPECT_EQ(wav.Id(0) + wav.Id(8) + wav.Id(12) + wav.Id(36), "RIFFWAVEfmt data");
    // fmt chunk: 16 bytes, PCM, 2 channels, 44100 frames of 4 bytes a second, 16-bit samples.
    EXPECT_EQ(std::vector<uint32_t>({wav.U32(16), wav.U16(20), wav.U16(22), wav.U32(24), wav.U32(28), wav.U16(32),
                                     wav.U16(34)}),
              std::vector<uint32_t>({16, 1, 2, 44100, 176400, 4, 16}));
    const struct { float seconds; uint32_t frames; } cases[] = {
        {0.0f, 1}, {-0.0f, 1}, {0.5f / 44100, 1}, {1.6f / 44100, 2}, {-0.12f, 5292}, {1.0f, 44100}};
    for (const auto& c : cases) {  // image, RIFF chunk and data sizes
        const WavBytes sized = Make(1000, 10000, kSine, c.seconds);
        EXPECT_EQ(std::vector<std::size_t>({sized.bytes.size(), sized.U32(4), sized.U32(40)}),
                  std::vector<std::size_t>({44 + 4 * c.frames, 36 + 4 * c.frames, 4 * c.frames})) << c.seconds;
    }
}

TEST_F(ToneGeneratorTest, FrequenciesFoldModulo22051ToTheirMagnitudeWaveTypesModuloSixANegativeRemainderIsSilence)
{
    const WavBytes silent = Make(0, 10000, kSine);
    for (std::size_t i = 0; i < silent.Frames(); ++i)
        ASSERT_EQ(silent.Sample(i, 0), 0) << i;
    constexpr int32_t kLowest = std::numeric_limits<int32_t>::min();
    const struct { int32_t frequency, wave, sameFrequency, sameWave; } cases[] = {
        {22051, kSine, 0, kSine}, {2 * 22051, kSquare, 0, kSine}, {22052, kSine, 1, kSine}, {-2000, kSine, 2000, kSine},
        {kLowest, kSine, 2911, kSine}, // 2^31 mod 22051: the lowest int32 has no negative counterpart, yet folds alike
        {700, 6, 700, kSine}, {700, 9, 700, ToneGenerator::SineWithHarmonics}, {700, 10, 700, kSaw},
        {700, 11, 700, kSquare}, {700, -6, 700, kSine}, {700, -1, 0, kSine}, {700, -5, 0, kSine},
        {700, kLowest, 0, kSine}, // remainder -2
    };
    for (const auto& c : cases)
        EXPECT_EQ(Make(c.frequency, 10000, c.wave).bytes, Make(c.sameFrequency, 10000, c.sameWave).bytes)
            << c.frequency << " Hz, wave " << c.wave;
}

TEST_F(ToneGeneratorTest, VolumeIsRoundedAndMaskedTo15BitsAndSamplesAreRoundedHalvesToEven)
{
    const std::vector<int> up{-1, 1, 1, 1}, turning{-1, 1, -1, 1};
    // The first four samples, or their shape scaled by the amplitude.
    const struct { int32_t wave, frequency; double volume; std::vector<int> first; int amplitude = 1; } cases[] = {
        // A square wave starts just below zero; at 1000 Hz it stays up for 22 samples.
        {kSquare, 1000, 32767, up, 32767}, {kSquare, 1000, 32768, up, 0}, {kSquare, 1000, 32769, up, 1},
        {kSquare, 1000, -1, up, 32767}, {kSquare, 1000, 2.5, up, 2}, {kSquare, 1000, 3.5, up, 4},
        // At 11025 Hz the sawtooth's period is 4 samples: -A, -A/2, 0, A/2.
        {kSaw, 11025, 5, {-5, -2, 0, 2}}, {kSaw, 11025, 7, {-7, -4, 0, 4}},
        // The highest frequency turns at every sample; the harmonics are the sine cubed.
        {kSine, 22050, 5000, turning, 5000}, {kSquare, 22050, 5000, turning, 5000},
        {ToneGenerator::SineWithHarmonics, 22050, 20000, turning, 20000},
    };
    for (const auto& c : cases) {
        std::vector<int> expected = c.first;
        for (int& sample : expected)
            sample *= c.amplitude;
        EXPECT_EQ(FirstSamples(Make(c.frequency, c.volume, c.wave), 0), expected)
            << "wave " << c.wave << ", " << c.frequency << " Hz, volume " << c.volume;
    }
}

TEST_F(ToneGeneratorTest, WaveShapesEachChannelsOwnFrequencyAndVolumeAndTheirDecay)
{
    const WavBytes sine = Make(1000, 10000, kSine);
    EXPECT_TRUE(sine.Sample(0, 0) < 0 && sine.Sample(0, 0) > -1000 && sine.Sample(1, 0) > 0) << "just below zero";
    const WavBytes square = Make(1000, 8000, kSquare, 0.01f, false, 22050, 3000);
    EXPECT_EQ(FirstSamples(square, 0), (std::vector<int>{-8000, 8000, 8000, 8000}));
    EXPECT_EQ(FirstSamples(square, 1), (std::vector<int>{-3000, 3000, -3000, 3000}));
    // 441 Hz with harmonics, the sine cubed: a quarter period near 1; an eighth, sin(pi/4)^3 = 0.3536.
    const WavBytes cubed = Make(441, 20000, ToneGenerator::SineWithHarmonics);
    EXPECT_NEAR(cubed.Sample(25, 0), 20000, 50);
    EXPECT_NEAR(cubed.Sample(13, 0), 0.3536 * 20000, 40);
    // A sawtooth of 0 Hz rises once over the whole tone.
    const WavBytes saw = Make(0, 10000, kSaw);
    EXPECT_EQ(saw.Sample(0, 0), -10000);
    for (std::size_t i = 1; i < saw.Frames(); ++i)
        ASSERT_GT(saw.Sample(i, 0), saw.Sample(i - 1, 0)) << i;
    EXPECT_GT(saw.Sample(saw.Frames() - 1, 0), 9900);
    // Decay falls from each channel's start to nearly zero.
    EXPECT_EQ(std::abs(Make(2205, 20000, kSquare, 0.5f).Sample(22049, 0)), 20000) << "without decay it stays";
    const WavBytes wav = Make(2205, 20000, kSquare, 0.5f, true, 2205, 10000);
    const std::size_t n = wav.Frames();
    ASSERT_EQ(n, 22050u);
    for (int channel : {0, 1}) {
        const int start = channel == 0 ? 20000 : 10000;
        EXPECT_EQ(wav.Sample(0, channel), -start);
        EXPECT_NEAR(std::abs(wav.Sample(n / 2, channel)), start / 2, 5) << "halfway, half the start";
        EXPECT_LE(std::abs(wav.Sample(n - 1, channel)), 1);
    }
    for (std::size_t i = 1; i < n; ++i)
        ASSERT_LE(std::abs(wav.Sample(i, 0)), std::abs(wav.Sample(i - 1, 0))) << i;
}

TEST_F(ToneGeneratorTest, PendingMessagesRunBeforeBuildingAndBeforePlayingAndANestedCallPlaysFirst)
{
    for (bool beforePlaying : {false, true}) {
        SCOPED_TRACE(beforePlaying ? "nested before playing" : "nested before building");
        sound.played.clear();
        pump.runs = 0;
        auto nested = [&] { generator.MakeSoundFile(300, 1000, 300, 1000, 0.02f, 0, false); };
        pump.pending = nested;
        if (beforePlaying)
            pump.pending = [&] { pump.pending = nested; };
        generator.MakeSoundFile(600, 1000, 600, 1000, 0.01f, 0, false);
        EXPECT_EQ(pump.runs, 4);
        ASSERT_EQ(sound.played.size(), 2u);
        EXPECT_EQ(WavBytes{sound.played[0].wav}.Frames(), 882u); // the nested tone
        EXPECT_EQ(WavBytes{sound.played[1].wav}.Frames(), 441u); // the outer call's own, not the nested one again
        // The image kept is the one built last.
        EXPECT_TRUE(std::ranges::equal(generator.WavImage(), sound.played[beforePlaying ? 0 : 1].wav));
    }
}

TEST_F(ToneGeneratorTest, ToneTooLongOrVolumeNoNumberWithin32BitsFailsWithoutPlayingAndKeepsTheImage)
{
    const std::vector<uint8_t> kept = Make(1000, 10000, kSine).bytes;
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    const struct { float seconds; double volLeft, volRight; } cases[] = {{-30000.0f, 1, 1}, {24348.0f, 1, 1},
                   {float(inf), 1, 1}, {float(nan), 1, 1}, {0.01f, nan, 1},
                 {0.01f, 1, nan}, {0.01f, inf, 1}, {0.01f, 1, 1e12}, {0.01f, -3e9, 1}};
    for (const auto& c : cases) {
        const Status made = generator.MakeSoundFile(1000, c.volLeft, 1000, c.volRight, c.seconds, 0, false);
        EXPECT_FALSE(made.ok()) << c.seconds << " " << c.volLeft << " " << c.volRight;
        EXPECT_FALSE(made.error().empty());
    }
    EXPECT_EQ(sound.played.size(), 1u);
    EXPECT_TRUE(std::ranges::equal(generator.WavImage(), kept));
}

// Written in pieces, a tone is the image that MakeSoundFile plays, noise included, and it leaves the program's random
// numbers where playing leaves them; a failed write ends it. Only noise differs between equal channels.
TEST_F(ToneGeneratorTest, WrittenInPiecesAToneIsThePlayedImageAndOnlyNoiseDiffersBetweenEqualChannels)
{
    for (int32_t wave = 0; wave < 6; ++wave) {
        SCOPED_TRACE(::testing::Message() << "wave " << wave);
        const UniformRandom start = UniformRandom::Program();
        std::vector<uint8_t> written;
        int pieces = 0;
        const auto keep = [&](std::span<const uint8_t> piece) {
            written.insert(written.end(), piece.begin(), piece.end());
            return ++pieces, Status::Ok();
        };
        ASSERT_TRUE(ToneGenerator::WriteSoundFile(500, 4000, 500, 4000, 0.9f, wave, true, keep).ok());
        UniformRandom afterWriting = UniformRandom::Program();
        UniformRandom::Program() = start;
        const WavBytes wav = Make(500, 4000, wave, 0.9f, true);
        EXPECT_EQ(written, wav.bytes);
        EXPECT_GT(pieces, 2);
        EXPECT_EQ(afterWriting.Next(), UniformRandom::Program().Next());
        std::size_t differing = 0;
        int lowest = 0, highest = 0;
        for (std::size_t i = 0; i < wav.Frames(); ++i) {
            differing += wav.Sample(i, 0) != wav.Sample(i, 1);
            lowest = std::min({lowest, int{wav.Sample(i, 0)}, int{wav.Sample(i, 1)}});
            highest = std::max({highest, int{wav.Sample(i, 0)}, int{wav.Sample(i, 1)}});
        }
        const bool noise = wave == ToneGenerator::WhiteNoise || wave == ToneGenerator::SineWithWhiteNoise;
        EXPECT_EQ(noise ? differing > wav.Frames() / 2 : differing == 0, true) << differing;
        EXPECT_TRUE(lowest >= -4000 && lowest < -2000 && highest > 2000 && highest <= 4000) << lowest << ".." << highest;
    }
    const auto full = [](std::span<const uint8_t>) { return Status::Failure("disk full"); };
    EXPECT_EQ(ToneGenerator::WriteSoundFile(700, 9000, 700, 9000, 1, 0, false, full).error(), "disk full");
}

} // namespace
} // namespace dorvane
