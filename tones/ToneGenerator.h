#pragma once

#include "platform/MessagePump.h"
#include "platform/Result.h"
#include "platform/SoundOutput.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

namespace dorvane {

// The clock's tone generator (fSound). It has no window: it synthesises a stereo 16-bit tone at
// 44100 samples per second in one of six wave shapes, wraps it in a 44-byte RIFF/WAVE header as one
// image in memory, and plays that image to the end.
class ToneGenerator {
public:
    static constexpr int kSampleRate = 44100;
    static constexpr int kHeaderBytes = 44;
    static constexpr int kBytesPerFrame = 4;
    // Wave shapes; WaveType is taken modulo 6 (a negative remainder selects no shape: silence).
    enum WaveShape : int32_t {
        PureSine = 0,
        WhiteNoise = 1,
        SineWithWhiteNoise = 2,
        SineWithHarmonics = 3,
        Sawtooth = 4,
        Squarewave = 5,
    };

    ToneGenerator(SoundOutput& output, MessagePump& pump);

    // Builds the tone, keeps its WAV image and plays it, returning when it has been heard. Pending
    // messages run before the tone is built and again before it plays; a call nested there keeps
    // its own image, and this call still plays the tone it built. Frequencies are folded into
    // 0..22050 Hz and volumes into 0..32767. Fails without playing when the image would not fit a
    // WAV file's 32-bit sizes or memory, or a volume is not a number within 32 bits.
    Status MakeSoundFile(int32_t FreqLeft, double VolLeft, int32_t FreqRight, double VolRight, float Duration,
                         int32_t WaveType, bool Decay);

    using ImageWriter = std::function<Status(std::span<const uint8_t>)>;
    // Makes the image MakeSoundFile would make, without holding it: hands it to write in pieces of
    // some kilobytes, header first, and neither keeps nor plays it. Stops at the first failed write.
    static Status WriteSoundFile(int32_t FreqLeft, double VolLeft, int32_t FreqRight, double VolRight, float Duration,
                                 int32_t WaveType, bool Decay, const ImageWriter& write);

    // Builds the tone as MakeSoundFile does, without letting messages run, and queues it on the
    // sound output instead of waiting for it.
    Status QueueSoundFile(int32_t FreqLeft, double VolLeft, int32_t FreqRight, double VolRight, float Duration,
                          int32_t WaveType, bool Decay);

    // The image the last successful MakeSoundFile built; empty before the first.
    std::span<const uint8_t> WavImage() const;

    // Where tones that are not synthesised (the PC speaker's) go.
    SoundOutput& Output() { return output_; }

    // The pump whose pending messages the tone generator lets run.
    void SetMessagePump(MessagePump& pump) { pump_ = &pump; }

private:
    Result<std::shared_ptr<const std::vector<uint8_t>>> Build(int32_t FreqLeft, double VolLeft, int32_t FreqRight,
                                                              double VolRight, float Duration, int32_t WaveType,
                                                              bool Decay) const;

    SoundOutput& output_;
    MessagePump* pump_;
    std::shared_ptr<const std::vector<uint8_t>> wavImage_;
};

} // namespace dorvane
