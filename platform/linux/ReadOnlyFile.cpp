#include "platform/ReadOnlyFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <new>
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

ReadOnlyFile::ReadOnlyFile(ReadOnlyFile&& other) noexcept : fd_(other.fd_), size_(other.size_)
{
    other.fd_ = -1;
}

ReadOnlyFile& ReadOnlyFile::operator=(ReadOnlyFile&& other) noexcept
{
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = other.fd_;
        size_ = other.size_;
        other.fd_ = -1;
    }
    return *this;
}

ReadOnlyFile::~ReadOnlyFile()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool ReadOnlyFile::ReadAt(std::uint64_t offset, std::span<std::uint8_t> buffer) const
{
    std::size_t done = 0;
    while (done < buffer.size()) {
        ssize_t n = ::pread(fd_, buffer.data() + done, buffer.size() - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

Result<std::vector<std::uint8_t>> ReadOnlyFile::ReadAll() const
{
    if (size_ > SIZE_MAX / 2)
        return Result<std::vector<std::uint8_t>>::Failure("the file is too large");
    std::vector<std::uint8_t> bytes;
    try {
        bytes.resize(static_cast<std::size_t>(size_));
    } catch (const std::bad_alloc&) {
        return Result<std::vector<std::uint8_t>>::Failure("not enough memory to read the file");
    }
    if (!ReadAt(0, bytes))
        return Result<std::vector<std::uint8_t>>::Failure("cannot read the file");
    return bytes;
}

} // namespace dorvane
