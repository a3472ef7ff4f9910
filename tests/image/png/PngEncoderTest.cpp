// The PNG encoder: what it writes is exactly what libpng, our decoder and pngcheck read.

#include "image/c32bppDIB.h"
#include "image/png/PngEncoder.h"
#include "tests/support/ImageTestSupport.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdlib>
#include <random>

namespace dorvane {
namespace {

using namespace testing;

// Every premultiplied value under one alpha, every alpha, then random pixels: a quarter opaque, a quarter clear.
void PaintEncoderTestPicture(c32bppDIB& surface)
{
    std::mt19937 random(7);
    Paint(surface, 256, 6, [&](int x, int y) {
        if (y < 2)
            return y == 0 ? Premultiplied(x, x, x, 77) : Bgra{std::uint8_t(x / 2), 0, std::uint8_t(x), std::uint8_t(x)};
        const unsigned kind = random() % 4, alpha = kind == 0 ? 255 : kind == 1 ? 0 : random() % 256;
        return Premultiplied(random() % 256, random() % 256, random() % 256, alpha);
    });
}

// Straight 8-bit RGBA that libpng premultiplies back to exactly what is stored; pngcheck finds no fault.
TEST(PngEncoder, WritesPixelsThatLibpngAndOurDecoderReadBackExactly)
{
    TempFolder folder;
    c32bppDIB surface, decoded;
    PaintEncoderTestPicture(surface);
    auto png = PngEncoder::Encode(surface.Pixels());
    ASSERT_TRUE(png) << png.error();
    TempFolder::Write(folder / "face.png", std::string(png.value().begin(), png.value().end()));
    ASSERT_TRUE(decoded.LoadPicture_File(folder / "face.png"));
    EXPECT_EQ(AllPixels(decoded), AllPixels(surface));

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, (folder / "face.png").string().c_str()));
    EXPECT_EQ(image.format, PNG_FORMAT_RGBA) << "8-bit RGBA";
    ASSERT_EQ(image.width * image.height, 256u * 6);
    Bytes rgba(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr));
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 256; ++x) {
            const std::uint8_t* straight = &rgba[(std::size_t(y) * 256 + std::size_t(x)) * 4];
            ASSERT_EQ(Premultiplied(straight[0], straight[1], straight[2], straight[3]), StoredPixel(surface, x, y))
                << x << "," << y;
        }
    EXPECT_FALSE(PngEncoder::Encode(PixelView{}));
#ifndef _WIN32
    if (std::system("command -v pngcheck >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "pngcheck is not installed";
    EXPECT_EQ(std::system(("pngcheck -q '" + (folder / "face.png").string() + "' >/dev/null 2>&1").c_str()), 0);
#endif
}

} // namespace
} // namespace dorvane
