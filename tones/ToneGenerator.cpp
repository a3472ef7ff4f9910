#include "tones/ToneGenerator.h"

#include "clock/state/NumberText.h"
#include "tones/UniformRandom.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>
#include <string>

namespace dorvane {
namespace {

// Frequencies run 0..22050 Hz: 44100 / 2 + 1 folds back to 0.
constexpr int64_t kFrequencyFold = ToneGenerator::kSampleRate / 2 + 1;
constexpr double kSamplePeriod = 1.0 / ToneGenerator::kSampleRate;
// Half a sample period before zero: the first sine sample lands just below 0.
constexpr double kFirstSampleTime = -1.13378684807256E-05;
// The data size and the RIFF chunk size (data size + 36) are 32-bit fields.
constexpr uint32_t kMostFrames = (std::numeric_limits<uint32_t>::max() - 36) / ToneGenerator::kBytesPerFrame;

struct Channel {
    double frequency = 0;
    double amplitude = 0;
};

struct ToneShape {
    uint32_t frames = 0;
    int32_t waveType = 0;
    bool decay = false;
};

Result<uint32_t> FrameCount(float duration)
{
    const auto frames = RoundToInt32(std::fabs(static_cast<double>(duration)) * ToneGenerator::kSampleRate);
    if (!frames || static_cast<uint32_t>(*frames) > kMostFrames)
        return Result<uint32_t>::Failure("a tone of " + std::to_string(duration) +
                                         " seconds is too long for a WAV image");
    return std::max<uint32_t>(*frames, 1);
}

Result<Channel> ChannelOf(int32_t frequency, double volume)
{
    const auto wholeVolume = RoundToInt32(volume);
    if (!wholeVolume)
        return Result<Channel>::Failure("the tone volume " + std::to_string(volume) + " is out of range");
    Channel channel;
    channel.frequency = static_cast<double>(std::abs(static_cast<int64_t>(frequency)) % kFrequencyFold);
    channel.amplitude = *wholeVolume & 0x7FFF;
    return channel;
}

int Sign(double value) { return (value > 0) - (value < 0); }

// One sample of the wave before rounding. i is the sample index, t its time in seconds, a the
// current amplitude; period is the wave's length in samples (the whole tone for 0 Hz).
double WaveValue(int32_t waveType, double a, double w, double t, uint32_t i, double period, UniformRandom& random)
{
    switch (waveType) {
    case ToneGenerator::PureSine:
        return a * std::sin(w * t);
    case ToneGenerator::WhiteNoise: {
        const double r1 = random.Next();
        const double r2 = random.Next();
        return a * (r1 - r2);
    }
    case ToneGenerator::SineWithWhiteNoise:
        return a * std::sin(w * t) * (1 - random.Next() / 4);
    case ToneGenerator::SineWithHarmonics: {
        const double s = std::sin(w * t);
        return a * s * s * s;
    }
    case ToneGenerator::Sawtooth: {
        const auto wholePeriod = static_cast<uint32_t>(std::nearbyint(period)); // at least 1: period >= 2 or = frames
        return (i % wholePeriod) * (2 * a / period) - a;
    }
    case ToneGenerator::Squarewave:
        return a * Sign(std::sin(w * t));
    default:
        return 0; // a negative wave type selects no shape
    }
}

void PutSample(uint8_t* at, double value)
{
    const auto sample = static_cast<int16_t>(std::clamp(std::nearbyint(value), -32768.0, 32767.0));
    const auto bits = static_cast<uint16_t>(sample);
    at[0] = static_cast<uint8_t>(bits & 0xFF);
    at[1] = static_cast<uint8_t>(bits >> 8);
}

// How many random numbers each sample of the wave type draws.
uint64_t DrawsPerSample(int32_t waveType)
{
    return waveType == ToneGenerator::WhiteNoise ? 2 : waveType == ToneGenerator::SineWithWhiteNoise ? 1 : 0;
}

// One channel's samples in order, each with its time and its amplitude (falling with Decay).
class ChannelWave {
public:
    ChannelWave(const Channel& channel, const ToneShape& shape, UniformRandom& random)
        : waveType_(shape.waveType), random_(random), w_(8 * std::atan(1.0) * channel.frequency),
          period_(channel.frequency == 0 ? shape.frames : ToneGenerator::kSampleRate / channel.frequency),
          a_(channel.amplitude), da_(shape.decay ? a_ / shape.frames : 0)
    {
    }

