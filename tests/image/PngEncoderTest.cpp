// SaveToPNG: an upright 8-bit RGBA PNG of the surface that our decoder, libpng and pngcheck all
// accept, and that decodes back to the same pixels.

#include "image/c32bppDIB.h"
#include "image/cGDIPlus.h"
#include "tests/image/ImageTestSupport.h"
#include "tests/platform/TempFolder.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdlib>
#include <random>

namespace dorvane {
namespace {

using namespace testing;

// Random premultiplied pixels: a quarter opaque, a quarter clear, the rest partly covered.
void PaintRandom(c32bppDIB& surface, int width, int height, unsigned seed)
{
    std::mt19937 random(seed);
    Paint(surface, width, height, [&](int, int) {
        const unsigned kind = random() % 4;
        const unsigned alpha = kind == 0 ? 255 : kind == 1 ? 0 : random() % 256;
        return Premultiplied(random() % 256, random() % 256, random() % 256, alpha);
    });
}

TEST(PngEncoder, DecodesBackToTheSamePixelsThroughOurDecoder)
{
    for (auto [width, height] : {std::pair{1, 1}, {7, 3}, {196, 196}, {300, 2}}) {
        c32bppDIB surface, decoded;
        PaintRandom(surface, width, height, unsigned(width * 1000 + height));
        Bytes png;
        ASSERT_TRUE(cGDIPlus().SaveToPNG({}, png, surface, 0));
        ASSERT_TRUE(decoded.LoadPicture_Stream(png));
        EXPECT_EQ(AllPixels(decoded), AllPixels(surface)) << width << "x" << height;
    }
    // Every premultiplied value under one alpha, and every alpha, once each.
    c32bppDIB ramps, decoded;
    Paint(ramps, 256, 2, [](int x, int y) {
        return y == 0 ? Bgra{std::uint8_t(x * 77 / 255), std::uint8_t(x * 77 / 255), std::uint8_t(x * 77 / 255), 77}
                      : Bgra{std::uint8_t(x / 2), 0, std::uint8_t(x), std::uint8_t(x)};
    });
    Bytes png;
    ASSERT_TRUE(cGDIPlus().SaveToPNG({}, png, ramps, 0));
    ASSERT_TRUE(decoded.LoadPicture_Stream(png));
    EXPECT_EQ(AllPixels(decoded), AllPixels(ramps));
}

TEST(PngEncoder, WritesAFileThatPngcheckAcceptsAndLibpngReadsUpright)
{
    TempFolder folder;
    c32bppDIB surface;
    PaintRandom(surface, 37, 23, 7);
    Bytes untouched = {1, 2, 3};
    ASSERT_TRUE(cGDIPlus().SaveToPNG(folder / "face.png", untouched, surface, 0));
    EXPECT_EQ(untouched, (Bytes{1, 2, 3}));  // writing a file leaves the byte output alone

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, (folder / "face.png").c_str()));
    EXPECT_EQ(image.format, PNG_FORMAT_RGBA) << "8-bit RGBA";
    ASSERT_EQ(image.width, 37u);
    ASSERT_EQ(image.height, 23u);
    Bytes rgba(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr));
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 37; ++x) {
            const Bgra stored = StoredPixel(surface, x, y);
            const std::uint8_t* straight = &rgba[(std::size_t(y) * 37 + std::size_t(x)) * 4];
            SCOPED_TRACE(::testing::Message() << x << "," << y);
            ASSERT_EQ(straight[3], stored[3]);
            if (stored[3] == 255) {  // opaque pixels exactly
                EXPECT_EQ(straight[0], stored[2]);
                EXPECT_EQ(straight[1], stored[1]);
                EXPECT_EQ(straight[2], stored[0]);
            } else if (stored[3] != 0) {  // others premultiply back to what is stored
                EXPECT_EQ(straight[0] * stored[3] / 255, stored[2]);
                EXPECT_EQ(straight[2] * stored[3] / 255, stored[0]);
            }
        }
    if (std::system("command -v pngcheck >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "pngcheck is not installed";
    EXPECT_EQ(std::system(("pngcheck -q '" + (folder / "face.png").string() + "' >/dev/null 2>&1").c_str()), 0);
}

TEST(PngEncoder, FailsForAnEmptySurfaceOrAnUnwritablePlace)
{
    c32bppDIB empty, surface;
    Fill(surface, 2, 2, {1, 2, 3, 255});
    Bytes png;
    EXPECT_FALSE(cGDIPlus().SaveToPNG({}, png, empty, 0));
    EXPECT_FALSE(cGDIPlus().SaveToPNG("/proc/no/such/place.png", png, surface, 0));
}

} // namespace
} // namespace dorvane
