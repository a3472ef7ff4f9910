#pragma once

#include "image/StdPicture.h"
#include "platform/Result.h"

#include <cstdint>
#include <span>

namespace dorvane {

// Makes a picture object of the formats a desktop picture loader reads: BMP of every depth, icons
// and cursors, GIF (first frame) and JPEG. The format is told by the data, never by a file name.
namespace PictureLoader {

Result<StdPicture> Load(std::span<const std::uint8_t> bytes);

} // namespace PictureLoader
} // namespace dorvane
