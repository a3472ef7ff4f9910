#pragma once

#include "resources/EmbeddedResources.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace dorvane {

// One size of an icon. An icon resource NAME is held as square pictures of type "ICON" named
// "NAME-<pixels>", one per size, so that a window can hand all of them to the desktop and let it
// pick the size it shows.
struct IconImage {
    int pixels = 0;
    std::span<const std::uint8_t> bytes;
};

// Every size of the icon iconName (without regard to case), smallest first; empty when the
// resources hold no such icon.
std::vector<IconImage> IconImages(const EmbeddedResources& resources, std::string_view iconName);

} // namespace dorvane
