#pragma once

#include "image/c32bppDIB.h"

#include <cstdint>

namespace dorvane {

// The clock window shows its picture at one overall opacity, Alpha (0..255) of the settings:
// every premultiplied byte of every pixel is scaled by about Alpha / 255. This does the same to a
// picture, byte for byte as the window's painter does it, so that a picture made without a window
// is exactly what the window would show.
void ApplyWindowOpacity(c32bppDIB& picture, std::uint8_t alpha);

} // namespace dorvane
