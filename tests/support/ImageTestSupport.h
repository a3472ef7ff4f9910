#pragma once

// Small helpers shared by the image tests: reading and painting the stored pixels of a surface.

#include "image/c32bppDIB.h"
#include "image/formats/cBMPparser.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace dorvane::testing {

using Bgra = std::array<std::uint8_t, 4>;  // blue, green, red, alpha as stored
using Bytes = std::vector<std::uint8_t>;

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

// A surface of width x height whose pixel (x, y) from the top is stored as paint says.
inline void Paint(c32bppDIB& surface, int width, int height, const std::function<Bgra(int, int)>& paint)
{
    surface.InitializeDIB(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Bgra bytes = paint(x, y);
            std::copy(bytes.begin(), bytes.end(), surface.Pixels().Pixel(x, y));
        }
}

// A surface of width x height whose every pixel is stored as the given bytes.
inline void Fill(c32bppDIB& surface, int width, int height, Bgra stored)
{
    Paint(surface, width, height, [stored](int, int) { return stored; });
}

// An opaque picture whose every pixel differs: blue counts columns, green rows, so any mirror shows.
inline void PaintNumbered(c32bppDIB& surface, int width, int height)
{
    Paint(surface, width, height, [](int x, int y) { return Bgra{std::uint8_t(x), std::uint8_t(y), 0, 255}; });
}

// Loads bytes through the BMP and picture converter, as a surface load does for non-PNG data.
inline bool LoadWithBmpParser(const Bytes& bytes, c32bppDIB& surface)
{
    return cBMPparser().LoadStream(bytes, surface, 0, static_cast<std::int64_t>(bytes.size()));
}

// Where the ink of a picture lies: the box around the pixels of at least minimumAlpha, and how many of them are
// only partly covered.
struct InkBox { int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1, partial = 0; };

inline InkBox InkOf(const c32bppDIB& picture, int minimumAlpha = 1)
{
    InkBox ink;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) {
            const int alpha = StoredPixel(picture, x, y)[3];
            if (alpha < minimumAlpha)
                continue;
            ink.left = std::min(ink.left, x), ink.right = std::max(ink.right, x);
            ink.top = std::min(ink.top, y), ink.bottom = std::max(ink.bottom, y), ink.partial += alpha < 255;
        }
    return ink;
}

} // namespace dorvane::testing
