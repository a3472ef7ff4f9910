#pragma once

// Pictures and measurements shared by the drawing tests.

#include "image/c32bppDIB.h"
#include "tests/support/ImageTestSupport.h"

#include <cmath>
#include <cstdint>
#include <utility>

namespace dorvane::testing {

// A 196 x 196 hand picture as the clock's: a bar up from the centre (98, 98), width pixels wide and length long,
// dark grey with premultiplied edges where it covers part of a pixel; optionally a tail below the centre as long
// as the bar, which makes it symmetric under a half turn.
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

// Alpha-weighted centre of a surface's pixels (pixel centres at x + 0.5, y + 0.5).
inline std::pair<double, double> AlphaCentroid(const c32bppDIB& surface)
{
    double x = 0, y = 0, total = 0;
    for (int row = 0; row < surface.Height(); ++row)
        for (int column = 0; column < surface.Width(); ++column) {
            const double a = StoredPixel(surface, column, row)[3] / 255.0;
            x += a * (column + 0.5), y += a * (row + 0.5), total += a;
        }
    return {x / total, y / total};
}

// Draws picture over the whole of a blank size x size dial, as the clock draws a hand.
inline void DrawOnDial(c32bppDIB& picture, c32bppDIB& dial, int size, float angle, int opacity = 100)
{
    dial.InitializeDIB(size, size);
    picture.Render(nullptr, 0, 0, size, size, 0, 0, 0, 0, opacity, true, true, &dial, angle, false);
}

} // namespace dorvane::testing
