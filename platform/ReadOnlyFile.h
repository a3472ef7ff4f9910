#pragma once

#include "platform/Result.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace dorvane {

// A file opened for reading: its size is known when it is opened, and it is read at any offset
// without moving a shared position. Only regular files open: a folder, a pipe or a device has no
// picture or settings to give. Each system implements it in its platform folder.
class ReadOnlyFile {
public:
    static Result<ReadOnlyFile> Open(const std::filesystem::path& path);

    ReadOnlyFile(ReadOnlyFile&& other) noexcept;
    ReadOnlyFile& operator=(ReadOnlyFile&& other) noexcept;
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;
    ~ReadOnlyFile();

    std::uint64_t Size() const { return size_; }

    // Fills buffer from offset; false when the file ends first or cannot be read.
    bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> buffer) const;

    // The whole file from its start.
    Result<std::vector<std::uint8_t>> ReadAll() const;

private:
    ReadOnlyFile(int fd, std::uint64_t size) : fd_(fd), size_(size) {}
    int fd_ = -1;
    std::uint64_t size_ = 0;
};

} // namespace dorvane
