#include "clock/SettingsCommand.h"
#include "clock/SettingsLocation.h"
#include "image/ImageCommand.h"
#include "platform/X11Screen.h"

#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    "usage: dorvane [--settings FILE]           run the clock\n"
    "       dorvane settings [--settings FILE]  print the settings the clock would use\n"
    "       dorvane image decode IN OUT         write the picture IN as raw pixels to OUT\n"
    "       dorvane image info IN               print the picture's size and kind\n";

struct CommandLine {
    bool printSettings = false;
    bool help = false;
    std::optional<std::filesystem::path> settingsFile;
    std::string error;
};

CommandLine Parse(int argc, char** argv)
{
    CommandLine line;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "settings")
            line.printSettings = true;
        else if (arg == "--help" || arg == "-h")
            line.help = true;
        else if (arg == "--settings" && i + 1 < argc)
            line.settingsFile = argv[++i];
        else if (arg.starts_with("--settings="))
            line.settingsFile = arg.substr(std::strlen("--settings="));
        else
            line.error = "unknown argument: " + arg;
    }
    return line;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "image") == 0) {
        const std::vector<std::string> args(argv + 2, argv + argc);
        return dorvane::RunImageCommand(args, std::cout, std::cerr);
    }
    const CommandLine line = Parse(argc, argv);
    if (!line.error.empty()) {
        std::cerr << "dorvane: " << line.error << "\n" << kUsage;
        return 2;
    }
    if (line.help) {
        std::cout << kUsage;
        return 0;
    }
    const auto settingsPath = dorvane::SettingsLocation::ForThisProcess(line.settingsFile).Resolve();
    if (line.printSettings)
        return dorvane::RunSettingsCommand(settingsPath, dorvane::X11Screen(), std::cout, std::cerr);

    std::cerr << "dorvane: this build has no clock window yet; 'dorvane settings' shows the settings it would use ("
              << settingsPath.string() << ")\n";
    return 1;
}
