#include "clock/face/WindowOpacity.h"
#include "image/c32bppDIB.h"
#include "tests/support/ImageTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace dorvane {
namespace {

using namespace testing;

// The exact bytes are the window's (see the view test); they lie within a step and a half of the
// exact product, full strength and zero are exact, and pixels stay premultiplied.
TEST(WindowOpacity, ScalesEveryByteByAlphaOver255KeepingPixelsPremultiplied)
{
    for (const int alpha : {0, 1, 128, 179, 254, 255}) {
        SCOPED_TRACE(alpha);
        c32bppDIB picture; // blocks of four pixels and one left over; every byte value, colours up to alpha
        Paint(picture, 257, 1, [](int a, int) {
            using B = std::uint8_t;
            return Bgra{B(a * 3 / 4 % 256), B(a % 256), B(a / 3), B(a == 256 ? 255 : a)};
        });
        const auto before = AllPixels(picture);
        ApplyWindowOpacity(picture, static_cast<std::uint8_t>(alpha));
        const auto after = AllPixels(picture);
        for (std::size_t i = 0; i < after.size(); ++i)
            for (int c = 0; c < 4; ++c) {
                ASSERT_LE(std::abs(after[i][c] - before[i][c] * alpha / 255.0), alpha % 255 == 0 ? 0 : 1.5) << i;
                ASSERT_LE(after[i][c], after[i][3]) << i;
            }
    }
    c32bppDIB empty;
    ApplyWindowOpacity(empty, 100);
    EXPECT_EQ(empty.Handle(), nullptr);
}

} // namespace
} // namespace dorvane
