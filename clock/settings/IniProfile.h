#pragma once

#include "clock/settings/IniFile.h"
#include "platform/Result.h"

#include <filesystem>
#include <string>

namespace dorvane {

// One-value access to a settings file on disk, with the semantics the clock's settings rely on.
namespace IniProfile {

// Settings files larger than this are neither read nor written: a real one is a few kilobytes.
constexpr std::size_t kMaxFileBytes = 8 << 20;
// The longest value a read gives back; longer values are cut.
constexpr std::size_t kMaxValueLength = 254;

// The file parsed; an empty file when it does not exist. Fails when it exists but cannot be read
// or is too large.
Result<IniFile> Load(const std::filesystem::path& path);

// Writes the file back without ever leaving it half-written; refuses, writing nothing, when it
// would be larger than Load reads.
Status Store(const std::filesystem::path& path, const IniFile& file);

// The value as a profile read gives it: the stored value trimmed and cut to 254 characters (never
// inside a UTF-8 sequence); fallback when the key is missing. A present key with an empty value
// gives the empty text.
std::string Lookup(const IniFile& file, const std::string& section, const std::string& key, const std::string& fallback);

} // namespace IniProfile

} // namespace dorvane