    double Next()
    {
        const double value = WaveValue(waveType_, a_, w_, t_, i_, period_, random_);
        t_ = t_ + kSamplePeriod;
        a_ = a_ - da_;
        ++i_;
        return value;
    }

private:
    int32_t waveType_;
    UniformRandom& random_;
    double w_, period_, a_, da_;
    double t_ = kFirstSampleTime;
    uint32_t i_ = 0;
};

void Put32(uint8_t* at, uint32_t value)
{
    for (int k = 0; k < 4; ++k)
        at[k] = static_cast<uint8_t>(value >> (8 * k));
}

void Put16(uint8_t* at, uint16_t value)
{
    at[0] = static_cast<uint8_t>(value & 0xFF);
    at[1] = static_cast<uint8_t>(value >> 8);
}

void PutId(uint8_t* at, const char (&id)[5]) { std::copy(id, id + 4, at); }

void WriteHeader(uint8_t* h, uint32_t frames)
{
    constexpr uint16_t kChannels = 2;
    constexpr uint16_t kBitsPerSample = 16;
    constexpr uint16_t kBlockAlign = kChannels * kBitsPerSample / 8;
    const uint32_t dataSize = kBlockAlign * frames;
    PutId(h + 0, "RIFF");
    Put32(h + 4, dataSize + 36);
    PutId(h + 8, "WAVE");
    PutId(h + 12, "fmt ");
    Put32(h + 16, 16);
    Put16(h + 20, 1); // PCM
    Put16(h + 22, kChannels);
    Put32(h + 24, ToneGenerator::kSampleRate);
    Put32(h + 28, kBlockAlign * ToneGenerator::kSampleRate);
    Put16(h + 32, kBlockAlign);
    Put16(h + 34, kBitsPerSample);
    PutId(h + 36, "data");
    Put32(h + 40, dataSize);
}

struct Tone {
    ToneShape shape;
    Channel left, right;
};

// The tone's frames and channels, or why there is no such tone.
Result<Tone> ToneOf(int32_t FreqLeft, double VolLeft, int32_t FreqRight, double VolRight, float Duration,
                    int32_t WaveType, bool Decay)
{
    using Made = Result<Tone>;
    const auto frames = FrameCount(Duration);
    const auto left = ChannelOf(FreqLeft, VolLeft);
    const auto right = ChannelOf(FreqRight, VolRight);
    if (!frames)
        return Made::Failure(frames.error());
    if (!left || !right)
        return Made::Failure(left ? right.error() : left.error());
    return Tone{ToneShape{frames.value(), WaveType % 6, Decay}, left.value(), right.value()};
}

} // namespace

ToneGenerator::ToneGenerator(SoundOutput& output, MessagePump& pump) : output_(output), pump_(&pump) {}

Status ToneGenerator::WriteSoundFile(int32_t FreqLeft, double VolLeft, int32_t FreqRight, double VolRight,
                                     float Duration, int32_t WaveType, bool Decay, const ImageWriter& write)
{
    auto tone = ToneOf(FreqLeft, VolLeft, FreqRight, VolRight, Duration, WaveType, Decay);
    if (!tone)
        return Status::Failure(tone.error());
    const ToneShape& shape = tone.value().shape;
    std::vector<uint8_t> block(kHeaderBytes);
    WriteHeader(block.data(), shape.frames);
    if (Status written = write(block); !written)
        return written;

    // The left channel draws its random numbers first, then the right one: the right channel's
    // sequence starts where the left one's will end.
    UniformRandom& program = UniformRandom::Program();
    UniformRandom leftRandom = program, rightRandom = program;
    rightRandom.Skip(uint64_t{shape.frames} * DrawsPerSample(shape.waveType));
    ChannelWave left(tone.value().left, shape, leftRandom), right(tone.value().right, shape, rightRandom);
    constexpr uint32_t kBlockFrames = 16384;
    block.resize(std::size_t{kBlockFrames} * kBytesPerFrame);
    for (uint32_t done = 0; done < shape.frames;) {
        const uint32_t count = std::min(kBlockFrames, shape.frames - done);
        for (uint32_t k = 0; k < count; ++k) {
            PutSample(&block[std::size_t{k} * kBytesPerFrame], left.Next());
            PutSample(&block[std::size_t{k} * kBytesPerFrame + 2], right.Next());
        }
        if (Status written = write(std::span(block.data(), std::size_t{count} * kBytesPerFrame)); !written)
            return written;
        done += count;
    }
    program = rightRandom;
    return Status::Ok();
}

using BuiltImage = Result<std::shared_ptr<const std::vector<uint8_t>>>;

BuiltImage ToneGenerator::Build(int32_t FreqLeft, double VolLeft, int32_t FreqRight, double VolRight, float Duration,
                                int32_t WaveType, bool Decay) const
{
    const auto frames = FrameCount(Duration);
    if (!frames)
        return BuiltImage::Failure(frames.error());
    std::shared_ptr<std::vector<uint8_t>> image;
    try {
        image = std::make_shared<std::vector<uint8_t>>();
        image->reserve(kHeaderBytes + std::size_t{kBytesPerFrame} * frames.value());
    } catch (const std::bad_alloc&) {
        return BuiltImage::Failure("not enough memory for a tone of " + std::to_string(Duration) + " seconds");
    }
    const Status made = WriteSoundFile(FreqLeft, VolLeft, FreqRight, VolRight, Duration, WaveType, Decay,
                                       [&](std::span<const uint8_t> bytes) {
                                           image->insert(image->end(), bytes.begin(), bytes.end());
                                           return Status::Ok();
                                       });
    if (!made)
        return BuiltImage::Failure(made.error());
    return std::shared_ptr<const std::vector<uint8_t>>(std::move(image));
}

Status ToneGenerator::MakeSoundFile(int32_t FreqLeft, double VolLeft, int32_t FreqRight, double VolRight,
                                    float Duration, int32_t WaveType, bool Decay)
{
    pump_->RunPendingMessages();
    const auto built = Build(FreqLeft, VolLeft, FreqRight, VolRight, Duration, WaveType, Decay);
    if (!built)
        return Status::Failure(built.error());
    // Held here as well: a call nested in the pump below replaces wavImage_, and this call must
    // still play its own tone.
    const std::shared_ptr<const std::vector<uint8_t>> image = built.value();
    wavImage_ = image;
    pump_->RunPendingMessages();
    output_.PlayWavSync(*image);
    return Status::Ok();
}

Status ToneGenerator::QueueSoundFile(int32_t FreqLeft, double VolLeft, int32_t FreqRight, double VolRight,
                                     float Duration, int32_t WaveType, bool Decay)
{
    const auto built = Build(FreqLeft, VolLeft, FreqRight, VolRight, Duration, WaveType, Decay);
    if (!built)
        return Status::Failure(built.error());
    wavImage_ = built.value();
    output_.QueueWav(*wavImage_);
    return Status::Ok();
}

std::span<const uint8_t> ToneGenerator::WavImage() const
{
    if (!wavImage_)
        return {};
    return *wavImage_;
}

} // namespace dorvane
