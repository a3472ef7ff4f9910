#pragma once

#include "platform/Result.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <new>
#include <span>
#include <utility>
#include <vector>

namespace dorvane {

// A file opened for reading: its size is known when it is opened, and it is read at any offset
// without moving a shared position. Only regular files open: a folder, a pipe or a device has no
// picture or settings to give. Each system implements it in its platform folder.
class ReadOnlyFile {
public:
    static Result<ReadOnlyFile> Open(const std::filesystem::path& path);

    ReadOnlyFile(ReadOnlyFile&& other) noexcept : handle_(other.handle_), size_(other.size_) { other.handle_ = kClosed; }
    ReadOnlyFile& operator=(ReadOnlyFile&& other) noexcept
    {
        if (this != &other) {
            Close();
            handle_ = std::exchange(other.handle_, kClosed);
            size_ = other.size_;
        }
        return *this;
    }
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;
    ~ReadOnlyFile() { Close(); }

    std::uint64_t Size() const { return size_; }

    // Fills buffer from offset; false when the file ends first or cannot be read.
    bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> buffer) const;

    // The whole file from its start.
    Result<std::vector<std::uint8_t>> ReadAll() const
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

private:
    // The system's handle of the open file: a file descriptor, or a Windows HANDLE; -1 when closed.
    static constexpr std::intptr_t kClosed = -1;
    ReadOnlyFile(std::intptr_t handle, std::uint64_t size) : handle_(handle), size_(size) {}
    void Close();
    std::intptr_t handle_ = kClosed;
    std::uint64_t size_ = 0;
};

} // namespace dorvane
