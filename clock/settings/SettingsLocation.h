#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace dorvane {

// Where "ClockSettings.ini" lives: named on the command line, else beside the program, else - when
// the program's folder is not writable, as for an installed copy - in the user's configuration
// folder.
struct SettingsLocation {
    static constexpr const char* kFileName = "ClockSettings.ini";

    std::optional<std::filesystem::path> explicitFile; // --settings FILE
    std::filesystem::path programFolder;
    std::string xdgConfigHome; // $XDG_CONFIG_HOME, may be empty
    std::string home;          // $HOME, may be empty

    std::filesystem::path Resolve() const;

    // The location for this process: its own folder and environment.
    static SettingsLocation ForThisProcess(std::optional<std::filesystem::path> explicitFile);
};

} // namespace dorvane
