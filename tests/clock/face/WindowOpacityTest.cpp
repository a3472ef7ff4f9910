#include "clock/face/WindowOpacity.h"

#include "tests/support/ImageTestSupport.h"

#include <gtest/gtest.h>

namespace dorvane {
namespace {

// The exact bytes are the window's (see the view test); they lie within a step and a half of the
// exact product, full strength and zero are exact, and pixels stay premultiplied.
TEST(WindowOpacity, ScalesEveryByteByAlphaOver255KeepingPixelsPremultiplied)
{
    for (const int alpha : {0, 1, 128, 179, 254, 255}) {
        SCOPED_TRACE(alpha);
        c32bppDIB picture;
        picture.InitializeDIB(257, 1);  // blocks of four pixels and one left over
        for (int a = 0; a < 257; ++a) { // every byte value in every channel, colours up to alpha
            const std::uint8_t pixel[4] = {std::uint8_t(a * 3 / 4 % 256), std::uint8_t(a % 256), std::uint8_t(a / 3), std::uint8_t(a == 256 ? 255 : a)};
            std::copy(pixel, pixel + 4, picture.Pixels().Pixel(a, 0));
        }
        const auto before = testing::AllPixels(picture);
        ApplyWindowOpacity(picture, static_cast<std::uint8_t>(alpha));
        const auto after = testing::AllPixels(picture);
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
