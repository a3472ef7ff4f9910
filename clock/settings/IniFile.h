#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dorvane {

// A settings file in the INI layout ("[Section]" lines and "key=value" lines), read and updated
// the way the Windows profile functions do: section and key names match without regard to case,
// the first matching section and key win, values are trimmed, lines starting with ";" are
// comments, and every line that is not changed - unknown keys and sections, comments, a UTF-8 byte
// order mark, CRLF line ends - is written back as it was.
class IniFile {
public:
    static IniFile Parse(std::string_view bytes);

    // The value of key in section, trimmed of blanks; nullopt when either is missing.
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;

    // Sets key in section, replacing the first matching key line in place, or adding the key at the
    // end of the section, or adding the section at the end of the file. Line breaks in the value
    // would start new lines of the file, so each becomes a blank.
    void Set(std::string_view section, std::string_view key, std::string_view value);

    std::string Serialize() const;

private:
    struct Line {
        enum class Kind : uint8_t { Other, Section, Key };
        std::string text;
        uint32_t nameStart = 0; // the section or key name, trimmed, within text
        uint32_t nameLength = 0;
        Kind kind = Kind::Other;
        bool crlf = false; // ended by CR LF in the file read

        std::string_view Name() const { return std::string_view(text).substr(nameStart, nameLength); }
    };

    static Line Classify(std::string text);
    Line NewLine(std::string text) const;
    // Index of the first line of the first section named section, or nullopt.
    std::optional<std::size_t> FindSection(std::string_view section) const;
    // Index of the key line within the section that starts at line sectionIndex.
    std::optional<std::size_t> FindKey(std::size_t sectionIndex, std::string_view key) const;
    // Where a new key of the section starting at sectionIndex goes: after its last non-blank line.
    std::size_t EndOfSection(std::size_t sectionIndex) const;

    std::vector<Line> lines_;
    bool byteOrderMark_ = false;
    bool crlf_ = false; // the line end of new lines: the file's first one

};

// Blanks (spaces, tabs, and a carriage return left at the end of a file) removed from both ends.
std::string_view TrimBlanks(std::string_view text);

} // namespace dorvane
