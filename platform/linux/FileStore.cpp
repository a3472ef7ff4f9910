#include "platform/FileStore.h"
#include "platform/linux/RegularFile.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dorvane::FileStore {
namespace {

std::string Describe(const std::string& what, const std::filesystem::path& path, int error)
{
    return what + " " + path.string() + ": " + std::strerror(error);
}

// A save writes to "." + the file's name + "." + six random characters beside the file.
std::string TemporaryPrefix(const std::filesystem::path& path)
{
    return "." + path.filename().string() + ".";
}
constexpr std::size_t kTemporarySuffixLength = 6;

// A save killed before its rename leaves its temporary file behind. One untouched for a minute
// belongs to no save still running, so it goes; only regular files named exactly like one do.
void RemoveStaleTemporaries(const std::filesystem::path& path)
{
    namespace fs = std::filesystem;
    const std::string prefix = TemporaryPrefix(path);
    const auto cutoff = fs::file_time_type::clock::now() - std::chrono::minutes(1);
    std::error_code ec;
    for (fs::directory_iterator it(path.has_parent_path() ? path.parent_path() : ".", ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() != prefix.size() + kTemporarySuffixLength || !name.starts_with(prefix))
            continue;
        std::error_code statError;
        const bool regular = it->symlink_status(statError).type() == fs::file_type::regular;
        if (regular && it->last_write_time(statError) < cutoff && !statError)
            fs::remove(it->path(), statError);
    }
}

bool WriteAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// The mode the new file gets: the old file's, or the usual one for a new file.
mode_t ModeFor(const std::filesystem::path& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0)
        return st.st_mode & 07777;
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

Result<std::optional<std::string>> Read(const std::filesystem::path& path, std::size_t maxBytes)
{
    auto opened = OpenRegularFile(path);
    if (!opened)
        return Result<std::optional<std::string>>::Failure(opened.error());
    if (!opened.value())
        return std::optional<std::string>();
    const int fd = opened.value()->fd;
    std::string bytes;
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            int error = errno;
            ::close(fd);
            return Result<std::optional<std::string>>::Failure(Describe("cannot read", path, error));
        }
        if (n == 0)
            break;
        if (bytes.size() + static_cast<std::size_t>(n) > maxBytes) {
            ::close(fd);
            return Result<std::optional<std::string>>::Failure(
                path.string() + " is larger than " + std::to_string(maxBytes) + " bytes");
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return std::optional<std::string>(std::move(bytes));
}

Status Replace(const std::filesystem::path& requested, const std::string& bytes)
{
    // Writing through a symbolic link replaces the file it points to, not the link.
    auto resolved = LinkTarget(requested);
    if (!resolved)
        return Status::Failure(resolved.error());
    const auto path = resolved.take();
    std::error_code ec;
    if (path.has_parent_path())
        std::filesystem::create_directories(path.parent_path(), ec);

    RemoveStaleTemporaries(path);
    std::string tempName =
        (path.parent_path() / (TemporaryPrefix(path) + std::string(kTemporarySuffixLength, 'X'))).string();
    int fd = ::mkstemp(tempName.data());
    if (fd < 0)
        return Status::Failure(Describe("cannot create a temporary file for", path, errno));

    bool written = ::fchmod(fd, ModeFor(path)) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    int error = errno;
    written = ::close(fd) == 0 && written;
    if (!written || ::rename(tempName.c_str(), path.c_str()) != 0) {
        if (written)
            error = errno;
        ::unlink(tempName.c_str());
        return Status::Failure(Describe("cannot write", path, error));
    }
    return Status::Ok();
}

Status Remove(const std::filesystem::path& path)
{
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        return Status::Failure(Describe("cannot delete", path, errno));
    return Status::Ok();
}

bool IsReadOnly(const std::filesystem::path& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return false;
    if (st.st_uid == ::geteuid())
        return (st.st_mode & S_IWUSR) == 0;
    // The administrator may write anything; only a file nobody may write counts as read-only for it.
    if (::geteuid() == 0)
        return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    return ::access(path.c_str(), W_OK) != 0 && errno == EACCES;
}

bool IsWritableFolder(const std::filesystem::path& folder)
{
    return !folder.empty() && ::access(folder.c_str(), W_OK) == 0;
}

std::filesystem::path ProgramFolder()
{
    std::error_code ec;
    auto program = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : program.parent_path();
}

} // namespace dorvane::FileStore
