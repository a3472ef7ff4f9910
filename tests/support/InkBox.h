#pragma once

#include "tests/support/ImageTestSupport.h"

#include <algorithm>

namespace dorvane::testing {

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
