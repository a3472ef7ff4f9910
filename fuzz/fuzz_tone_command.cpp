// Feeds arbitrary words to "dorvane tone"'s reader and builds every short tone it accepts, checking
// that the image's header agrees with its size.

#include "platform/SoundOutput.h"
#include "platform/NullMessagePump.h"
#include "clock/commands/ToneCommand.h"
#include "tones/ToneGenerator.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

class NoSound : public dorvane::SoundOutput {
public:
    void Beep(int, int) override {}
    void PlayWavSync(std::span<const uint8_t>) override {}
    void PlayWavAsync(std::span<const uint8_t>) override {}
};

std::vector<std::string> Words(const uint8_t* data, size_t size)
{
    std::vector<std::string> words(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            words.emplace_back();
        else
            words.back() += static_cast<char>(data[i]);
    }
    return words;
}

uint32_t U32(std::span<const uint8_t> bytes, size_t at)
{
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | uint32_t{bytes[at + 3]} << 24;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto line = dorvane::ParseToneCommand(Words(data, size));
    if (!line || line.value().chime || !(std::fabs(line.value().seconds) <= 0.05f))
        return 0;
    NoSound sound;
    dorvane::NullMessagePump pump;
    dorvane::ToneGenerator generator(sound, pump);
    const auto& tone = line.value();
    if (!generator.MakeSoundFile(tone.frequency, tone.volume, tone.frequency, tone.volume, tone.seconds,
                                 tone.waveType, tone.decay))
        return 0;
    const auto image = generator.WavImage();
    if (image.size() < 48 || U32(image, 40) != image.size() - 44 || U32(image, 4) != image.size() - 8)
        std::abort();
    return 0;
}
