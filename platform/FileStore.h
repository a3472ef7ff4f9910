#pragma once

#include "platform/Result.h"

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace dorvane {

// Whole-file reads and crash-safe whole-file writes, and the few facts about folders the settings
// need. Each system implements these in its platform folder.
namespace FileStore {

// The file's bytes; nullopt inside the result when the file does not exist. A file larger than
// maxBytes, or one that cannot be read, is a failure.
Result<std::optional<std::string>> Read(const std::filesystem::path& path, std::size_t maxBytes);

// Replaces the file's contents with bytes without ever leaving a half-written file: the bytes go to
// a temporary file in the same folder, which is flushed and then renamed over the old one. The
// folder is created when missing. On failure the old file is untouched. Only a regular file, or
// none yet, is replaced: anything else at path (a FIFO, a device, a file reached through /proc or
// /dev) is refused with the reason.
Status Replace(const std::filesystem::path& path, const std::string& bytes);

// A command's output on its way to where it goes (see OpenOutput).
class Output {
public:
    // An output dropped before Finish leaves a regular file as it was.
    virtual ~Output() = default;
    virtual Status Write(std::string_view bytes) = 0;
    // Ends the output: a regular file takes the new bytes only now.
    virtual Status Finish() = 0;
};

// Where a command writes: "-" is standard output. A regular file, or none yet, is replaced whole
// at Finish as Replace does. A FIFO or a character device (a terminal, /dev/null), and anything
// reached through /proc or /dev (/dev/stdout), is written in place and never renamed over.
// Anything else (a folder, a socket) is refused with the reason.
Result<std::unique_ptr<Output>> OpenOutput(const std::filesystem::path& path);

// OpenOutput, one Write and Finish.
inline Status WriteOutput(const std::filesystem::path& path, std::string_view bytes)
{
    auto output = OpenOutput(path);
    if (!output)
        return Status::Failure(output.error());
    if (Status written = output.value()->Write(bytes); !written)
        return written;
    return output.value()->Finish();
}

// The file a write to path replaces: path itself, or, when path is a symbolic link, the file at the
// end of its chain of links, whether that file exists yet or not. A relative link is read from the
// link's own folder. A chain longer than a few links, as a loop, is a failure. Plain portable code,
// shared by every system.
inline Result<std::filesystem::path> LinkTarget(std::filesystem::path path)
{
    constexpr int kMaxLinks = 8;
    for (int links = 0; links < kMaxLinks; ++links) {
        std::error_code ec;
        if (!std::filesystem::is_symlink(path, ec))
            return path;
        auto target = std::filesystem::read_symlink(path, ec);
        if (ec)
            return Result<std::filesystem::path>::Failure("cannot read the link " + path.string() + ": " + ec.message());
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return Result<std::filesystem::path>::Failure(path.string() + " is reached through too many links");
}

// True when the file exists and its permissions keep this user from writing it: the user set it
// read-only. Decided by the file's mode or attributes, so that even an administrator, whom the
// system would let write, leaves such a file alone. Follows symbolic links.
bool IsReadOnly(const std::filesystem::path& path);

// Deletes the file when it exists.
Status Remove(const std::filesystem::path& path);

// Whether this process may create files in the folder.
bool IsWritableFolder(const std::filesystem::path& folder);

// The folder that holds the running program; empty when the system does not say.
std::filesystem::path ProgramFolder();

// The user's folder for the settings of programs where the system has one (%APPDATA% on Windows);
// empty where programs follow their own conventions instead (XDG on Linux).
std::filesystem::path ApplicationDataFolder();

} // namespace FileStore
} // namespace dorvane
