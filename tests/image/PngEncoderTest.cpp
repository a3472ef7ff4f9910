// SaveToPNG: an upright 8-bit RGBA PNG of the surface that our decoder, libpng and pngcheck all
// accept, and that decodes back to the same pixels.

#include "image/c32bppDIB.h"
#include "image/cGDIPlus.h"
#include "tests/image/RenderTestSupport.h"
#include "tests/platform/TempFolder.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <random>

namespace dorvane {
namespace {

using testing::AllPixels;
using testing::Bgra;
using Bytes = std::vector<std::uint8_t>;

// Random premultiplied pixels: a quarter opaque, a quarter clear, the rest partly covered.
void PaintRandom(c32bppDIB& surface, int width, int height, unsigned seed)
{
    std::mt19937 random(seed);
    testing::Paint(surface, width, height, [&](int, int) {
        const unsigned kind = random() % 4;
        const unsigned alpha = kind == 0 ? 255 : kind == 1 ? 0 : random() % 256;
        return testing::Premultiplied(random() % 256, random() % 256, random() % 256, alpha);
    });
}

Bytes Encode(const c32bppDIB& surface)
{
    Bytes png;
    EXPECT_TRUE(cGDIPlus().SaveToPNG({}, png, surface, 0));
    return png;
}

TEST(PngEncoder, DecodesBackToTheSamePixelsThroughOurDecoder)
{
    for (auto [width, height] : {std::pair{1, 1}, {7, 3}, {130, 130}, {196, 196}, {300, 2}}) {
        c32bppDIB surface, decoded;
        PaintRandom(surface, width, height, unsigned(width * 1000 + height));
        const Bytes png = Encode(surface);
        ASSERT_TRUE(decoded.LoadPicture_Stream(png));
        EXPECT_EQ(decoded.Width(), width);
        EXPECT_EQ(decoded.Height(), height);
        EXPECT_EQ(AllPixels(decoded), AllPixels(surface)) << width << "x" << height;
    }
}

// libpng's reading: straight RGBA rows, top first.
Bytes DecodeWithLibpng(const Bytes& png, png_uint_32& width, png_uint_32& height)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, png.data(), png.size()))
        return {};
    image.format = PNG_FORMAT_RGBA;
    Bytes rgba(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr))
        return {};
    width = image.width, height = image.height;
    return rgba;
}

TEST(PngEncoder, LibpngReadsTheSamePictureUpright)
{
    c32bppDIB surface;
    PaintRandom(surface, 37, 23, 7);
    const Bytes png = Encode(surface);
    ASSERT_EQ(png[25], 6) << "colour type RGBA";
    ASSERT_EQ(png[24], 8) << "8 bits per sample";
    png_uint_32 width = 0, height = 0;
    const Bytes rgba = DecodeWithLibpng(png, width, height);
    ASSERT_EQ(width, 37u);
    ASSERT_EQ(height, 23u);
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 37; ++x) {
            const Bgra stored = testing::StoredPixel(surface, x, y);
            const std::uint8_t* straight = &rgba[(std::size_t(y) * 37 + std::size_t(x)) * 4];
            ASSERT_EQ(straight[3], stored[3]) << x << "," << y;
            if (stored[3] == 255) {  // opaque pixels exactly
                EXPECT_EQ(straight[0], stored[2]);
                EXPECT_EQ(straight[1], stored[1]);
                EXPECT_EQ(straight[2], stored[0]);
            } else if (stored[3] != 0) {  // others premultiply back to what is stored
                EXPECT_EQ(straight[0] * stored[3] / 255, stored[2]) << x << "," << y;
                EXPECT_EQ(straight[2] * stored[3] / 255, stored[0]) << x << "," << y;
            }
        }
}

TEST(PngEncoder, WritesAFilePngcheckAccepts)
{
    if (std::system("command -v pngcheck >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "pngcheck is not installed";
    testing::TempFolder folder;
    c32bppDIB surface;
    PaintRandom(surface, 130, 130, 3);
    std::vector<std::uint8_t> untouched = {1, 2, 3};
    ASSERT_TRUE(cGDIPlus().SaveToPNG(folder / "face.png", untouched, surface, 0));
    EXPECT_EQ(untouched, (std::vector<std::uint8_t>{1, 2, 3}));
    const std::string command = "pngcheck -q '" + (folder / "face.png").string() + "' >/dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0);
    c32bppDIB reloaded;
    ASSERT_TRUE(reloaded.LoadPicture_File(folder / "face.png"));
    EXPECT_EQ(AllPixels(reloaded), AllPixels(surface));
}

TEST(PngEncoder, FailsForAnEmptySurfaceOrAnUnwritablePlace)
{
    c32bppDIB empty, surface;
    testing::Fill(surface, 2, 2, {1, 2, 3, 255});
    Bytes png;
    EXPECT_FALSE(cGDIPlus().SaveToPNG({}, png, empty, 0));
    EXPECT_FALSE(cGDIPlus().SaveToPNG("/proc/no/such/place.png", png, surface, 0));
}

} // namespace
} // namespace dorvane
