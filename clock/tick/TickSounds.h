#pragma once

namespace dorvane {

// What a tone is for; the sound output does not need it, but logs and tests do. Signal is the
// clock window's greeting and farewell; Click confirms an action of the options window.
enum class ToneUse { SecondsTick, BrisaTick, BrisaMinuteMark, AlarmRing, ChimeStroke, Signal, Click };

// One tone: a frequency on both channels, a length, and for the tone generator a wave shape
// (0..5) and whether it fades out.
struct TickTone {
    ToneUse use = ToneUse::SecondsTick;
    int frequencyHz = 0;
    int milliseconds = 0;
    int waveType = 0;
    bool decay = false;

    bool operator==(const TickTone&) const = default;
};

// The sounds the tick makes. Each tone returns when it has been heard.
class TickSounds {
public:
    virtual ~TickSounds() = default;
    // By the user's sound rule: the PC speaker when ComputerSpeaker is set, the tone generator
    // otherwise.
    virtual void PlayTone(const TickTone& tone) = 0;
    // Always through the tone generator, whatever ComputerSpeaker says.
    virtual void PlayGeneratedTone(const TickTone& tone) = 0;
    // Starts the recorded chime ("BigBen") from its beginning, cutting off one still sounding, and
    // returns at once.
    virtual void StartRecordedChime() = 0;
};

} // namespace dorvane
