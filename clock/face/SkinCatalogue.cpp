#include "clock/face/SkinCatalogue.h"

#include <algorithm>
#include <cassert>
#include <cctype>

namespace dorvane {

std::string_view SkinCatalogue::SkinAt(int position)
{
    assert(position >= 1 && position <= kCount);
    return kSkins[position - 1];
}

std::optional<int> SkinCatalogue::PositionOf(std::string_view skin)
{
    const auto found = std::ranges::find(kSkins, skin);
    if (found == kSkins.end())
        return std::nullopt;
    return static_cast<int>(found - kSkins.begin()) + 1;
}

std::vector<std::string_view> SkinCatalogue::AllDials()
{
    std::vector<std::string_view> dials(kSkins.begin(), kSkins.end());
    dials.push_back(kHiddenSkin);
    return dials;
}

bool SkinCatalogue::IsDefault(std::string_view skin)
{
    std::string lower(skin);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower == "<default>";
}

PictureResource SkinCatalogue::DialOf(std::string_view skin)
{
    if (IsDefault(skin))
        return DefaultDial();
    return {"CUSTOM", std::string(skin)};
}

} // namespace dorvane
