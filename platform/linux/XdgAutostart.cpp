#include "platform/linux/XdgAutostart.h"

#include "platform/FileStore.h"

#include <cstdlib>

namespace dorvane {
namespace {

// A program path or argument as one argument of an Exec line: in double quotes with ", `, $ and \ escaped,
// then every backslash doubled again because the Exec value is itself an escaped string, and %
// doubled because it starts a field code.
std::string ExecArgument(const std::string& path)
{
    std::string quoted = "\"";
    for (char c : path) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    quoted += '"';
    std::string escaped;
    for (char c : quoted) {
        if (c == '\\')
            escaped += "\\\\";
        else if (c == '%')
            escaped += "%%";
        else if (c == '\n' || c == '\r')
            escaped += ' ';
        else
            escaped += c;
    }
    return escaped;
}

} // namespace

XdgAutostart::XdgAutostart(std::filesystem::path autostartFolder) : entry_(std::move(autostartFolder) / "dorvane.desktop") {}

XdgAutostart XdgAutostart::ForThisUser()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/')
        return XdgAutostart(std::filesystem::path(config) / "autostart");
    const char* home = std::getenv("HOME");
    return XdgAutostart(std::filesystem::path(home && home[0] ? home : "/tmp") / ".config" / "autostart");
}

std::string XdgAutostart::DesktopEntry(const std::string& programPath, const std::vector<std::string>& arguments)
{
    std::string exec = ExecArgument(programPath);
    for (const std::string& argument : arguments)
        exec += " " + ExecArgument(argument);
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Dorvane\n"
           "Comment=Analog desktop clock with alarms\n"
           "Exec=" + exec + "\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n";
}

bool XdgAutostart::Enable(const std::string& programPath, const std::vector<std::string>& arguments)
{
    return FileStore::Replace(entry_, DesktopEntry(programPath, arguments)).ok();
}

bool XdgAutostart::Disable() { return FileStore::Remove(entry_).ok(); }

bool XdgAutostart::IsEnabled() const
{
    std::error_code ec;
    return std::filesystem::is_regular_file(entry_, ec);
}

} // namespace dorvane
