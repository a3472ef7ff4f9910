// The 32-bit surface: shape and pixels (lending them out: the Render tests); loading from bytes and files and the
// source bytes it keeps; MakeTransparent, Resize, CopyImageTo and restoring from the kept bytes.

#include "image/c32bppDIB.h"
#include "tests/support/ImageTestSupport.h"
#include "tests/support/PictureBuilders.h"
#include "tests/support/PngBuilder.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace dorvane {
namespace {

using namespace testing;

constexpr std::int32_t kWhite = 0x00FFFFFF;
const Bgra kWhitePixel = {255, 255, 255, 255}, kClear = {0, 0, 0, 0};
const Bgra kLeft = {10, 20, 30, 255}, kRight = {200, 100, 50, 255};
const std::string kDials = std::string(DORVANE_SOURCE_DIR) + "/resources/art/dials/";

void ExpectEmpty(const c32bppDIB& s)
{
    EXPECT_EQ(std::tuple(s.BitsPointer() == nullptr, s.Width() + s.Height(), s.ImageType(), s.Alpha()),
              std::tuple(true, 0, c32bppDIB::kNoImage, false));
}

TEST(Surface, IsMadeBottomUpWithTheAbsoluteHeightOrRefusedAndLeftEmpty)
{
    c32bppDIB surface;
    ASSERT_TRUE(surface.InitializeDIB(3, -2));
    EXPECT_EQ(std::tuple(surface.Width(), surface.Height(), surface.scanWidth()), std::tuple(3, 2, 12));
    surface.Pixels().Pixel(2, 0)[0] = 9;  // top row, last column: the last pixel in memory
    EXPECT_EQ(surface.BitsPointer()[(1 * 3 + 2) * 4], 9);
    for (auto [width, height] : {std::pair{-1, 5}, {5, 0}, {0, 5}, {50000, 50000}, {INT32_MAX, 1}, {1, INT32_MIN}}) {
        surface.InitializeDIB(3, 3);
        EXPECT_FALSE(surface.InitializeDIB(width, height)) << width << "x" << height;
        ExpectEmpty(surface);
    }
    surface.InitializeDIB(3, 3);
    surface.DestroyDIB();
    ExpectEmpty(surface);
}

// A 3 x 2 opaque picture but for its top-left pixel, its data in chunks of 8 bytes (read from a file one by one).
Bytes SmallPng()
{
    PngImage image = MakePng(3, 2, 6, 8, {});
    for (int i = 0; i < 6; ++i)
        image.samples.insert(image.samples.end(), {200, 100, 50, std::uint16_t(i == 0 ? 128 : 255)});
    return EncodePng(image, {.idatSize = 8});
}

TEST(SurfaceLoading, HandsEachFormatToItsLoaderFromBytesOrAFile)
{
    Bytes badCrc = SmallPng();
    badCrc[badCrc.size() - 13] ^= 0xFF;  // the IDAT CRC
    const struct { const char* name; Bytes bytes; bool loads; std::int32_t imageType; } cases[] = {
        {"png", SmallPng(), true, c32bppDIB::kPng},
        {"png that cannot be decoded", badCrc, false, c32bppDIB::kNoImage},
        {"fifty-six bytes of a png", Bytes(badCrc.begin(), badCrc.begin() + 56), false, c32bppDIB::kNoImage},
        {"fifty-seven bytes of no picture, which reach the loaders", Bytes(57, 'z'), false, c32bppDIB::kNoImage},
        {"32-bit bmp", Bmp32(4, 4, {1, 2, 3, 0}), true, c32bppDIB::kOpaque},
        {"24-bit bmp", BmpFile(InfoHeader(4, 4, 24, 0), Bytes(64, 9)), true, c32bppDIB::kOpaque},
        {"jpeg", JpegFile(4, 4, 1, 2, 3), true, c32bppDIB::kOpaque},
    };
    TempFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder::Write(folder / "picture", std::string(c.bytes.begin(), c.bytes.end()));
        c32bppDIB fromBytes, fromFile;
        EXPECT_EQ(fromBytes.LoadPicture_Stream(c.bytes), c.loads);
        EXPECT_EQ(fromFile.LoadPicture_File(folder / "picture", true), c.loads);
        for (const c32bppDIB* surface : {&fromBytes, &fromFile})
            EXPECT_EQ(surface->ImageType(), c.imageType);
        EXPECT_EQ(AllPixels(fromFile), AllPixels(fromBytes));
        EXPECT_EQ(fromFile.SourceBytes(), c.loads ? c.bytes : Bytes{});
        EXPECT_FALSE(fromBytes.LoadPicture_FromOrignalFormat()) << "bytes kept though not asked for";
    }
    // Refusals before any loader leave the picture as it was.
    c32bppDIB surface;
    const auto size = std::int64_t(cases[0].bytes.size());
    ASSERT_TRUE(surface.LoadPicture_Stream(cases[5].bytes));
    EXPECT_FALSE(surface.LoadPicture_Stream(cases[0].bytes, size - 56));  // what is left after the start
    EXPECT_FALSE(surface.LoadPicture_Stream(cases[0].bytes, 0, 56));
    EXPECT_FALSE(surface.LoadPicture_Stream(cases[0].bytes, size + 5));
    EXPECT_FALSE(surface.LoadPicture_Stream({}));
    EXPECT_FALSE(surface.LoadPicture_File(folder / "missing.png"));
    EXPECT_FALSE(surface.LoadPicture_File(folder.path()));
    EXPECT_EQ(surface.Width(), 4);  // none of them touched the picture
    Bytes padded(10, 0xAB);
    padded.insert(padded.end(), cases[0].bytes.begin(), cases[0].bytes.end());
    ASSERT_TRUE(surface.LoadPicture_Stream(padded, 10, 100000, true));  // a length past the end stops at it
    EXPECT_EQ(surface.SourceBytes(), cases[0].bytes);
}

