#include "platform/ReadOnlyFile.h"
#include "platform/linux/RegularFile.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace dorvane {

Result<ReadOnlyFile> ReadOnlyFile::Open(const std::filesystem::path& path)
{
    auto opened = OpenRegularFile(path);
    if (!opened)
        return Result<ReadOnlyFile>::Failure(opened.error());
    if (!opened.value())
        return Result<ReadOnlyFile>::Failure("cannot open " + path.string() + ": " + std::strerror(ENOENT));
    return ReadOnlyFile(opened.value()->fd, opened.value()->size);
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
