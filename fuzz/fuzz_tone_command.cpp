// Feeds arbitrary words to "dorvane tone"'s reader and builds every short tone it accepts, checking
// that the image's header agrees with its size.
#include "clock/commands/ToneCommand.h"
#include "fuzz/FuzzInput.h"
#include "platform/NullMessagePump.h"
#include "tests/support/Fakes.h"
#include "tests/support/WavBytes.h"
#include "tones/ToneGenerator.h"

#include <cmath>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    dorvane::FuzzInput in{data, size};
    std::vector<std::string> words{in.Text()}; // words between NUL bytes
    while (in.size > 0)
        words.push_back(in.Text());
    if (size > 0 && data[size - 1] == 0)
        words.emplace_back();
    const auto line = dorvane::ParseToneCommand(words);
    if (!line || line.value().chime || !(std::fabs(line.value().seconds) <= 0.05f))
        return 0;
    dorvane::testing::RecordingSoundOutput sound;
    dorvane::NullMessagePump pump;
    dorvane::ToneGenerator generator(sound, pump);
    const auto& tone = line.value();
    if (!generator.MakeSoundFile(tone.frequency, tone.volume, tone.frequency, tone.volume, tone.seconds,
                                 tone.waveType, tone.decay))
        return 0;
    const dorvane::testing::WavBytes image{generator.WavImage()};
    dorvane::Require(image.bytes.size() >= 48 && image.U32(40) == image.bytes.size() - 44 &&
                     image.U32(4) == image.bytes.size() - 8);
    return 0;
}
