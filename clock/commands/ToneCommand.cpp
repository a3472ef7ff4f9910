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
    "                                           play a tone as the clock makes it, or write it\n"
    "       dorvane tone --chime [--out FILE.wav]  play the recorded chime, or write it\n";

namespace {

// Keeps the image the tone generator built instead of playing it.
class NoSound : public SoundOutput {
public:
    void Beep(int, int) override {}
    void PlayWavSync(std::span<const uint8_t>) override {}
    void PlayWavAsync(std::span<const uint8_t>) override {}
    void QueueWav(std::span<const uint8_t>) override {}
};

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
        line.out = *out;
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
        if (!frequency || haveFrequency)
            return Parsed::Failure("unexpected word: " + word);
        line.frequency = *frequency;
        haveFrequency = true;
    }
    if (line.chime == haveFrequency)
        return Parsed::Failure(line.chime ? "a frequency and --chime do not go together" : "the frequency is missing");
    return line;
}

namespace {

int WriteOrPlay(const ToneCommandLine& line, std::span<const uint8_t> wav, SoundOutput& output, std::ostream& err)
{
    if (!line.out) {
        output.PlayWavSync(wav);
        return 0;
    }
    if (Status written = FileStore::Replace(*line.out, std::string(wav.begin(), wav.end())); !written) {
        err << "dorvane: " << written.error() << "\n";
        return 1;
    }
    return 0;
}

// Makes the tone or takes the chime, then plays or writes it.
int MakeAndDeliver(const ToneCommandLine& line, SoundOutput& output, std::ostream& err)
{
    if (line.chime)
        return WriteOrPlay(line, RecordedChime(), output, err);

    NoSound keep;
    NullMessagePump noWindows;
    ToneGenerator generator(keep, noWindows);
    if (Status made = generator.MakeSoundFile(line.frequency, line.volume, line.frequency, line.volume, line.seconds,
                                              line.waveType, line.decay);
        !made) {
        err << "dorvane tone: " << made.error() << "\n";
        return 1;
    }
    return WriteOrPlay(line, generator.WavImage(), output, err);
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
        return MakeAndDeliver(line.value(), output, err);
    } catch (const std::bad_alloc&) {
        err << "dorvane tone: not enough memory to " << (line.value().out ? "write" : "play") << " the sound\n";
        return 1;
    }
}

} // namespace dorvane
