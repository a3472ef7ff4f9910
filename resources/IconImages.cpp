#include "resources/IconImages.h"

#include <algorithm>
#include <charconv>

namespace dorvane {
namespace {

constexpr std::string_view kIconType = "ICON";
constexpr int kLargestIcon = 256;

// The size in "NAME-<pixels>", or 0 when name is not a size of the icon; both names folded.
int IconSize(std::string_view name, std::string_view foldedIcon)
{
    if (!name.starts_with(foldedIcon) || name.size() <= foldedIcon.size() + 1 || name[foldedIcon.size()] != '-')
        return 0;
    const std::string_view digits = name.substr(foldedIcon.size() + 1);
    int pixels = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), pixels);
    if (error != std::errc{} || end != digits.data() + digits.size() || pixels < 1 || pixels > kLargestIcon)
        return 0;
    return pixels;
}

} // namespace

std::vector<IconImage> IconImages(const EmbeddedResources& resources, std::string_view iconName)
{
    const std::string foldedIcon = EmbeddedResources::Folded(iconName);
    std::vector<IconImage> images;
    for (const std::string& name : resources.Names(kIconType)) {
        const int pixels = IconSize(name, foldedIcon);
        if (pixels != 0)
            images.push_back({pixels, *resources.Find(kIconType, name)});
    }
    std::ranges::sort(images, {}, &IconImage::pixels);
    return images;
}

} // namespace dorvane
