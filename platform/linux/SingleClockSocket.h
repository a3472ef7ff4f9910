#pragma once

#include <filesystem>
#include <string>

namespace dorvane {

// One clock per settings file. The first clock on a file binds an abstract Unix socket named after
// the file's canonical path (and the user), which the kernel frees when the process ends however
// it ends, so no stale lock outlives a crash. A later start finds the name taken, connects, and so
// asks the running clock to come to the front.
class SingleClockSocket {
public:
    explicit SingleClockSocket(const std::filesystem::path& settingsPath);
    ~SingleClockSocket();
    SingleClockSocket(const SingleClockSocket&) = delete;
    SingleClockSocket& operator=(const SingleClockSocket&) = delete;

    // True when this process is the one clock on the settings file.
    bool Held() const { return listener_ >= 0; }
    // Another clock holds the file: asks it to come to the front. False when none answered.
    bool AskRunningClockForward() const;
    // The listening socket, readable when a later start asks; -1 when not held.
    int RequestSocket() const { return listener_; }
    // Takes one waiting request off the socket; true when there was one.
    bool TakeRequest() const;

    // The socket's abstract name for a settings file: the same for every spelling of its path.
    static std::string NameFor(const std::filesystem::path& settingsPath);

private:
    std::string name_;
    int listener_ = -1;
};

} // namespace dorvane
