#pragma once

#include "platform/Autostart.h"

#include <filesystem>
#include <string>
#include <vector>

namespace dorvane {

// Start at logon through a desktop entry in the user's autostart folder
// ($XDG_CONFIG_HOME/autostart, by default ~/.config/autostart), which desktop sessions run at logon.
class XdgAutostart : public Autostart {
public:
    explicit XdgAutostart(std::filesystem::path autostartFolder);
    // The folder for this user, from the environment.
    static XdgAutostart ForThisUser();

    // Writes the entry atomically: a session never sees half of one.
    bool Enable(const std::string& programPath, const std::vector<std::string>& arguments) override;
    bool Disable() override;
    bool IsEnabled() const override;

    const std::filesystem::path& EntryPath() const { return entry_; }

    // The text of the desktop entry that starts programPath with arguments.
    static std::string DesktopEntry(const std::string& programPath, const std::vector<std::string>& arguments = {});

private:
    std::filesystem::path entry_;
};

} // namespace dorvane
