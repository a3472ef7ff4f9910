#include "clock/commands/CommandLine.h"

#include <algorithm>

namespace dorvane {

std::filesystem::path PathFromText(std::string_view utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}
namespace {

bool Knows(const std::vector<std::string_view>& names, std::string_view name)
{
    return std::ranges::find(names, name) != names.end();
}

} // namespace

Result<CommandLine> CommandLine::Parse(std::span<const std::string> words, const OptionNames& names)
{
    using Parsed = Result<CommandLine>;
    CommandLine line;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        const auto equals = word.find('=');
        const std::string name = word.substr(0, equals);
        if (Knows(names.flags, name)) {
            if (equals != std::string::npos)
                return Parsed::Failure(name + " takes no value");
            line.options_.emplace_back(name, std::string());
        } else if (Knows(names.valued, name)) {
            if (equals != std::string::npos)
                line.options_.emplace_back(name, word.substr(equals + 1));
            else if (i + 1 < words.size())
                line.options_.emplace_back(name, words[++i]);
            else
                return Parsed::Failure(name + " needs a value");
        } else if (word.starts_with("--")) {
            return Parsed::Failure("unknown option " + name);
        } else {
            line.operands_.push_back(word);
        }
    }
    return line;
}

bool CommandLine::Has(std::string_view name) const
{
    return std::ranges::any_of(options_, [&](const auto& option) { return option.first == name; });
}

std::optional<std::string> CommandLine::Value(std::string_view name) const
{
    const auto last = std::ranges::find_if(options_.rbegin(), options_.rend(),
                                           [&](const auto& option) { return option.first == name; });
    if (last == options_.rend())
        return std::nullopt;
    return last->second;
}

} // namespace dorvane
