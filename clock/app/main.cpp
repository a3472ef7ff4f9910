#include "clock/commands/CommandLine.h"
#include "clock/commands/SettingsCommand.h"
#include "clock/commands/SimulateCommand.h"
#include "clock/commands/SnapshotCommand.h"
#include "clock/settings/SettingsLocation.h"
#include "clock/state/ProductVersion.h"
#ifdef DORVANE_HAS_WINDOWS
#include "clock/app/RunClock.h"
#endif
#include "clock/commands/ImageCommand.h"
#include "clock/commands/ToneCommand.h"
#ifdef _WIN32
#include "clock/app/win32/ProgramPlatform.h"
#else
#include "clock/app/linux/ProgramPlatform.h"
#endif

#include <iostream>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    "usage: dorvane [--settings FILE] [--tick-log FILE]\n"
    "                                           run the clock (the log gets a line per second shown)\n"
    "       dorvane settings [--settings FILE]  print the settings the clock would use\n"
    "       dorvane --version                   print the version\n"
    "       dorvane simulate [--settings FILE] --from \"YYYY-MM-DD HH:MM:SS\" [--seconds N]\n"
    "                        [--sleep \"HH:MM:SS-HH:MM:SS\"]\n"
    "                                           print what the clock would sound, launch and pop up\n"
    "                                           in N seconds (default 60) from that local time (TZ honoured)\n";

// Every command's usage lines, in the order the README tells of them.
std::ostream& PrintUsage(std::ostream& out)
{
    return out << kUsage << dorvane::kSnapshotCommandUsage << dorvane::kImageCommandUsage << dorvane::kToneCommandUsage;
}

struct ClockRequest {
    bool printSettings = false;
    bool simulate = false;
    bool help = false;
    bool version = false;
    std::optional<std::filesystem::path> settingsFile;
    std::optional<std::string> from;
    std::optional<std::string> seconds;
    std::optional<std::string> sleep;
    std::optional<std::string> tickLog;
    std::string error;
};

const dorvane::OptionNames kClockOptions{{"--help", "-h", "--version"}, {"--settings", "--from", "--seconds", "--sleep", "--tick-log"}};

ClockRequest Parse(std::span<const std::string> words)
{
    ClockRequest request;
    const auto parsed = dorvane::CommandLine::Parse(words, kClockOptions);
    if (!parsed) {
        request.error = parsed.error();
        return request;
    }
    const dorvane::CommandLine& line = parsed.value();
    for (const std::string& word : line.Operands()) {
        if (word == "settings")
            request.printSettings = true;
        else if (word == "simulate")
            request.simulate = true;
        else
            request.error = "unknown argument: " + word;
    }
    request.help = line.Has("--help") || line.Has("-h");
    request.version = line.Has("--version");
    if (const auto settingsFile = line.Value("--settings"))
        request.settingsFile = dorvane::PathFromText(*settingsFile);
    request.from = line.Value("--from");
    request.seconds = line.Value("--seconds");
    request.sleep = line.Value("--sleep");
    request.tickLog = line.Value("--tick-log");
    if (request.error.empty() && !request.simulate && (request.from || request.seconds || request.sleep))
        request.error = "--from, --seconds and --sleep belong to 'dorvane simulate'";
    if (request.error.empty() && request.simulate && request.printSettings)
        request.error = "choose one of 'settings' and 'simulate'";
    return request;
}

int Simulate(const ClockRequest& line, const std::filesystem::path& settingsPath)
{
    dorvane::SimulationRequest request;
    request.settingsPath = settingsPath;
    const auto from = line.from ? dorvane::ParseSimulationStart(*line.from) : std::nullopt;
    if (!from) {
        std::cerr << "dorvane: simulate needs --from \"YYYY-MM-DD HH:MM:SS\", a local date and time"
                  << (line.from ? ", not \"" + *line.from + "\"" : std::string()) << "\n";
        PrintUsage(std::cerr);
        return 2;
    }
    request.from = *from;
    if (line.seconds) {
        const auto seconds = dorvane::ParseSimulationLength(*line.seconds);
        if (!seconds) {
            std::cerr << "dorvane: --seconds needs a whole number from 1 to " << dorvane::kMaxSimulatedSeconds
                      << ", not \"" << *line.seconds << "\"\n";
            return 2;
        }
        request.seconds = *seconds;
    }
    if (line.sleep) {
        request.sleep = dorvane::ParseSimulatedSleep(*line.sleep);
        if (!request.sleep) {
            std::cerr << "dorvane: --sleep needs \"HH:MM:SS-HH:MM:SS\", two different times of day, not \""
                      << *line.sleep << "\"\n";
            return 2;
        }
    }
    return dorvane::RunSimulateCommand(request, dorvane::CommandScreen(), dorvane::SystemTimeZone(), std::cout, std::cerr);
}

} // namespace

int main(int argc, char** argv)
{
    dorvane::ConnectOutputStreams();
    const std::vector<std::string> words = dorvane::ProgramWords(argc, argv);
    const std::string command = words.empty() ? std::string() : words.front();
    const std::span<const std::string> args = words.empty() ? std::span<const std::string>() : std::span(words).subspan(1);
    if (command == "image")
        return dorvane::RunImageCommand(args, std::cout, std::cerr);
    if (command == "snapshot") {
        dorvane::SystemTimeSource time;
        return dorvane::RunSnapshotCommand(args, dorvane::CommandScreen(), time, std::cout, std::cerr);
    }
    if (command == "tone")
        return dorvane::RunToneCommand(args, dorvane::SystemSoundOutput(), std::cerr);
    const ClockRequest line = Parse(words);
    if (!line.error.empty()) {
        std::cerr << "dorvane: " << line.error << "\n";
        PrintUsage(std::cerr);
        return 2;
    }
    if (line.help) {
        PrintUsage(std::cout);
        return 0;
    }
    if (line.version) {
        std::cout << "dorvane " << dorvane::VersionText() << "\n";
        return 0;
    }
    const auto settingsPath = dorvane::SettingsLocation::ForThisProcess(line.settingsFile).Resolve();
    if (line.printSettings)
        return dorvane::RunSettingsCommand(settingsPath, dorvane::CommandScreen(), std::cout, std::cerr);
    if (line.simulate)
        return Simulate(line, settingsPath);

#ifdef DORVANE_HAS_WINDOWS
    dorvane::ClockRunOptions options{settingsPath, line.settingsFile.has_value(), std::nullopt};
    if (line.tickLog)
        options.tickLog = dorvane::PathFromText(*line.tickLog);
    return dorvane::RunClock(argc, argv, options);
#else
    std::cerr << "dorvane: this build has no windows; 'dorvane settings' shows the settings\n";
    return 1;
#endif
}
