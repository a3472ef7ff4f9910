#pragma once

#include "platform/Shell.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace dorvane {

// Opens what an alarm names the way the desktop does. A web address or an existing document or
// folder goes to the desktop's opener (xdg-open); an existing executable file, or a program name
// found on the search path, is started directly with no arguments. Nothing is ever handed to a
// shell: the text is one file name or one address, whatever characters it holds. Programs start
// detached, in a session of their own with standard input from /dev/null, and are reaped in the
// background when they end, so Open never waits for them.
class DesktopShell : public Shell {
public:
    struct Settings {
        std::string opener = "xdg-open";  // a program name or a path
        std::string searchPath;           // like PATH
        std::string home;                 // what a leading "~/" stands for
    };

    // The desktop's opener, with PATH and HOME of this process.
    DesktopShell();
    explicit DesktopShell(Settings settings);

    // True when a program or the opener was started.
    bool Open(const std::string& target) override;

    // Starts the program of that name on the search path, detached, with args as its argument
    // vector. False when there is no such program or it could not be started.
    bool StartProgram(const std::string& name, const std::vector<std::string>& args) const;

private:
    std::optional<std::filesystem::path> FindProgram(const std::string& name) const;
    bool OpenWithOpener(const std::string& what) const;
    bool OpenFile(const std::filesystem::path& file) const;

    Settings settings_;
};

} // namespace dorvane
