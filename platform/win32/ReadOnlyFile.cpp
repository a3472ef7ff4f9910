#include "platform/ReadOnlyFile.h"

#include "platform/win32/WindowsErrors.h"

#include <algorithm>
#include <windows.h>

namespace dorvane {
namespace {

HANDLE HandleOf(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

} // namespace

Result<ReadOnlyFile> ReadOnlyFile::Open(const std::filesystem::path& path)
{
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return Result<ReadOnlyFile>::Failure(DescribeLastError("cannot open", path));
    BY_HANDLE_FILE_INFORMATION info{};
    LARGE_INTEGER size{};
    if (::GetFileType(file) != FILE_TYPE_DISK || !::GetFileInformationByHandle(file, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !::GetFileSizeEx(file, &size)) {
        ::CloseHandle(file);
        return Result<ReadOnlyFile>::Failure(Utf8(path) + " is not a regular file");
    }
    return ReadOnlyFile(reinterpret_cast<std::intptr_t>(file), static_cast<std::uint64_t>(size.QuadPart));
}

void ReadOnlyFile::Close()
{
    if (handle_ != kClosed)
        ::CloseHandle(HandleOf(handle_));
    handle_ = kClosed;
}

bool ReadOnlyFile::ReadAt(std::uint64_t offset, std::span<std::uint8_t> buffer) const
{
    std::size_t done = 0;
    while (done < buffer.size()) {
        // A read with an offset of its own leaves no shared position behind.
        OVERLAPPED at{};
        const std::uint64_t position = offset + done;
        at.Offset = static_cast<DWORD>(position);
        at.OffsetHigh = static_cast<DWORD>(position >> 32);
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(buffer.size() - done, 1u << 30));
        DWORD read = 0;
        if (!::ReadFile(HandleOf(handle_), buffer.data() + done, chunk, &read, &at) || read == 0)
            return false;
        done += read;
    }
    return true;
}

} // namespace dorvane
