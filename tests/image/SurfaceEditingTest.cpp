// MakeTransparent and its revert, Resize, CopyImageTo, and restoring a picture from its kept bytes.

#include "image/c32bppDIB.h"
#include "image/cGDIPlus.h"
#include "tests/image/PictureBuilders.h"
#include "tests/image/RenderTestSupport.h"

#include <gtest/gtest.h>

namespace dorvane {
namespace {

using testing::AllPixels;
using testing::Bgra;
using testing::Fill;
using testing::Paint;
using testing::StoredPixel;

constexpr std::int32_t kWhite = 0x00FFFFFF;
const Bgra kWhitePixel = {255, 255, 255, 255};

// Loads a 32-bit BMP of width x height whose pixel (x, y) from the top is stored as paint says, as
// the clock loads such a dial: opaque content gets ImageType 1, premultiplied content 7.
void LoadBmp(c32bppDIB& surface, int width, int height, const std::function<Bgra(int, int)>& paint)
{
    testing::Bytes pixels;
    for (int y = height - 1; y >= 0; --y)
        for (int x = 0; x < width; ++x) {
            const Bgra p = paint(x, y);
            pixels.insert(pixels.end(), p.begin(), p.end());
        }
    ASSERT_TRUE(testing::LoadWithBmpParser(testing::BmpFile(testing::InfoHeader(width, height, 32, 0), pixels), surface));
}

// A 4 x 2 opaque dial with a white column on the left and a blue one on the right.
void PaintOpaqueDial(c32bppDIB& surface)
{
    LoadBmp(surface, 4, 2, [](int x, int) { return x == 0 ? kWhitePixel : x == 3 ? Bgra{200, 0, 0, 255} : Bgra{10, 20, 30, 255}; });
    ASSERT_EQ(surface.ImageType(), c32bppDIB::kOpaque);
    ASSERT_FALSE(surface.Alpha());
}

// ---- MakeTransparent ----

TEST(MakeTransparent, ClearsEveryPixelOfTheColourAndMarksTransparency)
{
    const struct {
        std::int32_t colour;  // 0x00BBGGRR
        int cleared;
        bool alpha;
        std::int32_t imageType;
    } cases[] = {
        {kWhite, 2, true, c32bppDIB::kPremultiplied},
        {0x00C80000, 2, true, c32bppDIB::kPremultiplied},  // blue 200
        {0x000000C8, 0, false, c32bppDIB::kOpaque},         // red 200, absent: nothing changes
    };
    for (const auto& c : cases) {
        c32bppDIB dial;
        PaintOpaqueDial(dial);
        const auto before = AllPixels(dial);
        EXPECT_TRUE(dial.MakeTransparent(c.colour));
        const auto after = AllPixels(dial);
        int cleared = 0, changed = 0;
        for (std::size_t i = 0; i < after.size(); ++i) {
            changed += after[i] != before[i];
            cleared += after[i] != before[i] && after[i] == Bgra{0, 0, 0, 0};
        }
        EXPECT_EQ(cleared, c.cleared) << std::hex << c.colour;
        EXPECT_EQ(changed, c.cleared) << std::hex << c.colour;
        EXPECT_EQ(dial.Alpha(), c.alpha) << std::hex << c.colour;
        EXPECT_EQ(dial.ImageType(), c.imageType) << std::hex << c.colour;
    }
}

TEST(MakeTransparent, RevertRestoresTheOpaquePictureAndItsKind)
{
    c32bppDIB dial;
    PaintOpaqueDial(dial);
    const auto original = AllPixels(dial);
    ASSERT_TRUE(dial.MakeTransparent(kWhite));
    ASSERT_TRUE(dial.MakeTransparent(kWhite, true));
    EXPECT_EQ(AllPixels(dial), original);
    EXPECT_FALSE(dial.Alpha());
    EXPECT_EQ(dial.ImageType(), c32bppDIB::kOpaque);
}

TEST(MakeTransparent, RevertKeepsTransparencyThatRemains)
{
    c32bppDIB picture;
    LoadBmp(picture, 2, 1, [](int x, int) { return x == 0 ? Bgra{0, 0, 0, 0} : Bgra{10, 10, 10, 128}; });
    ASSERT_EQ(picture.ImageType(), c32bppDIB::kPremultiplied);
    ASSERT_TRUE(picture.MakeTransparent(kWhite, true));
    EXPECT_EQ(StoredPixel(picture, 0, 0), kWhitePixel);  // every fully transparent pixel takes the colour
    EXPECT_TRUE(picture.Alpha());
    EXPECT_EQ(picture.ImageType(), c32bppDIB::kPremultiplied);
}

TEST(MakeTransparent, FailsOnAnEmptySurface)
{
    c32bppDIB empty;
    EXPECT_FALSE(empty.MakeTransparent(kWhite));
    EXPECT_FALSE(empty.MakeTransparent(kWhite, true));
}

// ---- Resize ----

TEST(Resize, ZeroOrTheSameSizeChangesNothing)
{
    for (auto [width, height] : {std::pair{0, 0}, {4, 0}, {0, 2}, {4, 2}}) {
        c32bppDIB dial;
        PaintOpaqueDial(dial);
        const auto before = AllPixels(dial);
        const std::uint8_t* memory = dial.BitsPointer();
        EXPECT_TRUE(dial.Resize(width, height));
        EXPECT_EQ(dial.BitsPointer(), memory);
        EXPECT_EQ(AllPixels(dial), before);
    }
    c32bppDIB empty;
    EXPECT_FALSE(empty.Resize(3, 3));
}

// Doubling a 2 x 1 picture by nearest pixel duplicates each pixel; mirrored sizes turn it round.
TEST(Resize, ScalesByNearestPixelWithoutHighQuality)
{
    const Bgra left = {10, 20, 30, 255}, right = {200, 100, 50, 255};
    const struct {
        int width, height;
        std::vector<Bgra> row;
    } cases[] = {{4, 1, {left, left, right, right}}, {-4, 1, {right, right, left, left}}, {4, -2, {left, left, right, right}}};
    for (bool imagingOn : {true, false}) {
        for (const auto& c : cases) {
            c32bppDIB picture;
            Paint(picture, 2, 1, [&](int x, int) { return x == 0 ? left : right; });
            picture.SetIsGDIplusEnabled(imagingOn);
            picture.SetHighQualityInterpolation(false);
            ASSERT_TRUE(picture.Resize(c.width, c.height));
            ASSERT_EQ(picture.Width(), std::abs(c.width));
            ASSERT_EQ(picture.Height(), std::abs(c.height));
            for (int y = 0; y < picture.Height(); ++y)
                for (int x = 0; x < picture.Width(); ++x)
                    EXPECT_EQ(StoredPixel(picture, x, y), c.row[std::size_t(x)]) << c.width << " " << x << (imagingOn ? " imaging" : " plain");
        }
    }
}

TEST(Resize, HighQualityKeepsAFlatPictureFlatAndItsKindAndBytes)
{
    for (bool imagingOn : {true, false}) {
        c32bppDIB picture;
        LoadBmp(picture, 40, 30, [](int, int) { return Bgra{20, 40, 60, 128}; });
        ASSERT_EQ(picture.ImageType(), c32bppDIB::kPremultiplied);
        picture.SetIsGDIplusEnabled(imagingOn);
        picture.Tag() = 42;
        ASSERT_TRUE(picture.Resize(17, 11));
        EXPECT_EQ(picture.Width(), 17);
        EXPECT_EQ(picture.Height(), 11);
        EXPECT_EQ(picture.ImageType(), c32bppDIB::kPremultiplied);
        EXPECT_TRUE(picture.Alpha());
        EXPECT_EQ(std::any_cast<int>(picture.Tag()), 42);
        // Every pixel keeps the colour, edges and corners included.
        for (int y = 0; y < 11; ++y)
            for (int x = 0; x < 17; ++x)
                EXPECT_EQ(StoredPixel(picture, x, y), (Bgra{20, 40, 60, 128})) << x << "," << y << (imagingOn ? " imaging" : " plain");
    }
}

// The plain resampler (imaging services off) blends the 2 x 2 pixels around each source point by
// nearness, truncating; at the last column it keeps to the last pixel.
TEST(Resize, ThePlainResamplerBlendsNeighboursByNearness)
{
    c32bppDIB picture;
    Paint(picture, 2, 1, [](int x, int) { return x == 0 ? Bgra{0, 0, 0, 255} : Bgra{200, 100, 20, 255}; });
    picture.SetIsGDIplusEnabled(false);
    picture.SetHighQualityInterpolation(true);
    ASSERT_TRUE(picture.Resize(4, 1));
    // Source points 0, 0.5, 1 and 1.5 (the last pixel, as nothing lies past it).
    EXPECT_EQ(StoredPixel(picture, 0, 0), (Bgra{0, 0, 0, 255}));
    EXPECT_EQ(StoredPixel(picture, 1, 0), (Bgra{100, 50, 10, 255}));
    EXPECT_EQ(StoredPixel(picture, 2, 0), (Bgra{200, 100, 20, 255}));
    EXPECT_EQ(StoredPixel(picture, 3, 0), (Bgra{200, 100, 20, 255}));
}

// ---- CopyImageTo ----

TEST(CopyImageTo, CopiesTheSameSizeByteForByteWithKindAndOptionallyTheSourceBytes)
{
    for (bool withSource : {false, true}) {
        c32bppDIB picture, copy;
        ASSERT_TRUE(picture.LoadPicture_File(std::string(DORVANE_SOURCE_DIR) + "/resources/art/dials/default.png", true));
        picture.CopyImageTo(copy, 0, 0, withSource);
        EXPECT_EQ(AllPixels(copy), AllPixels(picture));
        EXPECT_EQ(copy.ImageType(), picture.ImageType());
        EXPECT_EQ(copy.Alpha(), picture.Alpha());
        EXPECT_EQ(copy.SourceBytes().empty(), !withSource);
    }
}

TEST(CopyImageTo, CreatesAnAbsentTargetLikeTheSource)
{
    c32bppDIB picture;
    Fill(picture, 6, 6, {1, 2, 3, 255});
    picture.SetHighQualityInterpolation(false);
    picture.SetGdiToken(5);
    std::unique_ptr<c32bppDIB> copy;
    picture.CopyImageTo(copy, 3, 3);
    ASSERT_NE(copy, nullptr);
    EXPECT_FALSE(copy->HighQualityInterpolation());
    EXPECT_EQ(copy->gdiToken(), 5u);
    EXPECT_EQ(copy->Width(), 3);
    EXPECT_EQ(StoredPixel(*copy, 1, 1), (Bgra{1, 2, 3, 255}));

    c32bppDIB empty;
    std::unique_ptr<c32bppDIB> none;
    empty.CopyImageTo(none);
    EXPECT_EQ(none, nullptr);
}

// A target already of the new size gets the scaled copy in place of what it held, not laid over it.
TEST(CopyImageTo, AScaledCopyReplacesTheTargetsPixels)
{
    c32bppDIB picture, target;
    Fill(picture, 8, 8, {0, 0, 100, 128});
    Fill(target, 4, 4, {0, 255, 0, 255});
    picture.CopyImageTo(target, 4, 4);
    EXPECT_EQ(StoredPixel(target, 2, 2), (Bgra{0, 0, 100, 128}));
    EXPECT_EQ(StoredPixel(target, 0, 0)[1], 0);
}

TEST(CopyImageTo, LeavesTheSourceAndItsBlendPrimitiveAsTheyWere)
{
    c32bppDIB picture, target;
    Fill(picture, 8, 8, {0, 0, 100, 255});
    picture.CopyImageTo(target, 5, -5);
    EXPECT_TRUE(picture.isAlphaBlendFriendly());
    EXPECT_EQ(picture.Width(), 8);
    picture.CopyImageTo(picture, 8, 8);
    EXPECT_EQ(StoredPixel(picture, 0, 0), (Bgra{0, 0, 100, 255}));
}

// ---- restoring from the kept bytes ----

TEST(RestoreFromKeptBytes, WipesWhatWasDrawnAndGivesTheDecodedPictureAgain)
{
    const std::string path = std::string(DORVANE_SOURCE_DIR) + "/resources/art/dials/default.png";
    c32bppDIB dial, fresh, hand;
    ASSERT_TRUE(dial.LoadPicture_File(path, true));
    ASSERT_TRUE(fresh.LoadPicture_File(path));
    testing::PaintHand(hand, 6, 80);
    for (int second = 0; second < 3; ++second) {
        hand.Render(nullptr, 0, 0, 130, 130, 0, 0, 0, 0, 80, true, true, &dial, float(second * 6));
        ASSERT_NE(AllPixels(dial), AllPixels(fresh));
        ASSERT_TRUE(dial.LoadPicture_FromOrignalFormat());
        EXPECT_EQ(AllPixels(dial), AllPixels(fresh)) << "second " << second;
        EXPECT_EQ(dial.ImageType(), fresh.ImageType());
        EXPECT_EQ(dial.Alpha(), fresh.Alpha());
        EXPECT_EQ(dial.SourceBytes().size(), std::size_t(std::filesystem::file_size(path)));
    }
}

TEST(RestoreFromKeptBytes, FollowsNewBytesAndNewSizes)
{
    const std::string art = std::string(DORVANE_SOURCE_DIR) + "/resources/art/";
    c32bppDIB dial, black;
    ASSERT_TRUE(dial.LoadPicture_File(art + "dials/default.png", true));
    ASSERT_TRUE(dial.LoadPicture_FromOrignalFormat());
    ASSERT_TRUE(dial.LoadPicture_File(art + "dials/black.png", true));
    ASSERT_TRUE(black.LoadPicture_File(art + "dials/black.png"));
    ASSERT_TRUE(dial.LoadPicture_FromOrignalFormat());
    EXPECT_EQ(AllPixels(dial), AllPixels(black));
    ASSERT_TRUE(dial.Resize(65, 65));  // keeps the bytes of the full-size dial
    ASSERT_TRUE(dial.LoadPicture_FromOrignalFormat());
    EXPECT_EQ(dial.Width(), 130);
    EXPECT_EQ(AllPixels(dial), AllPixels(black));
}

} // namespace
} // namespace dorvane
