// EmbeddedResources::Program() on Windows: the executable's own resources, found by type and name
// with FindResourceW and read in place (a loaded module's resources live as long as it does).
#include "resources/EmbeddedResources.h"

#include <cstring>
#include <string>
#include <windows.h>

namespace dorvane {
namespace {

// A resource type or name as text: its letters, or an integer id in decimal ("101").
std::string TextOf(LPCWSTR id)
{
    if (IS_INTRESOURCE(id))
        return std::to_string(reinterpret_cast<ULONG_PTR>(id));
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, id, -1, nullptr, 0, nullptr, nullptr);
    std::string text(size > 0 ? size - 1 : 0, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, id, -1, text.data(), size, nullptr, nullptr);
    return text;
}

std::span<const std::uint8_t> BytesOf(HMODULE module, LPCWSTR type, LPCWSTR name)
{
    HRSRC found = ::FindResourceW(module, name, type);
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    if (!bytes)
        return {};
    return {static_cast<const std::uint8_t*>(bytes), ::SizeofResource(module, found)};
}

// An icon group's directory (GRPICONDIR) and its entries as the resource holds them: packed.
#pragma pack(push, 2)
struct IconGroupEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitsPerPixel;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)
constexpr std::size_t kIconGroupHeader = 3 * sizeof(WORD);

// Each size of the icon group as ("ICON", "GROUP-<pixels>"), as the table of the other systems
// holds the program icon.
void AddIconSizes(EmbeddedResources& resources, HMODULE module, LPCWSTR group)
{
    const auto directory = BytesOf(module, RT_GROUP_ICON, group);
    for (std::size_t at = kIconGroupHeader; at + sizeof(IconGroupEntry) <= directory.size(); at += sizeof(IconGroupEntry)) {
        IconGroupEntry entry;
        std::memcpy(&entry, directory.data() + at, sizeof entry);
        const int pixels = entry.width == 0 ? 256 : entry.width;
        resources.Add("ICON", TextOf(group) + "-" + std::to_string(pixels),
                      BytesOf(module, RT_ICON, MAKEINTRESOURCEW(entry.id)));
    }
}

BOOL CALLBACK AddName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR param)
{
    auto& resources = *reinterpret_cast<EmbeddedResources*>(param);
    if (type == RT_GROUP_ICON)
        AddIconSizes(resources, module, name);
    else
        resources.Add(TextOf(type), TextOf(name), BytesOf(module, type, name));
    return TRUE;
}

// The program's data are the resources of a named type, and the icon groups; the other integer
// types (the version, dialogs, a manifest) are the system's.
BOOL CALLBACK AddType(HMODULE module, LPWSTR type, LONG_PTR param)
{
    if (!IS_INTRESOURCE(type) || type == RT_GROUP_ICON)
        ::EnumResourceNamesW(module, type, AddName, param);
    return TRUE;
}

} // namespace

EmbeddedResources& EmbeddedResources::Program()
{
    static EmbeddedResources program = [] {
        EmbeddedResources resources;
        ::EnumResourceTypesW(::GetModuleHandleW(nullptr), AddType, reinterpret_cast<LONG_PTR>(&resources));
        return resources;
    }();
    return program;
}

} // namespace dorvane
