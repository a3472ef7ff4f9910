#pragma once

#include "image/StdPicture.h"
#include "platform/Result.h"

#include <cstdint>
#include <span>

namespace dorvane {

// Reads icon and cursor files (.ico, .cur): a directory of images of several sizes and depths, each
// a bitmap with a one-bit transparency mask (the AND mask) or a PNG. The largest image (then the
// deepest) that can be read becomes the picture; its transparent pixels are all zero.
namespace IconReader {

// Whether bytes start like an icon or cursor directory.
bool LooksLikeIcon(std::span<const std::uint8_t> bytes);

Result<StdPicture> Read(std::span<const std::uint8_t> bytes);

} // namespace IconReader
} // namespace dorvane
