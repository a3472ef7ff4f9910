#pragma once

#include "image/c32bppDIB.h"

#include <cstdint>
#include <span>

namespace dorvane {

// The clock window shows its picture at one overall opacity, Alpha (0..255) of the settings:
// every premultiplied byte of every pixel is scaled by about Alpha / 255. This does the same to a
// picture; the window itself fades its picture with it, so that a picture made without a window
// is exactly what the window shows. The arithmetic is that of Qt's painter at an opacity.
void ApplyWindowOpacity(c32bppDIB& picture, std::uint8_t alpha);
// The same for the bytes of premultiplied pixels.
void ApplyWindowOpacity(std::span<std::uint8_t> premultiplied, std::uint8_t alpha);

} // namespace dorvane
