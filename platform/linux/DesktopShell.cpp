#include "platform/linux/DesktopShell.h"

#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <string_view>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace dorvane {
namespace {

namespace fs = std::filesystem;

std::string EnvironmentValue(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The target as typed, without blanks around it or the quotes a path copied from elsewhere often
// carries.
std::string Cleaned(std::string_view target)
{
    const auto first = target.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return "";
    target = target.substr(first, target.find_last_not_of(" \t\r\n") - first + 1);
    if (target.size() >= 2 && target.front() == '"' && target.back() == '"')
        target = target.substr(1, target.size() - 2);
    return std::string(target);
}

// "https://...", "mailto:..." and the like; a bare "www." address is taken for a web address.
std::optional<std::string> AsAddress(const std::string& target)
{
    if (target.starts_with("www."))
        return "http://" + target;
    const auto colon = target.find(':');
    if (colon == std::string::npos || colon < 2)
        return std::nullopt;
    for (std::size_t i = 0; i < colon; ++i) {
        const char c = target[i];
        const bool schemeChar = std::isalpha(static_cast<unsigned char>(c)) ||
                                (i > 0 && (std::isdigit(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.'));
        if (!schemeChar)
            return std::nullopt;
    }
    if (target.compare(colon, 3, "://") == 0 || target.starts_with("mailto:"))
        return target;
    return std::nullopt;
}

bool IsExecutableFile(const fs::path& file)
{
    std::error_code error;
    return fs::is_regular_file(file, error) && ::access(file.c_str(), X_OK) == 0;
}

// Waits for the program in the background so that it leaves no zombie behind.
void ReapWhenDone(pid_t pid)
{
    std::thread([pid] {
        while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
        }
    }).detach();
}

// Starts program with args, detached; 0, or the reason it could not be started (errno).
int Spawn(const fs::path& program, const std::vector<std::string>& args)
{
    std::vector<char*> argv;
    std::string programText = program.string();
    argv.push_back(programText.data());
    std::vector<std::string> argCopies = args;
    for (auto& arg : argCopies)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t noSignals, defaultSignals;
    sigemptyset(&noSignals);
    sigemptyset(&defaultSignals);
    for (int signal : {SIGPIPE, SIGCHLD, SIGHUP, SIGINT, SIGQUIT, SIGTERM})
        sigaddset(&defaultSignals, signal);
    posix_spawnattr_setsigmask(&attributes, &noSignals);
    posix_spawnattr_setsigdefault(&attributes, &defaultSignals);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t pid = 0;
    // posix_spawn, unlike execvp, never hands a file it cannot execute to /bin/sh.
    const int error = ::posix_spawn(&pid, programText.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (error == 0)
        ReapWhenDone(pid);
    return error;
}

} // namespace

DesktopShell::DesktopShell() : DesktopShell(Settings{"xdg-open", EnvironmentValue("PATH"), EnvironmentValue("HOME")}) {}

DesktopShell::DesktopShell(Settings settings) : settings_(std::move(settings)) {}

bool DesktopShell::Open(const std::string& typed)
{
    std::string target = Cleaned(typed);
    if (target.empty())
        return false;
    if (auto address = AsAddress(target))
        return OpenWithOpener(*address);
    if (target.starts_with("~/") && !settings_.home.empty())
        target = settings_.home + target.substr(1);

    if (target.find('/') == std::string::npos) {
        if (auto program = FindProgram(target))
            return Spawn(*program, {}) == 0;
    }
    std::error_code error;
    if (!fs::exists(target, error))
        return false;
    return OpenFile(target);
}

bool DesktopShell::OpenFile(const fs::path& file) const
{
    if (IsExecutableFile(file)) {
        // A file that only carries the execute bit (a document on a shared drive, say) cannot be
        // started; it is opened like any other document.
        const int error = Spawn(fs::absolute(file), {});
        if (error != ENOEXEC && error != EACCES)
            return error == 0;
    }
    return OpenWithOpener(fs::absolute(file).string());
}

bool DesktopShell::OpenWithOpener(const std::string& what) const
{
    const auto opener = settings_.opener.find('/') == std::string::npos ? FindProgram(settings_.opener)
                                                                         : std::optional<fs::path>(settings_.opener);
    return opener && Spawn(*opener, {what}) == 0;
}

bool DesktopShell::StartProgram(const std::string& name, const std::vector<std::string>& args) const
{
    const auto program = FindProgram(name);
    return program && Spawn(*program, args) == 0;
}

// The first executable file of that name in a folder of the search path. Empty entries, which
// would stand for the current folder, are skipped.
std::optional<fs::path> DesktopShell::FindProgram(const std::string& name) const
{
    std::string_view rest = settings_.searchPath;
    while (!rest.empty()) {
        const auto colon = rest.find(':');
        const std::string_view folder = rest.substr(0, colon);
        rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
        if (folder.empty())
            continue;
        const fs::path candidate = fs::path(folder) / name;
        if (IsExecutableFile(candidate))
            return candidate;
    }
    return std::nullopt;
}

} // namespace dorvane
