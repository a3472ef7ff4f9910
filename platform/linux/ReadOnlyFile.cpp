#include "platform/ReadOnlyFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dorvane {

Result<ReadOnlyFile> ReadOnlyFile::Open(const std::filesystem::path& path)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return Result<ReadOnlyFile>::Failure("cannot open " + path.string() + ": " + std::strerror(errno));
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return Result<ReadOnlyFile>::Failure(path.string() + " is not a regular file");
    }
    return ReadOnlyFile(fd, static_cast<std::uint64_t>(st.st_size));
}

void ReadOnlyFile::Close()
{
    if (handle_ != kClosed)
        ::close(static_cast<int>(handle_));
    handle_ = kClosed;
}

bool ReadOnlyFile::ReadAt(std::uint64_t offset, std::span<std::uint8_t> buffer) const
{
    std::size_t done = 0;
    while (done < buffer.size()) {
        ssize_t n = ::pread(static_cast<int>(handle_), buffer.data() + done, buffer.size() - done,
                            static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace dorvane
