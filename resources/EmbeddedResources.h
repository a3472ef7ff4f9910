#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dorvane {

// One file compiled into the program: its type (the folder it lies in under resources/data) and
// name (its file name without extension), as the build's generated table lists it.
struct CompiledResource {
    const char* type;
    const char* name;
    const std::uint8_t* data;
    std::size_t size;
};

// The program's own data, looked up by type and name, both without regard to case ("png"/"back"
// finds "PNG"/"BACK"). The bytes are never copied: they live as long as the program (compiled
// files) or as long as whoever added them promises.
class EmbeddedResources {
public:
    EmbeddedResources() = default;
    explicit EmbeddedResources(std::span<const CompiledResource> table);

    // The resources compiled into this program (see ResourceList.cmake): a generated table of
    // byte arrays (CompiledProgramResources.cpp), or on Windows the executable's own resources
    // (win32/ModuleResources.cpp).
    static EmbeddedResources& Program();

    // Registers bytes under (type, name), replacing an earlier entry of the same key. The bytes must
    // stay alive while this table may hand them out.
    void Add(std::string_view type, std::string_view name, std::span<const std::uint8_t> bytes);

    std::optional<std::span<const std::uint8_t>> Find(std::string_view type, std::string_view name) const;

    // The names held under type, in upper case and in alphabetical order.
    std::vector<std::string> Names(std::string_view type) const;

    // A type or name in the letter case Names gives it: upper case.
    static std::string Folded(std::string_view text);

private:
    static std::string Key(std::string_view type, std::string_view name);
    static constexpr char kSeparator = '\0';
    std::map<std::string, std::span<const std::uint8_t>> entries_;
};

} // namespace dorvane
