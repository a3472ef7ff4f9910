#include "tones/ToneSounds.h"

#include "tones/RecordedChime.h"
#include "tones/SoundRule.h"

namespace dorvane {
namespace {

Tone ToneOf(const TickTone& tone) { return {tone.frequencyHz, tone.milliseconds, tone.waveType, tone.decay}; }

} // namespace

void ToneSounds::PlayTone(const TickTone& tone) { dorvane::PlayTone(state_, generator_, ToneOf(tone)); }

void ToneSounds::PlayGeneratedTone(const TickTone& tone)
{
    dorvane::PlayGeneratedTone(state_, generator_, ToneOf(tone));
}

void ToneSounds::StartRecordedChime()
{
    const auto chime = RecordedChime();
    state_.ChimeWave.assign(chime.begin(), chime.end());
    generator_.Output().PlayWavAsync(state_.ChimeWave);
}

void ToneSounds::PlayStartSignal() { dorvane::PlayStartSignal(state_, generator_); }

void ToneSounds::PlayStopSignal() { dorvane::PlayStopSignal(state_, generator_); }

} // namespace dorvane
