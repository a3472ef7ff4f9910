#pragma once

#include "image/StdPicture.h"
#include "platform/Result.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace dorvane {

// Reads device-independent bitmaps of every depth: 1, 4 and 8 bits through a palette (8 and 4 bits
// also run-length encoded), 16 and 32 bits with or without colour masks, and 24 bits. Used for BMP
// files and for the bitmaps inside icons.
namespace BmpDecoder {

struct DibHeader {
    std::uint32_t headerSize = 0;  // 12 (OS/2 core header), 40, or a later version's size
    std::int32_t width = 0;
    std::int32_t height = 0;       // rows, always positive
    bool topDown = false;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t masks[4] = {};   // red, green, blue, alpha, for 16 and 32 bits
    std::vector<std::uint8_t> palette;  // blue, green, red, unused per entry
    std::size_t endOfHeader = 0;   // where the palette (and masks) end, from the header's start
};

// The header at the start of dib (the bytes from the info header on), with its masks and palette.
Result<DibHeader> ReadHeader(std::span<const std::uint8_t> dib);

// Stored rows of pixels are padded to a multiple of this many bytes.
inline constexpr std::uint64_t kRowAlignment = 4;

// Decodes rows image rows of pixels from bits (which begins at the first stored row) into top-down
// blue, green, red, alpha pixels: 32-bit pixels keep their alpha byte (or take the alpha mask), all
// others have alpha 255. Pixels that run-length data leaves out stay black, but the data themselves
// must reach their end-of-bitmap marker (or the last row). The picture's size is checked against the
// pixel data alone (ImageLimits::PictureAllowed) before any pixel memory is allocated.
Result<std::vector<std::uint8_t>> ReadPixels(const DibHeader& header, std::span<const std::uint8_t> bits,
                                             std::int32_t rows);

// A whole BMP file, from its "BM" signature.
Result<StdPicture> Decode(std::span<const std::uint8_t> file);

} // namespace BmpDecoder
} // namespace dorvane
