#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace dorvane {

// Where "ClockSettings.ini" lives: named on the command line, else beside the program, else - when
// the program's folder is not writable or the program is an installed copy - in the user's
// configuration folder (on Windows, "Dorvane" in the user's application data folder). An installed copy keeps out of its folder even when it may write there (as
// root may write to /usr/bin).
struct SettingsLocation {
    static constexpr const char* kFileName = "ClockSettings.ini";
    // Installing puts the menu entry here, relative to the program's folder (PREFIX/bin).
    static constexpr const char* kInstalledMenuEntry = "../share/applications/dorvane.desktop";

    std::optional<std::filesystem::path> explicitFile; // --settings FILE
    std::filesystem::path programFolder;
    bool installedCopy = false; // the menu entry lies beside the program's folder
    std::string xdgConfigHome; // $XDG_CONFIG_HOME, may be empty
    std::string home;          // $HOME, may be empty
    std::filesystem::path appData; // %APPDATA% on Windows; empty elsewhere

    std::filesystem::path Resolve() const;

    // The location for this process: its own folder and environment.
    static SettingsLocation ForThisProcess(std::optional<std::filesystem::path> explicitFile);
};

} // namespace dorvane
