#pragma once

#include "image/StdPicture.h"
#include "platform/Result.h"

#include <cstdint>
#include <span>

namespace dorvane {

// Reads the first frame of a GIF (with giflib) onto its logical screen. The frame's transparent
// colour, and the part of the screen the frame does not cover, come out transparent.
namespace GifDecoder {

bool LooksLikeGif(std::span<const std::uint8_t> bytes);
Result<StdPicture> Decode(std::span<const std::uint8_t> bytes);

} // namespace GifDecoder
} // namespace dorvane
