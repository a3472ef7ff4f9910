#include "tones/ToneSounds.h"

#include "tones/RecordedChime.h"

namespace dorvane {
namespace {

constexpr TickTone kSignalTone{ToneUse::Signal, 2000, 100, ToneGenerator::PureSine, false};

} // namespace

void ToneSounds::PlayTone(const TickTone& tone)
{
    if (state_.ComputerSpeaker != 0)
        generator_.Output().Beep(tone.frequencyHz, tone.milliseconds);
    else
        PlayGeneratedTone(tone);
}

void ToneSounds::PlayGeneratedTone(const TickTone& tone)
{
    const auto seconds = static_cast<float>(tone.milliseconds / 1000.0);
    // A tone that cannot be made is skipped; the clock goes on.
    (void)generator_.MakeSoundFile(tone.frequencyHz, state_.FreqVol, tone.frequencyHz, state_.FreqVol, seconds,
                                   tone.waveType, tone.decay);
}

void ToneSounds::StartRecordedChime()
{
    const auto chime = RecordedChime();
    state_.ChimeWave.assign(chime.begin(), chime.end());
    generator_.Output().PlayWavAsync(state_.ChimeWave);
}

void ToneSounds::PlayStartSignal()
{
    for (int tone = 0; tone < 2; ++tone) {
        if (state_.ComputerSpeaker != 0)
            generator_.Output().Beep(kSignalTone.frequencyHz, kSignalTone.milliseconds);
        else
            (void)generator_.QueueSoundFile(kSignalTone.frequencyHz, state_.FreqVol, kSignalTone.frequencyHz,
                                            state_.FreqVol, static_cast<float>(kSignalTone.milliseconds / 1000.0),
                                            kSignalTone.waveType, kSignalTone.decay);
    }
}

void ToneSounds::PlayStopSignal() { PlayTone(kSignalTone); }

} // namespace dorvane
