#include "platform/FileStore.h"

#include "platform/win32/WindowsErrors.h"

#include <algorithm>
#include <random>
#include <utility>
#include <cstdlib>
#include <windows.h>
#include <shlobj.h>

namespace dorvane::FileStore {
namespace {

bool IsMissing(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

// A new, empty file beside path that no other program has open.
HANDLE CreateTemporaryBeside(const std::filesystem::path& path, std::filesystem::path& tempPath)
{
    std::random_device random;
    for (int attempt = 0; attempt < 16; ++attempt) {
        tempPath = path.parent_path() / (L"." + path.filename().wstring() + L"." + std::to_wstring(random()));
        HANDLE file = ::CreateFileW(tempPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                    nullptr);
        if (file != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS)
            return file;
    }
    return INVALID_HANDLE_VALUE;
}

bool WriteAll(HANDLE file, std::string_view bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

// The file a write replaces: path, or the end of its links; only a regular file, or none yet.
Result<std::filesystem::path> ReplaceTarget(const std::filesystem::path& requested)
{
    auto resolved = LinkTarget(requested);
    if (!resolved)
        return resolved;
    std::error_code ec;
    const auto status = std::filesystem::status(resolved.value(), ec);
    if (std::filesystem::is_directory(status))
        return Result<std::filesystem::path>::Failure(Utf8(requested) + " is a folder, not a file");
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        return Result<std::filesystem::path>::Failure("not replacing " + Utf8(requested) + ": it is not a regular file");
    return resolved;
}

// Standard output, written as it is.
class StandardOutput : public Output {
public:
    Status Write(std::string_view bytes) override
    {
        if (!WriteAll(::GetStdHandle(STD_OUTPUT_HANDLE), bytes))
            return Status::Failure(DescribeLastError("cannot write", "standard output"));
        return Status::Ok();
    }
    Status Finish() override { return Status::Ok(); }
};

// Writes a temporary file beside the target and moves it over the target at Finish.
class ReplacingOutput : public Output {
public:
    static Result<std::unique_ptr<Output>> Open(const std::filesystem::path& path)
    {
        std::error_code ec;
        if (path.has_parent_path())
            std::filesystem::create_directories(path.parent_path(), ec);
        std::filesystem::path tempPath;
        HANDLE file = CreateTemporaryBeside(path, tempPath);
        if (file == INVALID_HANDLE_VALUE)
            return Result<std::unique_ptr<Output>>::Failure(DescribeLastError("cannot create a temporary file for", path));
        return std::unique_ptr<Output>(new ReplacingOutput(path, tempPath, file));
    }

    ~ReplacingOutput() override
    {
        if (file_ != INVALID_HANDLE_VALUE)
            ::CloseHandle(file_);
        if (!done_)
            ::DeleteFileW(tempPath_.c_str());
    }

    Status Write(std::string_view bytes) override
    {
        if (!WriteAll(file_, bytes))
            return Status::Failure(DescribeLastError("cannot write", path_));
        return Status::Ok();
    }

    Status Finish() override
    {
        const bool flushed = ::FlushFileBuffers(file_);
        const std::string reason = flushed ? "" : DescribeLastError("cannot write", path_);
        ::CloseHandle(std::exchange(file_, INVALID_HANDLE_VALUE));
        if (!flushed)
            return Status::Failure(reason);
        if (!::MoveFileExW(tempPath_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return Status::Failure(DescribeLastError("cannot write", path_));
        done_ = true;
        return Status::Ok();
    }

private:
    ReplacingOutput(std::filesystem::path path, std::filesystem::path tempPath, HANDLE file)
        : path_(std::move(path)), tempPath_(std::move(tempPath)), file_(file) {}

    std::filesystem::path path_, tempPath_;
    HANDLE file_;
    bool done_ = false;
};

} // namespace

Result<std::optional<std::string>> Read(const std::filesystem::path& path, std::size_t maxBytes)
{
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        if (IsMissing(::GetLastError()))
            return std::optional<std::string>();
        return Result<std::optional<std::string>>::Failure(DescribeLastError("cannot open", path));
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(file, buffer, sizeof buffer, &read, nullptr)) {
            auto failure = Result<std::optional<std::string>>::Failure(DescribeLastError("cannot read", path));
            ::CloseHandle(file);
            return failure;
        }
        if (read == 0)
            break;
        if (bytes.size() + read > maxBytes) {
            ::CloseHandle(file);
            return Result<std::optional<std::string>>::Failure(Utf8(path) + " is larger than " +
                                                               std::to_string(maxBytes) + " bytes");
        }
        bytes.append(buffer, read);
    }
    ::CloseHandle(file);
    return std::optional<std::string>(std::move(bytes));
}

Status Replace(const std::filesystem::path& requested, const std::string& bytes)
{
    // Writing through a symbolic link replaces the file it points to, not the link.
    auto target = ReplaceTarget(requested);
    if (!target)
        return Status::Failure(target.error());
    auto output = ReplacingOutput::Open(target.value());
    if (!output)
        return Status::Failure(output.error());
    if (Status written = output.value()->Write(bytes); !written)
        return written;
    return output.value()->Finish();
}

Result<std::unique_ptr<Output>> OpenOutput(const std::filesystem::path& path)
{
    if (path == "-")
        return std::unique_ptr<Output>(std::make_unique<StandardOutput>());
    auto target = ReplaceTarget(path);
    if (!target)
        return Result<std::unique_ptr<Output>>::Failure(target.error());
    return ReplacingOutput::Open(target.value());
}

Status Remove(const std::filesystem::path& path)
{
    if (!::DeleteFileW(path.c_str()) && !IsMissing(::GetLastError()))
        return Status::Failure(DescribeLastError("cannot delete", path));
    return Status::Ok();
}

bool IsReadOnly(const std::filesystem::path& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0 &&
           (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool IsWritableFolder(const std::filesystem::path& folder)
{
    if (folder.empty())
        return false;
    // Windows has no cheap question for this: a file that deletes itself on closing answers it.
    std::filesystem::path probe;
    HANDLE file = CreateTemporaryBeside(folder / L"writable", probe);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    ::CloseHandle(file);
    ::DeleteFileW(probe.c_str());
    return true;
}

std::filesystem::path ProgramFolder()
{
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0)
            return {};
        if (length < name.size()) {
            name.resize(length);
            return std::filesystem::path(name).parent_path();
        }
        name.resize(name.size() * 2);
    }
}

std::filesystem::path ApplicationDataFolder()
{
    // %APPDATA% as the user's environment has it, read wide so that any letters survive; the
    // shell's answer when the variable is missing or not a full path.
    if (const wchar_t* appData = ::_wgetenv(L"APPDATA"); appData && std::filesystem::path(appData).is_absolute())
        return appData;
    wchar_t folder[MAX_PATH] = {};
    if (::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder) == S_OK)
        return folder;
    return {};
}

} // namespace dorvane::FileStore
