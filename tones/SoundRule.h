#pragma once

#include "clock/state/ClockState.h"
#include "tones/ToneGenerator.h"

#include <cstdint>

namespace dorvane {

// One tone of the clock: a frequency and a length, and how the tone generator shapes it.
struct Tone {
    int32_t frequencyHz = 0;
    int32_t milliseconds = 0;
    int32_t waveType = ToneGenerator::PureSine;
    bool decay = false;
};

// Plays a tone the way the user chose and returns when it has been heard: a beep of the PC speaker
// when ComputerSpeaker is non-zero, otherwise the tone generator's tone with the same frequency on
// both channels and FreqVol as both volumes.
void PlayTone(const ClockState& state, ToneGenerator& generator, const Tone& tone);

// The tone generator's tone, whatever ComputerSpeaker says: the same frequency on both channels
// and FreqVol as both volumes.
void PlayGeneratedTone(const ClockState& state, ToneGenerator& generator, const Tone& tone);

// The clock's greeting when its window is created: two 2000 Hz tones of 100 ms.
void PlayStartSignal(const ClockState& state, ToneGenerator& generator);

// The clock's farewell when its window closes: one 2000 Hz tone of 100 ms.
void PlayStopSignal(const ClockState& state, ToneGenerator& generator);

} // namespace dorvane
