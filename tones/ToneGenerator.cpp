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
double WaveValue(int32_t waveType, double a, double w, double t, uint32_t i, double period)
{
    switch (waveType) {
    case ToneGenerator::PureSine:
        return a * std::sin(w * t);
    case ToneGenerator::WhiteNoise: {
        const double r1 = UniformRandom();
        const double r2 = UniformRandom();
        return a * (r1 - r2);
    }
    case ToneGenerator::SineWithWhiteNoise:
        return a * std::sin(w * t) * (1 - UniformRandom() / 4);
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

// Writes one channel's half of every frame: channel 0 is the left (low) half, 1 the right.
void FillChannel(std::vector<uint8_t>& image, int channelIndex, const Channel& channel, const ToneShape& shape)
{
    const double w = 8 * std::atan(1.0) * channel.frequency;
    const double period = channel.frequency == 0 ? shape.frames : ToneGenerator::kSampleRate / channel.frequency;
    double a = channel.amplitude;
    const double da = shape.decay ? a / shape.frames : 0;
    double t = kFirstSampleTime;
    uint8_t* at = image.data() + ToneGenerator::kHeaderBytes + 2 * channelIndex;
    for (uint32_t i = 0; i < shape.frames; ++i, at += ToneGenerator::kBytesPerFrame) {
        PutSample(at, WaveValue(shape.waveType, a, w, t, i, period));
        t = t + kSamplePeriod;
        a = a - da;
    }
}

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

void WriteHeader(std::vector<uint8_t>& image, uint32_t frames)
{
    constexpr uint16_t kChannels = 2;
    constexpr uint16_t kBitsPerSample = 16;
    constexpr uint16_t kBlockAlign = kChannels * kBitsPerSample / 8;
    const uint32_t dataSize = kBlockAlign * frames;
    uint8_t* h = image.data();
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

} // namespace

ToneGenerator::ToneGenerator(SoundOutput& output, MessagePump& pump) : output_(output), pump_(&pump) {}

Result<std::shared_ptr<const std::vector<uint8_t>>> ToneGenerator::Build(int32_t FreqLeft, double VolLeft,
                                                                           int32_t FreqRight, double VolRight,
                                                                           float Duration, int32_t WaveType,
                                                                           bool Decay) const
{
    const auto frames = FrameCount(Duration);
    const auto left = ChannelOf(FreqLeft, VolLeft);
    const auto right = ChannelOf(FreqRight, VolRight);
    if (!frames)
        return Result<std::shared_ptr<const std::vector<uint8_t>>>::Failure(frames.error());
    if (!left || !right)
        return Result<std::shared_ptr<const std::vector<uint8_t>>>::Failure(left ? right.error() : left.error());

    const ToneShape shape{frames.value(), WaveType % 6, Decay};
    std::shared_ptr<std::vector<uint8_t>> image;
    try {
        image = std::make_shared<std::vector<uint8_t>>(kHeaderBytes + std::size_t{kBytesPerFrame} * shape.frames);
    } catch (const std::bad_alloc&) {
        return Result<std::shared_ptr<const std::vector<uint8_t>>>::Failure(
            "not enough memory for a tone of " + std::to_string(Duration) + " seconds");
    }
    FillChannel(*image, 0, left.value(), shape);
    FillChannel(*image, 1, right.value(), shape);
    WriteHeader(*image, shape.frames);
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
