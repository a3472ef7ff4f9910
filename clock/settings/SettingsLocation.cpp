#include "clock/settings/SettingsLocation.h"

#include "platform/FileStore.h"

#include <cstdlib>

namespace dorvane {
namespace {

std::filesystem::path ConfigHome(const std::string& xdgConfigHome, const std::string& home)
{
    // Only an absolute $XDG_CONFIG_HOME counts; a relative one is to be ignored.
    if (!xdgConfigHome.empty() && xdgConfigHome.front() == '/')
        return xdgConfigHome;
    return std::filesystem::path(home.empty() ? "/tmp" : home) / ".config";
}

} // namespace

std::filesystem::path SettingsLocation::Resolve() const
{
    if (explicitFile)
        return *explicitFile;
    if (!installedCopy && FileStore::IsWritableFolder(programFolder))
        return programFolder / kFileName;
    if (!appData.empty())
        return appData / "Dorvane" / kFileName;
    return ConfigHome(xdgConfigHome, home) / "dorvane" / kFileName;
}

SettingsLocation SettingsLocation::ForThisProcess(std::optional<std::filesystem::path> explicitFile)
{
    SettingsLocation location;
    location.explicitFile = std::move(explicitFile);
    location.programFolder = FileStore::ProgramFolder();
    std::error_code ec;
    location.installedCopy =
        !location.programFolder.empty() && std::filesystem::exists(location.programFolder / kInstalledMenuEntry, ec);
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    location.xdgConfigHome = xdg ? xdg : "";
    location.home = home ? home : "";
    location.appData = FileStore::ApplicationDataFolder();
    return location;
}

} // namespace dorvane
