#pragma once

#include "platform/Result.h"

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dorvane {

// The options a command knows: flags stand alone ("--decay"), valued options take a value, as the
// next word ("--out FILE") or after an equals sign ("--out=FILE").
struct OptionNames {
    std::vector<std::string_view> flags;
    std::vector<std::string_view> valued;
};

// A file named on the command line: the words are UTF-8 on every system, which a path made from a
// plain string would read in the system's narrow encoding instead.
std::filesystem::path PathFromText(std::string_view utf8);

// The words of a command line, split into its options and its operands (the other words, in order).
// A word is an option when it is one of the names known, alone or followed by "=VALUE"; any other
// word starting with "--" is an unknown option. Given twice, an option's last value counts.
class CommandLine {
public:
    // Fails with "unknown option --NAME", "--NAME needs a value" or "--NAME takes no value".
    static Result<CommandLine> Parse(std::span<const std::string> words, const OptionNames& names);

    bool Has(std::string_view name) const;
    // The value of a valued option; nullopt when it was not given.
    std::optional<std::string> Value(std::string_view name) const;
    const std::vector<std::string>& Operands() const { return operands_; }

private:
    std::vector<std::pair<std::string, std::string>> options_; // name and value, in order
    std::vector<std::string> operands_;
};

} // namespace dorvane
