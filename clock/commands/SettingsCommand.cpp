#include "clock/commands/SettingsCommand.h"

#include "clock/settings/SettingsFile.h"
#include "clock/settings/WindowlessHost.h"

#include <ostream>

namespace dorvane {

int RunSettingsCommand(const std::filesystem::path& settingsPath, const Screen& screen, std::ostream& out,
                       std::ostream& err)
{
    ClockState state;
    WindowlessHost host(state, screen);
    SettingsFile file(settingsPath, state, host, screen, err);
    file.LoadSettings();
    out << file.SettingsText();
    return 0;
}

} // namespace dorvane
