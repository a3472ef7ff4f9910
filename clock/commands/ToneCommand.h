#pragma once

#include "clock/state/ClockState.h"
#include "platform/Result.h"
#include "platform/SoundOutput.h"

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>

namespace dorvane {

// What "dorvane tone" was asked for: a tone as the tone generator makes it (the same frequency and
// volume on both channels), or the recorded chime; played, or written to a file.
struct ToneCommandLine {
    bool chime = false;
    int32_t frequency = 0;
    double volume = ClockState{}.FreqVol; // the clock's default tone volume
    float seconds = 1;
    int32_t waveType = 0;
    bool decay = false;
    std::optional<std::filesystem::path> out;
};

// The ranges "dorvane tone" takes: the tone generator's volumes, its wave types, and an hour at most
// written to a file (streamed, far below what a WAV image can hold), ten minutes at most played
// (the sound device is handed the whole image, about 106 MB for ten minutes).
constexpr double kMaxToneVolume = 32767;
constexpr int32_t kLastWaveType = 5;
constexpr double kMaxToneSeconds = 3600;
constexpr double kMaxPlayedToneSeconds = 600;

// Reads the words after "tone" (a value out of its range is refused with the reason):
//   FREQ [--volume V] [--seconds S] [--wave 0..5] [--decay] [--out FILE.wav]
//   --chime [--out FILE.wav]
Result<ToneCommandLine> ParseToneCommand(std::span<const std::string> words);

// "dorvane tone": plays the tone or chime through output, or writes its WAV image to the file
// ("-": standard output) as it is made.
// Returns the process's exit code: 0 done, 1 the tone could not be made or written, 2 bad words.
int RunToneCommand(std::span<const std::string> words, SoundOutput& output, std::ostream& err);

extern const char* const kToneCommandUsage;

} // namespace dorvane
