#include "clock/settings/IniFile.h"

#include <algorithm>
#include <cctype>

namespace dorvane {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool SameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string WithoutLineBreaks(std::string_view value)
{
    std::string clean(value);
    std::replace_if(clean.begin(), clean.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    return clean;
}

} // namespace

std::string_view TrimBlanks(std::string_view text)
{
    const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

IniFile::Line IniFile::Classify(std::string text)
{
    Line line;
    line.text = std::move(text);
    const std::string_view whole = line.text;
    const std::string_view body = TrimBlanks(whole);
    std::string_view name;
    if (body.starts_with('[')) {
        line.kind = Line::Kind::Section;
        name = TrimBlanks(body.substr(1, body.find(']') == std::string_view::npos ? std::string_view::npos : body.find(']') - 1));
    } else if (!body.empty() && body.front() != ';' && body.find('=') != std::string_view::npos) {
        line.kind = Line::Kind::Key;
        name = TrimBlanks(body.substr(0, body.find('=')));
    }
    line.nameStart = static_cast<uint32_t>(name.empty() ? 0 : name.data() - whole.data());
    line.nameLength = static_cast<uint32_t>(name.size());
    return line;
}

IniFile IniFile::Parse(std::string_view bytes)
{
    IniFile file;
    if (bytes.starts_with(kByteOrderMark)) {
        file.byteOrderMark_ = true;
        bytes.remove_prefix(kByteOrderMark.size());
    }
    while (!bytes.empty()) {
        const auto end = bytes.find('\n');
        std::string_view text = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        const bool crlf = end != std::string_view::npos && text.ends_with('\r');
        if (crlf)
            text.remove_suffix(1);
        file.lines_.push_back(Classify(std::string(text)));
        file.lines_.back().crlf = crlf;
    }
    file.crlf_ = !file.lines_.empty() && file.lines_.front().crlf;
    return file;
}

std::optional<std::size_t> IniFile::FindSection(std::string_view section) const
{
    const std::string_view wanted = TrimBlanks(section);
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].kind == Line::Kind::Section && SameName(lines_[i].Name(), wanted))
            return i;
    return std::nullopt;
}

std::optional<std::size_t> IniFile::FindKey(std::size_t sectionIndex, std::string_view key) const
{
    const std::string_view wanted = TrimBlanks(key);
    for (std::size_t i = sectionIndex + 1; i < lines_.size() && lines_[i].kind != Line::Kind::Section; ++i)
        if (lines_[i].kind == Line::Kind::Key && SameName(lines_[i].Name(), wanted))
            return i;
    return std::nullopt;
}

std::size_t IniFile::EndOfSection(std::size_t sectionIndex) const
{
    std::size_t end = sectionIndex + 1;
    for (std::size_t i = sectionIndex + 1; i < lines_.size() && lines_[i].kind != Line::Kind::Section; ++i)
        if (!TrimBlanks(lines_[i].text).empty())
            end = i + 1;
    return end;
}

std::optional<std::string> IniFile::Find(std::string_view section, std::string_view key) const
{
    auto sectionIndex = FindSection(section);
    if (!sectionIndex)
        return std::nullopt;
    auto keyIndex = FindKey(*sectionIndex, key);
    if (!keyIndex)
        return std::nullopt;
    std::string_view text = lines_[*keyIndex].text;
    return std::string(TrimBlanks(text.substr(text.find('=') + 1)));
}

IniFile::Line IniFile::NewLine(std::string text) const
{
    Line line = Classify(std::move(text));
    line.crlf = crlf_;
    return line;
}

void IniFile::Set(std::string_view section, std::string_view key, std::string_view value)
{
    Line line = NewLine(std::string(TrimBlanks(key)) + "=" + WithoutLineBreaks(value));
    auto sectionIndex = FindSection(section);
    if (!sectionIndex) {
        if (!lines_.empty() && !TrimBlanks(lines_.back().text).empty())
            lines_.push_back(NewLine(""));
        lines_.push_back(NewLine("[" + std::string(TrimBlanks(section)) + "]"));
        lines_.push_back(std::move(line));
        return;
    }
    if (auto keyIndex = FindKey(*sectionIndex, key)) {
        lines_[*keyIndex] = std::move(line);
        return;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(EndOfSection(*sectionIndex)), std::move(line));
}

std::string IniFile::Serialize() const
{
    std::string out;
    if (byteOrderMark_)
        out += kByteOrderMark;
    for (const Line& line : lines_) {
        out += line.text;
        out += line.crlf ? "\r\n" : "\n";
    }
    return out;
}

} // namespace dorvane
