#include "clock/WindowOpacity.h"

#include "tests/image/ImageTestSupport.h"

#include <gtest/gtest.h>

namespace dorvane {
namespace {

// The exact bytes are the window's (see the view test); they lie within a step and a half of the
// exact product, and full strength and zero are exact.
TEST(WindowOpacity, ScalesEveryByteByAlphaOver255)
{
    for (const int alpha : {0, 1, 64, 128, 179, 254, 255}) {
        SCOPED_TRACE(alpha);
        c32bppDIB picture;
        picture.InitializeDIB(8, 8); // every byte value once
        int value = 0;
        for (std::uint8_t& byte : picture.PixelBytes())
            byte = static_cast<std::uint8_t>(value++);
        ApplyWindowOpacity(picture, static_cast<std::uint8_t>(alpha));
        value = 0;
        for (const std::uint8_t byte : picture.PixelBytes()) {
            const double exact = value++ * alpha / 255.0;
            ASSERT_LE(std::abs(byte - exact), alpha % 255 == 0 ? 0 : 1.5) << "byte " << value - 1;
        }
    }
}

TEST(WindowOpacity, KeepsPixelsPremultipliedAndAnEmptyPictureEmpty)
{
    c32bppDIB picture;
    picture.InitializeDIB(256, 1);
    for (int a = 0; a < 256; ++a) {
        const testing::Bgra pixel = testing::Premultiplied(255, 200, 17, a);
        std::copy(pixel.begin(), pixel.end(), picture.Pixels().Pixel(a, 0));
    }
    ApplyWindowOpacity(picture, 179);
    for (const auto& p : testing::AllPixels(picture))
        ASSERT_TRUE(p[0] <= p[3] && p[1] <= p[3] && p[2] <= p[3]);

    c32bppDIB empty;
    ApplyWindowOpacity(empty, 100);
    EXPECT_EQ(empty.Handle(), nullptr);
}

} // namespace
} // namespace dorvane
