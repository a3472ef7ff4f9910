// MakeTransparent and its revert, Resize, CopyImageTo, and restoring a picture from its kept bytes.

#include "image/c32bppDIB.h"
#include "tests/support/PictureBuilders.h"
#include "tests/support/RenderTestSupport.h"

#include <gtest/gtest.h>

namespace dorvane {
namespace {

using namespace testing;

constexpr std::int32_t kWhite = 0x00FFFFFF;
const Bgra kWhitePixel = {255, 255, 255, 255}, kClear = {0, 0, 0, 0};
const Bgra kLeft = {10, 20, 30, 255}, kRight = {200, 100, 50, 255};
const std::string kDials = std::string(DORVANE_SOURCE_DIR) + "/resources/art/dials/";

// Loads a 32-bit BMP whose pixels, top row first, are stored as given, as the clock loads such a
// dial: opaque content gets ImageType 1, premultiplied content 7.
void LoadBmp(c32bppDIB& surface, int width, const std::vector<Bgra>& topFirst)
{
    Bytes pixels;
    for (auto row = topFirst.end(); row != topFirst.begin(); row -= width)
        for (auto p = row - width; p != row; ++p)
            pixels.insert(pixels.end(), p->begin(), p->end());
    const int height = int(topFirst.size()) / width;
    ASSERT_TRUE(LoadWithBmpParser(BmpFile(InfoHeader(width, height, 32, 0), pixels), surface));
}

// A 3 x 2 opaque dial: a white column, a dark one and a blue one.
const std::vector<Bgra> kOpaqueDial = {kWhitePixel, kLeft, {200, 0, 0, 255}, kWhitePixel, kLeft, {200, 0, 0, 255}};

TEST(MakeTransparent, ClearsEveryPixelOfTheColourAndMarksTransparency)
{
    // Colour 0x00BBGGRR, the column it clears (-1: none), the kind afterwards. Red 200 is absent.
    const struct { std::int32_t colour; int column; std::int32_t imageType; } cases[] = {
        {kWhite, 0, c32bppDIB::kPremultiplied}, {0x00C80000, 2, c32bppDIB::kPremultiplied}, {0x000000C8, -1, c32bppDIB::kOpaque}};
    for (const auto& c : cases) {
        c32bppDIB dial;
        LoadBmp(dial, 3, kOpaqueDial);
        ASSERT_EQ(dial.ImageType(), c32bppDIB::kOpaque);
        EXPECT_TRUE(dial.MakeTransparent(c.colour));
        std::vector<Bgra> expected = kOpaqueDial;
        if (c.column >= 0)
            expected[std::size_t(c.column)] = expected[std::size_t(c.column) + 3] = kClear;
        EXPECT_EQ(AllPixels(dial), expected) << std::hex << c.colour;
        EXPECT_EQ(dial.Alpha(), c.column >= 0) << std::hex << c.colour;
        EXPECT_EQ(dial.ImageType(), c.imageType) << std::hex << c.colour;
    }
}

TEST(MakeTransparent, RevertGivesClearPixelsTheColourAndKeepsTransparencyThatRemains)
{
    c32bppDIB dial, picture, empty;
    LoadBmp(dial, 3, kOpaqueDial);
    ASSERT_TRUE(dial.MakeTransparent(kWhite));
    ASSERT_TRUE(dial.MakeTransparent(kWhite, true));
    EXPECT_EQ(AllPixels(dial), kOpaqueDial);
    EXPECT_FALSE(dial.Alpha());
    EXPECT_EQ(dial.ImageType(), c32bppDIB::kOpaque);

    LoadBmp(picture, 2, {kClear, {10, 10, 10, 128}});
    ASSERT_EQ(picture.ImageType(), c32bppDIB::kPremultiplied);
    ASSERT_TRUE(picture.MakeTransparent(kWhite, true));
    EXPECT_EQ(AllPixels(picture), (std::vector<Bgra>{kWhitePixel, {10, 10, 10, 128}}));
    EXPECT_TRUE(picture.Alpha());
    EXPECT_EQ(picture.ImageType(), c32bppDIB::kPremultiplied);

    EXPECT_FALSE(empty.MakeTransparent(kWhite));
    EXPECT_FALSE(empty.MakeTransparent(kWhite, true));
}

TEST(Resize, ZeroOrTheSameSizeChangesNothing)
{
    for (auto [width, height] : {std::pair{0, 0}, {3, 0}, {0, 2}, {3, 2}}) {
        c32bppDIB dial;
        LoadBmp(dial, 3, kOpaqueDial);
        const std::uint8_t* memory = dial.BitsPointer();
        EXPECT_TRUE(dial.Resize(width, height));
        EXPECT_EQ(dial.BitsPointer(), memory);
        EXPECT_EQ(AllPixels(dial), kOpaqueDial);
    }
    c32bppDIB empty;
    EXPECT_FALSE(empty.Resize(3, 3));
}

// Doubling a 2 x 1 picture by nearest pixel duplicates each pixel; mirrored sizes turn it round.
// The plain resampler (imaging services off) in high quality blends the 2 x 2 pixels around each
// source point by nearness, truncating; past the last column it keeps to the last pixel.
TEST(Resize, ScalesByNearestPixelOrBlendsNeighbours)
{
    const Bgra half = {105, 60, 40, 255};
    const struct { int width, height; bool imagingOn, highQuality; std::vector<Bgra> row; } cases[] = {
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
        ASSERT_TRUE(picture.Resize(c.width, c.height));
        std::vector<Bgra> expected;
        for (int y = 0; y < std::abs(c.height); ++y)
            expected.insert(expected.end(), c.row.begin(), c.row.end());
        EXPECT_EQ(AllPixels(picture), expected);
    }
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
        EXPECT_EQ(picture.ImageType(), c32bppDIB::kPremultiplied);
        EXPECT_TRUE(picture.Alpha());
        EXPECT_EQ(std::any_cast<int>(picture.Tag()), 42);
        EXPECT_EQ(AllPixels(picture), std::vector<Bgra>(17 * 11, {20, 40, 60, 128})) << (imagingOn ? "imaging" : "plain");
    }
}

TEST(CopyImageTo, CopiesTheSameSizeByteForByteWithKindAndOptionallyTheSourceBytes)
{
    for (bool withSource : {false, true}) {
        c32bppDIB picture, copy;
        ASSERT_TRUE(picture.LoadPicture_File(kDials + "default.png", true));
        picture.CopyImageTo(copy, 0, 0, withSource);
        EXPECT_EQ(AllPixels(copy), AllPixels(picture));
        EXPECT_EQ(copy.ImageType(), picture.ImageType());
        EXPECT_EQ(copy.Alpha(), picture.Alpha());
        EXPECT_EQ(copy.SourceBytes().empty(), !withSource);
    }
}

TEST(CopyImageTo, CreatesAnAbsentTargetLikeTheSource)
{
    c32bppDIB picture, empty;
    Fill(picture, 6, 6, {1, 2, 3, 255});
    picture.SetHighQualityInterpolation(false);
    picture.SetGdiToken(5);
    std::unique_ptr<c32bppDIB> copy, none;
    picture.CopyImageTo(copy, 3, 3);
    ASSERT_NE(copy, nullptr);
    EXPECT_FALSE(copy->HighQualityInterpolation());
    EXPECT_EQ(copy->gdiToken(), 5u);
    EXPECT_EQ(AllPixels(*copy), std::vector<Bgra>(9, {1, 2, 3, 255}));
    empty.CopyImageTo(none);
    EXPECT_EQ(none, nullptr);
}

// A target already of the new size gets the scaled copy in place of what it held, not laid over it;
// the source, even as its own target, stays as it was.
TEST(CopyImageTo, AScaledCopyReplacesTheTargetsPixelsAndLeavesTheSource)
{
    c32bppDIB picture, target;
    Fill(picture, 8, 8, {0, 0, 100, 128});
    Fill(target, 4, 4, {0, 255, 0, 255});
    picture.CopyImageTo(target, 4, 4);
    EXPECT_EQ(AllPixels(target), std::vector<Bgra>(16, {0, 0, 100, 128}));
    picture.CopyImageTo(target, 5, -5);
    EXPECT_TRUE(picture.isAlphaBlendFriendly());
    picture.CopyImageTo(picture, 8, 8);
    EXPECT_EQ(AllPixels(picture), std::vector<Bgra>(64, {0, 0, 100, 128}));
    picture.CopyImageTo(picture, 4, 4);  // onto itself at another size: a resize
    EXPECT_EQ(AllPixels(picture), std::vector<Bgra>(16, {0, 0, 100, 128}));
}

TEST(RestoreFromKeptBytes, WipesWhatWasDrawnAndFollowsNewBytesButNotNewSizes)
{
    c32bppDIB dial, fresh, black, hand;
    ASSERT_TRUE(dial.LoadPicture_File(kDials + "default.png", true));
    ASSERT_TRUE(fresh.LoadPicture_File(kDials + "default.png"));
    PaintHand(hand, 6, 80);
    for (int second = 0; second < 3; ++second) {
        hand.Render(nullptr, 0, 0, 130, 130, 0, 0, 0, 0, 80, true, true, &dial, float(second * 6));
        ASSERT_NE(AllPixels(dial), AllPixels(fresh));
        ASSERT_TRUE(dial.LoadPicture_FromOrignalFormat());
        EXPECT_EQ(AllPixels(dial), AllPixels(fresh)) << "second " << second;
        EXPECT_EQ(dial.Alpha(), fresh.Alpha());
    }
    ASSERT_TRUE(dial.LoadPicture_File(kDials + "black.png", true));
    ASSERT_TRUE(black.LoadPicture_File(kDials + "black.png"));
    ASSERT_TRUE(dial.Resize(65, 65));  // keeps the bytes of the full-size dial
    ASSERT_TRUE(dial.LoadPicture_FromOrignalFormat());
    EXPECT_EQ(dial.Width(), 130);
    EXPECT_EQ(AllPixels(dial), AllPixels(black));
    EXPECT_EQ(dial.SourceBytes().size(), std::size_t(std::filesystem::file_size(kDials + "black.png")));

    c32bppDIB copied;
    ASSERT_TRUE(copied.LoadPicture_File(kDials + "default.png", true));
    copied.CopyImageTo(dial, 0, 0, true);
    hand.Render(nullptr, 0, 0, 130, 130, 0, 0, 0, 0, 80, true, true, &dial);
    ASSERT_TRUE(dial.LoadPicture_FromOrignalFormat());
    EXPECT_EQ(AllPixels(dial), AllPixels(fresh)) << "bytes copied in with a picture";
}

} // namespace
} // namespace dorvane
