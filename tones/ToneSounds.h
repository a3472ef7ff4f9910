#pragma once

#include "clock/state/ClockState.h"
#include "clock/tick/ClockSounds.h"
#include "tones/ToneGenerator.h"

namespace dorvane {

// The clock's sounds made audible. A tone follows the user's sound rule: a beep of the PC speaker
// when ComputerSpeaker is non-zero (which drops the wave shape), otherwise the tone generator's
// tone with the same frequency on both channels and FreqVol as both volumes. The recorded chime
// plays from memory through the tone generator's sound output.
class ToneSounds : public ClockSounds {
public:
    ToneSounds(ClockState& state, ToneGenerator& generator) : state_(state), generator_(generator) {}

    void PlayTone(const TickTone& tone) override;
    // A tone too long for a WAV image is not played.
    void PlayGeneratedTone(const TickTone& tone) override;
    // Loads the chime into ChimeWave and starts it; a stroke still sounding is cut off.
    void StartRecordedChime() override;
    // The two tones are queued on the sound output rather than waited for, so that the window is
    // shown while they sound; beeps of the PC speaker are waited for.
    void PlayStartSignal() override;
    void PlayStopSignal() override;

private:
    ClockState& state_;
    ToneGenerator& generator_;
};

} // namespace dorvane
