#pragma once

#include "image/StdPicture.h"
#include "platform/Result.h"

#include <cstdint>
#include <span>

namespace dorvane {

// Reads baseline and progressive JPEGs with libjpeg-turbo. A picture cut short still shows what
// arrived, as browsers do; progressive files with absurd numbers of scans are refused.
namespace JpegDecoder {

bool LooksLikeJpeg(std::span<const std::uint8_t> bytes);
Result<StdPicture> Decode(std::span<const std::uint8_t> bytes);

} // namespace JpegDecoder
} // namespace dorvane
