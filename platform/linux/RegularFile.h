#pragma once

#include "platform/Result.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace dorvane {

// A descriptor open for reading on a regular file, and the file's size when it was opened.
struct RegularFile {
    int fd;
    std::uint64_t size;
};

// Opens the file at path for reading, but only when it is a regular file: a FIFO, a device or a
// folder is refused with a reason. The open itself never blocks, so a FIFO nobody writes to cannot
// stall the program; reads on the descriptor block as usual again. nullopt inside the result when
// nothing is at path.
inline Result<std::optional<RegularFile>> OpenRegularFile(const std::filesystem::path& path)
{
    using Opened = Result<std::optional<RegularFile>>;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT)
            return std::optional<RegularFile>();
        return Opened::Failure("cannot open " + path.string() + ": " + std::strerror(errno));
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return Opened::Failure(path.string() + " is not a regular file");
    }
    int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        int error = errno;
        ::close(fd);
        return Opened::Failure("cannot open " + path.string() + ": " + std::strerror(error));
    }
    return std::optional<RegularFile>(RegularFile{fd, static_cast<std::uint64_t>(st.st_size)});
}

} // namespace dorvane
