#pragma once

// Small helpers shared by the image tests.

#include "image/c32bppDIB.h"
#include "image/cBMPparser.h"

#include <array>
#include <cstdint>
#include <vector>

namespace dorvane::testing {

using Bgra = std::array<std::uint8_t, 4>;  // blue, green, red, alpha as stored

// The stored bytes of the pixel at (x, y), y counted from the top.
inline Bgra StoredPixel(const c32bppDIB& surface, int x, int y)
{
    const std::uint8_t* p = surface.Pixels().Pixel(x, y);
    return {p[0], p[1], p[2], p[3]};
}

// Every pixel, top row first.
inline std::vector<Bgra> AllPixels(const c32bppDIB& surface)
{
    std::vector<Bgra> pixels;
    for (int y = 0; y < surface.Height(); ++y)
        for (int x = 0; x < surface.Width(); ++x)
            pixels.push_back(StoredPixel(surface, x, y));
    return pixels;
}

// A straight-alpha colour as the surface must store it: premultiplied, truncated.
inline Bgra Premultiplied(unsigned red, unsigned green, unsigned blue, unsigned alpha)
{
    return {static_cast<std::uint8_t>(blue * alpha / 255), static_cast<std::uint8_t>(green * alpha / 255),
            static_cast<std::uint8_t>(red * alpha / 255), static_cast<std::uint8_t>(alpha)};
}

// Loads bytes through the BMP and picture converter, as a surface load does for non-PNG data.
inline bool LoadWithBmpParser(const std::vector<std::uint8_t>& bytes, c32bppDIB& surface)
{
    return cBMPparser().LoadStream(bytes, surface, 0, static_cast<std::int64_t>(bytes.size()));
}

} // namespace dorvane::testing