// Loads a 32-bit BMP of the given pixels, top row first, as the clock loads a dial: opaque content gets
// kOpaque, premultiplied content kPremultiplied.
void LoadBmp(c32bppDIB& surface, int width, const std::vector<Bgra>& topFirst)
{
    Bytes pixels;  // stored bottom row first
    for (std::size_t row = topFirst.size(); row > 0; row -= std::size_t(width))
        for (std::size_t i = row - std::size_t(width); i < row; ++i)
            pixels.insert(pixels.end(), topFirst[i].begin(), topFirst[i].end());
    ASSERT_TRUE(LoadWithBmpParser(BmpFile(InfoHeader(width, int(topFirst.size()) / width, 32, 0), pixels), surface));
}

// A 3 x 2 opaque dial: a white column, a dark one and a blue one.
const std::vector<Bgra> kOpaqueDial = {kWhitePixel, kLeft, {200, 0, 0, 255}, kWhitePixel, kLeft, {200, 0, 0, 255}};

TEST(MakeTransparent, ClearsEveryPixelOfTheColourAndMarksTransparencyAndRevertGivesClearPixelsTheColour)
{
    // Colour 0x00BBGGRR, reverted afterwards, the column it leaves clear (-1: none), the kind. Red 200 is absent.
    const struct { std::int32_t colour; bool revert; int column; std::int32_t imageType; } cases[] = {
        {kWhite, false, 0, c32bppDIB::kPremultiplied}, {0x00C80000, false, 2, c32bppDIB::kPremultiplied},
        {0x000000C8, false, -1, c32bppDIB::kOpaque}, {kWhite, true, -1, c32bppDIB::kOpaque}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << std::hex << c.colour << (c.revert ? ", reverted" : ""));
        c32bppDIB dial;
        LoadBmp(dial, 3, kOpaqueDial);
        ASSERT_EQ(dial.ImageType(), c32bppDIB::kOpaque);
        EXPECT_TRUE(dial.MakeTransparent(c.colour));
        EXPECT_TRUE(!c.revert || dial.MakeTransparent(c.colour, true));
        std::vector<Bgra> expected = kOpaqueDial;
        if (c.column >= 0)
            expected[std::size_t(c.column)] = expected[std::size_t(c.column) + 3] = kClear;
        EXPECT_EQ(std::tuple(AllPixels(dial), dial.Alpha(), dial.ImageType()),
                  std::tuple(expected, c.column >= 0, c.imageType));
    }
    EXPECT_FALSE(c32bppDIB().MakeTransparent(kWhite));
}

