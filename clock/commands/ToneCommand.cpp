#include "clock/commands/ToneCommand.h"

#include "clock/commands/CommandLine.h"
#include "clock/state/NumberText.h"
#include "platform/FileStore.h"
#include "platform/NullMessagePump.h"
#include "tones/RecordedChime.h"
#include "tones/ToneGenerator.h"

#include <limits>
#include <new>
#include <ostream>

namespace dorvane {

const char* const kToneCommandUsage =
    "       dorvane tone FREQ [--volume V] [--seconds S] [--wave 0..5] [--decay] [--out FILE.wav]\n"
    "                                           play a tone as the clock makes it (600 s at most),\n"
    "                                           or write it (3600 s at most; FILE - is stdout)\n"
    "       dorvane tone --chime [--out FILE.wav]  play the recorded chime, or write it\n";

namespace {

using Parsed = Result<ToneCommandLine>;

const OptionNames kToneOptions{{"--chime", "--decay"}, {"--out", "--volume", "--seconds", "--wave"}};

std::optional<int32_t> WholeNumber(std::optional<double> number)
{
    return number ? RoundToInt32(*number) : std::nullopt;
}

// The text as a number from low to high (NaN is none), or nothing.
std::optional<double> NumberWithin(const std::string& text, double low, double high)
{
    const auto number = ParseNumber(text);
    if (!number || !(*number >= low && *number <= high))
        return std::nullopt;
    return number;
}

} // namespace

Result<ToneCommandLine> ParseToneCommand(std::span<const std::string> words)
{
    const auto parsed = CommandLine::Parse(words, kToneOptions);
    if (!parsed)
        return Parsed::Failure(parsed.error());
    const CommandLine& options = parsed.value();
    ToneCommandLine line;
    line.chime = options.Has("--chime");
    line.decay = options.Has("--decay");
    if (const auto out = options.Value("--out"))
        line.out = PathFromText(*out);
    if (const auto volume = options.Value("--volume")) {
        const auto number = NumberWithin(*volume, 0, kMaxToneVolume);
        if (!number)
            return Parsed::Failure("--volume needs a number from 0 to 32767");
        line.volume = *number;
    }
    if (const auto seconds = options.Value("--seconds")) {
        // The least float above 0, so that "0" is refused but the shortest tone is not.
        const auto number = NumberWithin(*seconds, std::numeric_limits<float>::denorm_min(), kMaxToneSeconds);
        if (!number)
            return Parsed::Failure("--seconds needs a number above 0 and at most 3600");
        line.seconds = static_cast<float>(*number);
    }
    if (const auto wave = options.Value("--wave")) {
        const auto number = WholeNumber(NumberWithin(*wave, 0, kLastWaveType));
        if (!number)
            return Parsed::Failure("--wave needs a whole number from 0 to 5");
        line.waveType = *number;
    }
    bool haveFrequency = false;
    for (const std::string& word : options.Operands()) {
        const auto frequency = WholeNumber(ParseNumber(word));
        if (!frequency)
            return Parsed::Failure("\"" + word + "\" is not a frequency in Hz");
        if (haveFrequency)
            return Parsed::Failure("one frequency only: \"" + word + "\" is one too many");
        line.frequency = *frequency;
        haveFrequency = true;
    }
    if (!line.out && !line.chime && line.seconds > kMaxPlayedToneSeconds)
        return Parsed::Failure("--seconds: a tone is played for 600 seconds at most; write a longer one (up to 3600) "
                               "with --out");
    if (line.chime == haveFrequency)
        return Parsed::Failure(line.chime ? "a frequency and --chime do not go together" : "the frequency is missing");
    return line;
}

namespace {

std::string_view Text(std::span<const uint8_t> bytes)
{
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// Writes the tone or the chime to where --out says, the tone as it is made: a long tone is never
// held in memory whole.
Status Write(const ToneCommandLine& line)
{
    if (line.chime)
        return FileStore::WriteOutput(*line.out, Text(RecordedChime()));
    auto output = FileStore::OpenOutput(*line.out);
    if (!output)
        return Status::Failure(output.error());
    FileStore::Output& file = *output.value();
    if (Status written = ToneGenerator::WriteSoundFile(line.frequency, line.volume, line.frequency, line.volume, line.seconds,
                                                       line.waveType, line.decay,
                                                       [&](std::span<const uint8_t> bytes) { return file.Write(Text(bytes)); });
        !written)
        return written;
    return file.Finish();
}

// Makes the tone or takes the chime, and plays it.
Status Play(const ToneCommandLine& line, SoundOutput& output)
{
    if (line.chime) {
        output.PlayWavSync(RecordedChime());
        return Status::Ok();
    }
    NullMessagePump noWindows;
    ToneGenerator generator(output, noWindows);
    return generator.MakeSoundFile(line.frequency, line.volume, line.frequency, line.volume, line.seconds,
                                   line.waveType, line.decay);
}

} // namespace

int RunToneCommand(std::span<const std::string> words, SoundOutput& output, std::ostream& err)
{
    const auto line = ParseToneCommand(words);
    if (!line) {
        err << "dorvane tone: " << line.error() << "\nusage:\n" << kToneCommandUsage;
        return 2;
    }
    try {
        const Status done = line.value().out ? Write(line.value()) : Play(line.value(), output);
        if (!done)
            err << "dorvane tone: " << done.error() << "\n";
        return done ? 0 : 1;
    } catch (const std::bad_alloc&) {
        err << "dorvane tone: not enough memory to " << (line.value().out ? "write" : "play") << " the sound\n";
        return 1;
    }
}

} // namespace dorvane
