#pragma once

#include "platform/Screen.h"

#include <filesystem>
#include <iosfwd>

namespace dorvane {

// "dorvane settings": prints the settings the clock would use, as the settings file holds them
// after a save, without changing any file and without a window.
int RunSettingsCommand(const std::filesystem::path& settingsPath, const Screen& screen, std::ostream& out,
                       std::ostream& err);

} // namespace dorvane
