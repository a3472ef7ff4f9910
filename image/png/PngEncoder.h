#pragma once

#include "image/PixelView.h"
#include "platform/Result.h"

#include <cstdint>
#include <vector>

namespace dorvane {

// Writes premultiplied 32-bit pixels as an upright 8-bit RGBA PNG (one IDAT, no filters). Colour is
// un-premultiplied rounding up, so that the PNG decoder gives back exactly the same pixels.
namespace PngEncoder {

Result<std::vector<std::uint8_t>> Encode(const PixelView& pixels);

} // namespace PngEncoder
} // namespace dorvane
