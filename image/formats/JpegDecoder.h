#pragma once

#include "image/StdPicture.h"
#include "platform/Result.h"

#include <cstdint>
#include <span>

namespace dorvane {

// Reads baseline and progressive JPEGs with libjpeg-turbo. A picture cut short (no end-of-image
// marker) or whose coded data run out before its last block is refused, never filled in grey; so are
// progressive files with absurd numbers of scans. Other damage the library only warns about (stray
// bytes between segments) is shown as decoded.
namespace JpegDecoder {

bool LooksLikeJpeg(std::span<const std::uint8_t> bytes);
Result<StdPicture> Decode(std::span<const std::uint8_t> bytes);

} // namespace JpegDecoder
} // namespace dorvane
