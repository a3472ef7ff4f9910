#include "clock/settings/IniProfile.h"

#include "platform/FileStore.h"

namespace dorvane {
namespace IniProfile {
namespace {

// Cut to at most maxBytes without splitting a UTF-8 sequence.
std::string_view CutAtCharacter(std::string_view text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return text;
    std::size_t end = maxBytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

} // namespace

Result<IniFile> Load(const std::filesystem::path& path)
{
    auto bytes = FileStore::Read(path, kMaxFileBytes);
    if (!bytes)
        return Result<IniFile>::Failure(bytes.error());
    return IniFile::Parse(bytes.value().value_or(std::string()));
}

Status Store(const std::filesystem::path& path, const IniFile& file)
{
    const std::string bytes = file.Serialize();
    // A file the next start would refuse to read is not written: the old one stays as it is.
    if (bytes.size() > kMaxFileBytes)
        return Status::Failure("not saving the settings: they would take " + std::to_string(bytes.size()) +
                               " bytes, more than the " + std::to_string(kMaxFileBytes) +
                               " bytes a settings file may have to be read at the next start");
    return FileStore::Replace(path, bytes);
}

std::string Lookup(const IniFile& file, const std::string& section, const std::string& key, const std::string& fallback)
{
    const std::string value = file.Find(section, key).value_or(fallback);
    return std::string(TrimBlanks(CutAtCharacter(TrimBlanks(value), kMaxValueLength)));
}

} // namespace IniProfile

} // namespace dorvane
