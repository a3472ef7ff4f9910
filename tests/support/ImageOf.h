#pragma once

#include "tones/ToneGenerator.h"
#include "tests/support/Fakes.h"

#include <gtest/gtest.h>

#include <vector>

namespace dorvane::testing {

// The image the tone generator makes for a tone with the same frequency and volume on both
// channels, made by a generator of its own.
inline std::vector<uint8_t> ImageOf(int32_t frequency, double volume, float seconds, int32_t wave, bool decay)
{
    RecordingSoundOutput sound;
    FakeMessagePump pump;
    ToneGenerator generator(sound, pump);
    EXPECT_TRUE(generator.MakeSoundFile(frequency, volume, frequency, volume, seconds, wave, decay).ok());
    return {generator.WavImage().begin(), generator.WavImage().end()};
}

} // namespace dorvane::testing
