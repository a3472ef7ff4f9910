#include "tones/SoundRule.h"

namespace dorvane {
namespace {

constexpr Tone kSignalTone{2000, 100};

} // namespace

void PlayTone(const ClockState& state, ToneGenerator& generator, const Tone& tone)
{
    if (state.ComputerSpeaker != 0)
        generator.Output().Beep(tone.frequencyHz, tone.milliseconds);
    else
        PlayGeneratedTone(state, generator, tone);
}

void PlayGeneratedTone(const ClockState& state, ToneGenerator& generator, const Tone& tone)
{
    const auto seconds = static_cast<float>(tone.milliseconds / 1000.0);
    // A tone too long for a WAV image is not played; the clock goes on.
    (void)generator.MakeSoundFile(tone.frequencyHz, state.FreqVol, tone.frequencyHz, state.FreqVol, seconds,
                                  tone.waveType, tone.decay);
}

void PlayStartSignal(const ClockState& state, ToneGenerator& generator)
{
    PlayTone(state, generator, kSignalTone);
    PlayTone(state, generator, kSignalTone);
}

void PlayStopSignal(const ClockState& state, ToneGenerator& generator)
{
    PlayTone(state, generator, kSignalTone);
}

} // namespace dorvane