// Zero or the same size keeps the picture and its memory. Doubling a 2 x 1 picture by nearest pixel duplicates each
// pixel; mirrored sizes turn it round. The plain resampler (imaging services off) in high quality blends the 2 x 2
// pixels around each source point by nearness, truncating; past the last column it keeps to the last pixel.
TEST(Resize, KeepsZeroOrTheSameSizeAndScalesByNearestPixelOrBlendsNeighbours)
{
    const Bgra half = {105, 60, 40, 255};
    const struct { int width, height; bool imagingOn, highQuality; std::vector<Bgra> row; } cases[] = {
        {0, 0, true, true, {kLeft, kRight}}, {2, 0, true, true, {kLeft, kRight}}, {0, 1, true, true, {kLeft, kRight}},
        {2, 1, false, false, {kLeft, kRight}},
        {4, 1, true, false, {kLeft, kLeft, kRight, kRight}},  {-4, 1, true, false, {kRight, kRight, kLeft, kLeft}},
        {4, -2, true, false, {kLeft, kLeft, kRight, kRight}}, {4, 1, false, false, {kLeft, kLeft, kRight, kRight}},
        {-4, 1, false, false, {kRight, kRight, kLeft, kLeft}}, {4, -2, false, false, {kLeft, kLeft, kRight, kRight}},
        {4, 1, false, true, {kLeft, half, kRight, kRight}},  // source points 0, 0.5, 1 and 1.5
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height << (c.imagingOn ? " imaging" : " plain")
                                          << (c.highQuality ? " hq" : " nearest"));
        c32bppDIB picture;
        Paint(picture, 2, 1, [](int x, int) { return x == 0 ? kLeft : kRight; });
        picture.SetIsGDIplusEnabled(c.imagingOn);
        picture.SetHighQualityInterpolation(c.highQuality);
        const std::uint8_t* memory = picture.BitsPointer();
        ASSERT_TRUE(picture.Resize(c.width, c.height));
        EXPECT_TRUE(c.row.size() != 2 || picture.BitsPointer() == memory) << "a size that is kept keeps the memory";
        std::vector<Bgra> expected;
        for (int y = 0; y < std::max(1, std::abs(c.height)); ++y)
            expected.insert(expected.end(), c.row.begin(), c.row.end());
        EXPECT_EQ(AllPixels(picture), expected);
    }
    EXPECT_FALSE(c32bppDIB().Resize(3, 3));
}

TEST(Resize, HighQualityKeepsAFlatPictureFlatToItsEdgesWithItsKindAndTag)
{
    for (bool imagingOn : {true, false}) {
        c32bppDIB picture;
        LoadBmp(picture, 40, std::vector<Bgra>(40 * 30, {20, 40, 60, 128}));
        ASSERT_EQ(picture.ImageType(), c32bppDIB::kPremultiplied);
        picture.SetIsGDIplusEnabled(imagingOn);
        picture.Tag() = 42;
        ASSERT_TRUE(picture.Resize(17, 11));
        EXPECT_EQ(std::tuple(picture.ImageType(), picture.Alpha(), std::any_cast<int>(picture.Tag())),
                  std::tuple(c32bppDIB::kPremultiplied, true, 42));
        EXPECT_EQ(AllPixels(picture), std::vector<Bgra>(17 * 11, {20, 40, 60, 128})) << (imagingOn ? "imaging" : "plain");
    }
}

// A copy at the same size is byte for byte, with the kind but not the source bytes. A target already of the new size
// gets the scaled copy in place of what it held, not laid over it; the source, even as its own target, stays as it was.
TEST(CopyImageTo, CopiesTheSameSizeExactlyAndAScaledCopyReplacesTheTargetAndLeavesTheSource)
{
    c32bppDIB dial, same, picture, target;
    ASSERT_TRUE(dial.LoadPicture_File(kDials + "default.png", true));
    dial.CopyImageTo(same);
    EXPECT_EQ(std::tuple(AllPixels(same), same.ImageType(), same.Alpha(), same.SourceBytes().empty()),
              std::tuple(AllPixels(dial), dial.ImageType(), dial.Alpha(), true));
    Fill(picture, 8, 8, {0, 0, 100, 128});
    Fill(target, 4, 4, {0, 255, 0, 255});
    picture.CopyImageTo(target, 4, 4);
    EXPECT_EQ(AllPixels(target), std::vector<Bgra>(16, {0, 0, 100, 128}));
    picture.CopyImageTo(picture, 8, 8);
    EXPECT_EQ(AllPixels(picture), std::vector<Bgra>(64, {0, 0, 100, 128}));
    picture.CopyImageTo(picture, 4, 4);  // onto itself at another size: a resize
    EXPECT_EQ(AllPixels(picture), std::vector<Bgra>(16, {0, 0, 100, 128}));
}

// The clock wipes a dial it drew on by loading it again from the bytes it kept: a resize keeps the full-size bytes.
TEST(RestoreFromKeptBytes, WipesWhatWasDrawnAndKeepsTheFullSizeBytesThroughAResize)
{
    c32bppDIB dial, fresh, hand;
    ASSERT_TRUE(dial.LoadPicture_File(kDials + "black.png", true));
    ASSERT_TRUE(fresh.LoadPicture_File(kDials + "black.png"));
    ASSERT_TRUE(hand.LoadPicture_File(kDials + "../hands/minute.png"));
    hand.Render(nullptr, 0, 0, 130, 130, 0, 0, 0, 0, 80, true, true, &dial, 6);
    ASSERT_TRUE(dial.Resize(65, 65));
    ASSERT_NE(AllPixels(dial), AllPixels(fresh));
    ASSERT_TRUE(dial.LoadPicture_FromOrignalFormat());
    EXPECT_EQ(std::tuple(dial.Width(), AllPixels(dial), dial.Alpha()), std::tuple(130, AllPixels(fresh), fresh.Alpha()));
}

} // namespace
} // namespace dorvane
