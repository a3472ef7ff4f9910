#include "platform/FileStore.h"
#include "platform/linux/RegularFile.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <utility>
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

bool WriteAll(int fd, std::string_view bytes)
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

// Whether the path lies in the kernel's own folders, where a rename could replace a device node or
// a process's standard-output link.
bool IsSystemPath(const std::filesystem::path& path)
{
    std::error_code ec;
    const std::string text = std::filesystem::absolute(path, ec).lexically_normal().string();
    return std::ranges::any_of(std::array{"/proc", "/dev"}, [&](std::string_view root) {
        return text.starts_with(root) && (text.size() == root.size() || text[root.size()] == '/');
    });
}

// Whether the path, a link on its way to the file, or the folders holding that file lie in /proc or
// /dev.
bool ReachesSystemPath(std::filesystem::path path)
{
    std::error_code ec;
    for (int links = 0; links < 8; ++links) {
        if (IsSystemPath(path))
            return true;
        if (!std::filesystem::is_symlink(path, ec))
            break;
        const auto target = std::filesystem::read_symlink(path, ec);
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return IsSystemPath(std::filesystem::weakly_canonical(path, ec));
}

// How an output reaches its target: a regular file (or none yet) is replaced at the end of its
// links; the targets that must never be renamed over are written in place.
struct OutputTarget {
    enum class Way { Replace, InPlace } way;
    std::filesystem::path path;
};

Result<OutputTarget> TargetOf(const std::filesystem::path& requested)
{
    using Found = Result<OutputTarget>;
    auto resolved = LinkTarget(requested);
    if (!resolved)
        return Found::Failure(resolved.error());
    const std::filesystem::path path = resolved.take();
    struct stat st {};
    if (::stat(requested.c_str(), &st) != 0) {
        if (errno != ENOENT)
            return Found::Failure(Describe("cannot reach", requested, errno));
        if (ReachesSystemPath(requested))
            return Found::Failure("not creating " + requested.string() + ": it would lie in /proc or /dev");
        return OutputTarget{OutputTarget::Way::Replace, path};
    }
    if (S_ISDIR(st.st_mode))
        return Found::Failure(requested.string() + " is a folder, not a file");
    if (S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode) || (S_ISREG(st.st_mode) && ReachesSystemPath(requested)))
        return OutputTarget{OutputTarget::Way::InPlace, requested};
    if (!S_ISREG(st.st_mode))
        return Found::Failure(requested.string() + " is neither a regular file, a FIFO nor a character device");
    return OutputTarget{OutputTarget::Way::Replace, path};
}

// Writes straight into an open descriptor: standard output, a FIFO, a device.
class InPlaceOutput : public Output {
public:
    InPlaceOutput(int fd, std::string name, bool owned) : fd_(fd), name_(std::move(name)), owned_(owned) {}
    ~InPlaceOutput() override
    {
        if (owned_ && fd_ >= 0)
            ::close(fd_);
    }

    Status Write(std::string_view bytes) override
    {
        if (!WriteAll(fd_, bytes))
            return Status::Failure("cannot write " + name_ + ": " + std::strerror(errno));
        return Status::Ok();
    }

    Status Finish() override
    {
        if (!owned_ || fd_ < 0)
            return Status::Ok();
        const int fd = std::exchange(fd_, -1);
        if (::close(fd) != 0)
            return Status::Failure("cannot write " + name_ + ": " + std::strerror(errno));
        return Status::Ok();
    }

private:
    int fd_;
    std::string name_;
    bool owned_;
};

// Writes a temporary file beside the target and renames it over the target at Finish.
class ReplacingOutput : public Output {
public:
    static Result<std::unique_ptr<Output>> Open(const std::filesystem::path& path)
    {
        std::error_code ec;
        if (path.has_parent_path())
            std::filesystem::create_directories(path.parent_path(), ec);
        RemoveStaleTemporaries(path);
        std::string tempName =
            (path.parent_path() / (TemporaryPrefix(path) + std::string(kTemporarySuffixLength, 'X'))).string();
        const int fd = ::mkstemp(tempName.data());
        if (fd < 0)
            return Result<std::unique_ptr<Output>>::Failure(
                Describe("cannot create a temporary file for", path, errno));
        std::unique_ptr<Output> output(new ReplacingOutput(path, std::move(tempName), fd));
        if (::fchmod(fd, ModeFor(path)) != 0)
            return Result<std::unique_ptr<Output>>::Failure(Describe("cannot write", path, errno));
        return output;
    }

    ~ReplacingOutput() override
    {
        if (fd_ >= 0)
            ::close(fd_);
        if (!done_)
            ::unlink(tempName_.c_str());
    }

    Status Write(std::string_view bytes) override
    {
        if (!WriteAll(fd_, bytes))
            return Status::Failure(Describe("cannot write", path_, errno));
        return Status::Ok();
    }

    Status Finish() override
    {
        const bool synced = ::fsync(fd_) == 0;
        int error = errno;
        const bool closed = ::close(std::exchange(fd_, -1)) == 0;
        if (synced && !closed)
            error = errno;
        if (!synced || !closed)
            return Status::Failure(Describe("cannot write", path_, error));
        if (::rename(tempName_.c_str(), path_.c_str()) != 0)
            return Status::Failure(Describe("cannot write", path_, errno));
        done_ = true;
        return Status::Ok();
    }

private:
    ReplacingOutput(std::filesystem::path path, std::string tempName, int fd)
        : path_(std::move(path)), tempName_(std::move(tempName)), fd_(fd) {}

    std::filesystem::path path_;
    std::string tempName_;
    int fd_;
    bool done_ = false;
};

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
    auto target = TargetOf(requested);
    if (!target)
        return Status::Failure(target.error());
    if (target.value().way != OutputTarget::Way::Replace)
        return Status::Failure("not replacing " + requested.string() + ": it is not a regular file");
    auto output = ReplacingOutput::Open(target.value().path);
    if (!output)
        return Status::Failure(output.error());
    if (Status written = output.value()->Write(bytes); !written)
        return written;
    return output.value()->Finish();
}

Result<std::unique_ptr<Output>> OpenOutput(const std::filesystem::path& path)
{
    using Opened = Result<std::unique_ptr<Output>>;
    if (path == "-")
        return Opened(std::make_unique<InPlaceOutput>(STDOUT_FILENO, "standard output", false));
    auto target = TargetOf(path);
    if (!target)
        return Opened::Failure(target.error());
    if (target.value().way == OutputTarget::Way::Replace)
        return ReplacingOutput::Open(target.value().path);
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0)
        return Opened::Failure(Describe("cannot open", path, errno));
    return Opened(std::make_unique<InPlaceOutput>(fd, path.string(), true));
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

std::filesystem::path ApplicationDataFolder() { return {}; }

} // namespace dorvane::FileStore
