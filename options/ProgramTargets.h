#pragma once

#include "options/OptionsLinks.h"

#include <filesystem>
#include <string>
#include <vector>

namespace dorvane {

// A path as UTF-8 text, whatever the system's own encoding of file names.
std::string PathText(const std::filesystem::path& path);

// The command that starts this clock again at logon: the running program, with "--settings" and
// the settings file's absolute path when the file was named on the command line.
StartCommand StartCommandFor(const std::filesystem::path& program, const std::filesystem::path& settingsFile,
                             bool settingsGiven);

// Where the user manual may lie for a program in programFolder: beside an installed program, or
// beside the program itself.
std::vector<std::filesystem::path> ManualPlaces(const std::filesystem::path& programFolder);

// What the about area opens: the first of manualPlaces that is a file (none: empty), and the folder
// that holds the settings file.
AboutTargets AboutTargetsFor(const std::vector<std::filesystem::path>& manualPlaces,
                             const std::filesystem::path& settingsFile);

} // namespace dorvane
