#pragma once

#include "clock/tick/ClockSounds.h"
#include "clock/state/ClockState.h"
#include "tones/ToneGenerator.h"

namespace dorvane {

// The clock's sounds made audible: tones by the user's sound rule (the PC speaker or the tone
// generator), the recorded chime from memory through the tone generator's sound output.
class ToneSounds : public ClockSounds {
public:
    ToneSounds(ClockState& state, ToneGenerator& generator) : state_(state), generator_(generator) {}

    void PlayTone(const TickTone& tone) override;
    void PlayGeneratedTone(const TickTone& tone) override;
    // Loads the chime into ChimeWave and starts it; a stroke still sounding is cut off.
    void StartRecordedChime() override;
    void PlayStartSignal() override;
    void PlayStopSignal() override;

private:
    ClockState& state_;
    ToneGenerator& generator_;
};

} // namespace dorvane
