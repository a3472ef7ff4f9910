#pragma once

#include "platform/Result.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace dorvane {

// A picture file opened for reading: its size is known when it is opened, and it is read at any
// offset without moving a shared position. Only regular files open: a folder, a pipe or a device
// has no picture to give.
class ImageFile {
public:
    static Result<ImageFile> Open(const std::filesystem::path& path);

    ImageFile(ImageFile&& other) noexcept;
    ImageFile& operator=(ImageFile&& other) noexcept;
    ImageFile(const ImageFile&) = delete;
    ImageFile& operator=(const ImageFile&) = delete;
    ~ImageFile();

    std::uint64_t Size() const { return size_; }

    // Fills buffer from offset; false when the file ends first or cannot be read.
    bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> buffer) const;

    // The whole file from its start.
    Result<std::vector<std::uint8_t>> ReadAll() const;

private:
    ImageFile(int fd, std::uint64_t size) : fd_(fd), size_(size) {}
    int fd_ = -1;
    std::uint64_t size_ = 0;
};

} // namespace dorvane
