#pragma once

#include <cstdint>
#include <vector>

namespace dorvane {

// A picture as the picture loader hands it over: either a bitmap, with the bit depth it was stored
// in, or an icon (or cursor), which brings its own transparency. The pixels are rows of blue, green,
// red and alpha bytes, TOP row first:
// - a bitmap of 32 bits keeps the alpha bytes it was stored with (they may mean nothing);
// - a bitmap of fewer bits has alpha 255, except 0 where the format marks a pixel transparent
//   (a GIF's transparent colour, the part of a GIF screen no frame covers);
// - an icon is premultiplied, as it would look drawn onto a transparent surface.
struct StdPicture {
    // Picture type codes; they become the surface's ImageType for pictures that are not bitmaps.
    static constexpr std::int32_t kBitmap = 1;
    static constexpr std::int32_t kIcon = 3;

    std::int32_t Type = kBitmap;
    std::int32_t width = 0;
    std::int32_t height = 0;
    int bitCount = 0;
    std::vector<std::uint8_t> pixels;
};

} // namespace dorvane
