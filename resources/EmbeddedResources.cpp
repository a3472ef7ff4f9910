#include "resources/EmbeddedResources.h"

#include <cctype>

namespace dorvane {

EmbeddedResources::EmbeddedResources(std::span<const CompiledResource> table)
{
    for (const auto& resource : table)
        Add(resource.type, resource.name, {resource.data, resource.size});
}

void EmbeddedResources::Add(std::string_view type, std::string_view name, std::span<const std::uint8_t> bytes)
{
    entries_[Key(type, name)] = bytes;
}

std::optional<std::span<const std::uint8_t>> EmbeddedResources::Find(std::string_view type,
                                                                      std::string_view name) const
{
    auto found = entries_.find(Key(type, name));
    if (found == entries_.end())
        return std::nullopt;
    return found->second;
}

std::vector<std::string> EmbeddedResources::Names(std::string_view type) const
{
    const std::string prefix = Key(type, "");
    std::vector<std::string> names;
    for (auto entry = entries_.lower_bound(prefix); entry != entries_.end() && entry->first.starts_with(prefix); ++entry)
        names.push_back(entry->first.substr(prefix.size()));
    return names;
}

std::string EmbeddedResources::Folded(std::string_view text)
{
    std::string folded(text);
    for (char& c : folded)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return folded;
}

// Type and name joined by a character neither can hold, folded to upper case.
std::string EmbeddedResources::Key(std::string_view type, std::string_view name)
{
    return Folded(type) + kSeparator + Folded(name);
}

} // namespace dorvane
