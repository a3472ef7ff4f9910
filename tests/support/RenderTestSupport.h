#pragma once

// Pictures and measurements shared by the drawing tests.

#include "image/c32bppDIB.h"
#include "tests/support/ImageTestSupport.h"

#include <cmath>
#include <cstdint>

namespace dorvane::testing {

// A 196 x 196 hand picture as the clock's: a bar pointing up from the centre (98, 98), width
// pixels wide and length pixels long, opaque dark grey with premultiplied edges where it covers
// part of a pixel; optionally a tail below the centre as long as the bar, which makes it
// symmetric under a half turn.
inline void PaintHand(c32bppDIB& surface, double width, double length, bool tail = false)
{
    Paint(surface, 196, 196, [&](int x, int y) -> Bgra {
        const double left = 98 - width / 2, right = 98 + width / 2;
        const double top = 98 - length, bottom = tail ? 98 + length : 98;
        const double cover = std::clamp(std::min(x + 1.0, right) - std::max(double(x), left), 0.0, 1.0) *
                             std::clamp(std::min(y + 1.0, bottom) - std::max(double(y), top), 0.0, 1.0);
        const auto alpha = std::uint8_t(std::lround(cover * 255));
        return Premultiplied(60, 60, 70, alpha);
    });
}

// Alpha-weighted centre of a surface's pixels (pixel centres at x + 0.5, y + 0.5) and the total
// alpha, in units of one opaque pixel.
struct Centroid {
    double x = 0, y = 0, coverage = 0;
};

inline Centroid AlphaCentroid(const c32bppDIB& surface)
{
    Centroid c;
    for (int y = 0; y < surface.Height(); ++y)
        for (int x = 0; x < surface.Width(); ++x) {
            const double a = StoredPixel(surface, x, y)[3] / 255.0;
            c.x += a * (x + 0.5), c.y += a * (y + 0.5), c.coverage += a;
        }
    if (c.coverage > 0)
        c.x /= c.coverage, c.y /= c.coverage;
    return c;
}

// Draws picture over the whole of a blank size x size dial, as the clock draws a hand.
inline void DrawOnDial(c32bppDIB& picture, c32bppDIB& dial, int size, float angle, int opacity = 100)
{
    dial.InitializeDIB(size, size);
    picture.Render(nullptr, 0, 0, size, size, 0, 0, 0, 0, opacity, true, true, &dial, angle, false);
}

} // namespace dorvane::testing
