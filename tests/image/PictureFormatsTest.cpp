#include "image/IconReader.h"
#include "image/c32bppDIB.h"
#include "image/cBMPparser.h"
#include "tests/image/ImageTestSupport.h"
#include "tests/image/PictureBuilders.h"
#include "tests/image/PngBuilder.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace dorvane {
namespace {

using testing::AllPixels;
using testing::Bgra;
using testing::Bytes;
using testing::StoredPixel;

constexpr auto Load = testing::LoadWithBmpParser;

// A 2 x 2 icon bitmap: 24-bit colour rows (bottom first) and an AND mask whose set bits mark
// transparent pixels; here the top-right pixel only.
Bytes TwoByTwoIconBitmap()
{
    Bytes dib = testing::InfoHeader(2, 4, 24, 0);
    const Bytes bottom = {1, 2, 3, 4, 5, 6, 0, 0}, top = {7, 8, 9, 10, 11, 12, 0, 0};
    dib.insert(dib.end(), bottom.begin(), bottom.end());
    dib.insert(dib.end(), top.begin(), top.end());
    const Bytes mask = {0x00, 0, 0, 0, /* top row: second pixel */ 0x40, 0, 0, 0};
    dib.insert(dib.end(), mask.begin(), mask.end());
    return dib;
}

// ---- icons and cursors ----

TEST(IconPicture, MakesTheMaskedBackgroundAllZero)
{
    c32bppDIB surface;
    ASSERT_TRUE(Load(testing::IconFile({{2, 2, TwoByTwoIconBitmap()}}), surface));
    EXPECT_EQ(AllPixels(surface),
              (std::vector<Bgra>{{7, 8, 9, 255}, {0, 0, 0, 0}, {1, 2, 3, 255}, {4, 5, 6, 255}}));
    EXPECT_TRUE(surface.Alpha());
    EXPECT_EQ(surface.ImageType(), 3);
}

TEST(IconPicture, UsesTheAlphaChannelOfAThirtyTwoBitImage)
{
    Bytes dib = testing::InfoHeader(1, 2, 32, 0);
    dib.insert(dib.end(), {200, 100, 50, 128, /* mask */ 0, 0, 0, 0});
    c32bppDIB surface;
    ASSERT_TRUE(Load(testing::IconFile({{1, 1, dib}}), surface));
    EXPECT_EQ(StoredPixel(surface, 0, 0), testing::Premultiplied(50, 100, 200, 128));
    EXPECT_TRUE(surface.Alpha());
}

TEST(IconPicture, ReadsAPngCompressedImage)
{
    testing::PngImage image;
    image.width = 2, image.height = 1, image.colorType = 6, image.bitDepth = 8;
    image.samples = {200, 100, 50, 128, 0, 0, 0, 0};
    c32bppDIB surface;
    ASSERT_TRUE(Load(testing::IconFile({{2, 1, testing::EncodePng(image)}}), surface));
    EXPECT_EQ(AllPixels(surface), (std::vector<Bgra>{{25, 50, 100, 128}, {0, 0, 0, 0}}));
    EXPECT_EQ(surface.ImageType(), 3);
}

TEST(IconPicture, PicksTheLargestImageAndSkipsOnesThatCannotBeRead)
{
    Bytes small = testing::InfoHeader(1, 2, 32, 0);
    small.insert(small.end(), {1, 1, 1, 255, 0, 0, 0, 0});
    const Bytes broken = {1, 2, 3};
    c32bppDIB surface;
    ASSERT_TRUE(Load(testing::IconFile({{1, 1, small}, {4, 4, broken}, {2, 2, TwoByTwoIconBitmap()}}), surface));
    EXPECT_EQ(surface.Width(), 2);
}

TEST(IconPicture, ReadsCursorsLikeIcons)
{
    c32bppDIB surface;
    ASSERT_TRUE(Load(testing::IconFile({{2, 2, TwoByTwoIconBitmap()}}, 2), surface));
    EXPECT_EQ(surface.ImageType(), 3);
    EXPECT_EQ(StoredPixel(surface, 1, 0), (Bgra{0, 0, 0, 0}));
}

TEST(IconPicture, RefusesADirectoryWithoutReadableImages)
{
    EXPECT_FALSE(IconReader::Read(testing::IconFile({{2, 2, Bytes(30, 7)}})));
    Bytes pointsOutside = testing::IconFile({{2, 2, TwoByTwoIconBitmap()}});
    pointsOutside[6 + 12] = 0xFF;  // the image's offset lies past the file
    EXPECT_FALSE(IconReader::Read(pointsOutside));
}

// ---- GIF and JPEG ----

TEST(GifPicture, ReadsTheFirstFrameWithItsTransparentColour)
{
    const std::vector<GifColorType> colours = {{255, 0, 0}, {0, 0, 255}, {0, 255, 0}, {0, 0, 0}};
    c32bppDIB surface;
    ASSERT_TRUE(Load(testing::GifFile(2, 2, colours, {0, 1, 2, 3}, 3), surface));
    EXPECT_EQ(AllPixels(surface),
              (std::vector<Bgra>{{0, 0, 255, 255}, {255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 0, 0}}));
    EXPECT_TRUE(surface.Alpha());
    EXPECT_EQ(surface.ImageType(), c32bppDIB::kPremultiplied);
}

TEST(GifPicture, IsAnOpaqueBitmapWithoutATransparentColour)
{
    const std::vector<GifColorType> colours = {{10, 20, 30}, {40, 50, 60}};
    c32bppDIB surface;
    ASSERT_TRUE(Load(testing::GifFile(2, 1, colours, {1, 0}), surface));
    EXPECT_EQ(AllPixels(surface), (std::vector<Bgra>{{60, 50, 40, 255}, {30, 20, 10, 255}}));
    EXPECT_FALSE(surface.Alpha());
    EXPECT_EQ(surface.ImageType(), c32bppDIB::kOpaque);
}

TEST(JpegPicture, IsAnOpaqueBitmapOfItsColours)
{
    c32bppDIB surface;
    ASSERT_TRUE(Load(testing::JpegFile(16, 8, 200, 100, 50), surface));
    EXPECT_EQ(surface.Width(), 16);
    EXPECT_EQ(surface.Height(), 8);
    EXPECT_FALSE(surface.Alpha());
    EXPECT_EQ(surface.ImageType(), c32bppDIB::kOpaque);
    for (const Bgra& pixel : AllPixels(surface)) {
        EXPECT_LE(std::abs(pixel[0] - 50), 3);
        EXPECT_LE(std::abs(pixel[1] - 100), 3);
        EXPECT_LE(std::abs(pixel[2] - 200), 3);
        EXPECT_EQ(pixel[3], 255);
    }
}

TEST(JpegPicture, RefusesAHeaderClaimingFarMorePixelsThanItsDataCanHold)
{
    Bytes jpeg = testing::JpegFile(8, 8, 1, 2, 3);
    // The frame header (FFC0) holds height and width after its length and precision.
    for (std::size_t i = 0; i + 8 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
            jpeg[i + 5] = 0xFF, jpeg[i + 6] = 0xF0, jpeg[i + 7] = 0xFF, jpeg[i + 8] = 0xF0;
            break;
        }
    }
    c32bppDIB surface;
    EXPECT_FALSE(Load(jpeg, surface));
    EXPECT_EQ(surface.Handle(), nullptr);
}

TEST(Metafile, IsNotLoaded)
{
    Bytes placeable = {0xD7, 0xCD, 0xC6, 0x9A};
    placeable.resize(200, 0);
    c32bppDIB surface;
    EXPECT_FALSE(Load(placeable, surface));
}

} // namespace
} // namespace dorvane
