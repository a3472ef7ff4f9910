#include "platform/linux/SingleClockSocket.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace dorvane {
namespace {

// FNV-1a, 64 bits: a short, stable name for a path of any length.
uint64_t Fingerprint(const std::string& text)
{
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

// The address of an abstract socket: a NUL, then the name, not a file anywhere.
socklen_t AbstractAddress(const std::string& name, sockaddr_un& address)
{
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    const std::size_t length = std::min(name.size(), sizeof address.sun_path - 1);
    std::memcpy(address.sun_path + 1, name.data(), length);
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
}

} // namespace

std::string SingleClockSocket::NameFor(const std::filesystem::path& settingsPath)
{
    std::error_code error;
    std::filesystem::path canonical = std::filesystem::weakly_canonical(std::filesystem::absolute(settingsPath), error);
    if (error)
        canonical = std::filesystem::absolute(settingsPath).lexically_normal();
    char name[64];
    std::snprintf(name, sizeof name, "dorvane-clock-%u-%016llx", static_cast<unsigned>(::geteuid()),
                  static_cast<unsigned long long>(Fingerprint(canonical.string())));
    return name;
}

SingleClockSocket::SingleClockSocket(const std::filesystem::path& settingsPath) : name_(NameFor(settingsPath))
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return;
    sockaddr_un address;
    const socklen_t length = AbstractAddress(name_, address);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 || ::listen(fd, 4) != 0) {
        ::close(fd);
        return;
    }
    listener_ = fd;
}

SingleClockSocket::~SingleClockSocket()
{
    if (listener_ >= 0)
        ::close(listener_);
}

bool SingleClockSocket::AskRunningClockForward() const
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    sockaddr_un address;
    const socklen_t length = AbstractAddress(name_, address);
    const bool asked = ::connect(fd, reinterpret_cast<sockaddr*>(&address), length) == 0;
    ::close(fd);
    return asked;
}

bool SingleClockSocket::TakeRequest() const
{
    if (listener_ < 0)
        return false;
    const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0)
        return false;
    ::close(connection);
    return true;
}

} // namespace dorvane
