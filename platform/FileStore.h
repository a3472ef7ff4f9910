#pragma once

#include "platform/Result.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace dorvane {

// Whole-file reads and crash-safe whole-file writes, and the few facts about folders the settings
// need. Each system implements these in its platform folder.
namespace FileStore {

// The file's bytes; nullopt inside the result when the file does not exist. A file larger than
// maxBytes, or one that cannot be read, is a failure.
Result<std::optional<std::string>> Read(const std::filesystem::path& path, std::size_t maxBytes);

// Replaces the file's contents with bytes without ever leaving a half-written file: the bytes go to
// a temporary file in the same folder, which is flushed and then renamed over the old one. The
// folder is created when missing. On failure the old file is untouched.
Status Replace(const std::filesystem::path& path, const std::string& bytes);

// Deletes the file when it exists.
Status Remove(const std::filesystem::path& path);

// Whether this process may create files in the folder.
bool IsWritableFolder(const std::filesystem::path& folder);

// The folder that holds the running program; empty when the system does not say.
std::filesystem::path ProgramFolder();

} // namespace FileStore
} // namespace dorvane
