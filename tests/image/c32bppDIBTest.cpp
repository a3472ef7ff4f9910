// The 32-bit surface: shape and pixels (lending them out: the Render tests); loading from bytes, files and resources
// and the source bytes it keeps; MakeTransparent, Resize, CopyImageTo and restoring from the kept bytes.

#include "image/c32bppDIB.h"
#include "resources/EmbeddedResources.h"
#include "tests/support/PictureBuilders.h"
#include "tests/support/PngBuilder.h"
#include "tests/support/RenderTestSupport.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace dorvane {
namespace {

using namespace testing;

constexpr std::int32_t kWhite = 0x00FFFFFF;
const Bgra kWhitePixel = {255, 255, 255, 255}, kClear = {0, 0, 0, 0};
const Bgra kLeft = {10, 20, 30, 255}, kRight = {200, 100, 50, 255};
const std::string kDials = std::string(DORVANE_SOURCE_DIR) + "/resources/art/dials/";

void ExpectEmpty(const c32bppDIB& surface)
{
    EXPECT_EQ(surface.BitsPointer(), nullptr);
    EXPECT_EQ(surface.Width() + surface.Height(), 0);
    EXPECT_EQ(surface.ImageType(), c32bppDIB::kNoImage);
    EXPECT_FALSE(surface.Alpha());
}

TEST(Surface, IsMadeBottomUpWithTheAbsoluteHeightOrRefusedAndLeftEmpty)
{
    c32bppDIB surface;
    ASSERT_TRUE(surface.InitializeDIB(3, -2));
    EXPECT_EQ(surface.Width(), 3);
    EXPECT_EQ(surface.Height(), 2);
    EXPECT_EQ(surface.scanWidth(), 12);
    surface.Pixels().Pixel(2, 0)[0] = 9;  // top row, last column: the last pixel in memory
    EXPECT_EQ(surface.BitsPointer()[(1 * 3 + 2) * 4], 9);
    for (auto [width, height] : {std::pair{-1, 5}, {5, 0}, {0, 5}, {50000, 50000}, {INT32_MAX, 1}, {1, INT32_MIN}}) {
        surface.InitializeDIB(3, 3);
        EXPECT_FALSE(surface.InitializeDIB(width, height)) << width << "x" << height;
        ExpectEmpty(surface);
    }
}

TEST(Surface, EraseLeavesItBlankAndTransparentAndDestroyEmptiesIt)
{
    c32bppDIB surface;
    Fill(surface, 4, 3, {1, 2, 3, 4});
    surface.SetAlpha(false);
    surface.EraseDIB();
    EXPECT_EQ(AllPixels(surface), std::vector<Bgra>(12, kClear));
    EXPECT_TRUE(surface.Alpha());
    EXPECT_EQ(surface.ImageType(), c32bppDIB::kBlank);
    surface.DestroyDIB();
    ExpectEmpty(surface);
}

TEST(Surface, GetPixelGivesTheColourUnpremultipliedAndMinusOneOutside)
{
    c32bppDIB surface, empty;
    Fill(surface, 4, 3, {7, 7, 7, 255});  // opaque neighbours, so that a read beside the picture shows
    const Bgra top[] = {{1, 2, 3, 255}, {40, 60, 80, 128}, kClear, {200, 10, 10, 100}};
    for (int x = 0; x < 4; ++x)
        std::copy(top[x].begin(), top[x].end(), surface.Pixels().Pixel(x, 0));
    const struct { int x, y; bool stored; std::int32_t colour, alpha; } cases[] = {
        {0, 0, false, 0x00010203, 255},
        {1, 0, false, 0x004F779F, 128},  // 40, 60, 80 under alpha 128: 79, 119, 159
        {1, 0, true, 0x00283C50, 128},   // the stored bytes when asked
        {2, 0, false, 0, 0},
        {3, 0, false, 0x00FF1919, 100},  // colour above alpha in memory: each channel kept a byte
        {4, 0, false, -1, 0}, {0, -1, false, -1, 0}, {-1, 0, false, -1, 0}, {0, 3, false, -1, 0}};
    for (const auto& c : cases) {
        std::int32_t alpha = -7;
        EXPECT_EQ(surface.GetPixel(c.x, c.y, alpha, c.stored), c.colour) << c.x << "," << c.y;
        EXPECT_EQ(alpha, c.alpha) << c.x << "," << c.y;
    }
    std::int32_t alpha = 99;
    EXPECT_EQ(empty.GetPixel(0, 0, alpha), -1);
}

// A 3 x 2 opaque picture but for its top-left pixel.
Bytes SmallPng(std::uint8_t red = 200)
{
    PngImage image = MakePng(3, 2, 6, 8, {});
    for (int i = 0; i < 6; ++i)
        image.samples.insert(image.samples.end(), {red, 100, 50, std::uint16_t(i == 0 ? 128 : 255)});
    return EncodePng(image);
}

TEST(SurfaceLoading, RefusesFewerThanFiftySevenBytesAndKeepsThePreviousPicture)
{
    const Bytes png = SmallPng();
    const auto size = std::int64_t(png.size());
    c32bppDIB surface;
    ASSERT_TRUE(surface.LoadPicture_Stream(png));
    EXPECT_FALSE(surface.LoadPicture_Stream(Bytes(png.begin(), png.begin() + 56)));
    EXPECT_FALSE(surface.LoadPicture_Stream({}));
    EXPECT_FALSE(surface.LoadPicture_Stream(png, size - 56));  // what is left after the start
    EXPECT_FALSE(surface.LoadPicture_Stream(png, 0, 56));
    EXPECT_FALSE(surface.LoadPicture_Stream(png, size + 5));
    EXPECT_EQ(surface.Width(), 3);
    // Fifty-seven bytes of no picture reach the loaders, which leave the surface empty.
    EXPECT_FALSE(surface.LoadPicture_Stream(Bytes(57, 'z')));
    EXPECT_EQ(surface.Handle(), nullptr);
    EXPECT_EQ(surface.ImageType(), c32bppDIB::kNoImage);
}

TEST(SurfaceLoading, HandsEachFormatToItsLoaderFromBytesOrAFile)
{
    Bytes badCrc = SmallPng();
    badCrc[badCrc.size() - 13] ^= 0xFF;  // the IDAT CRC
    const struct { const char* name; Bytes bytes; bool loads; std::int32_t imageType; } cases[] = {
        {"png", SmallPng(), true, c32bppDIB::kPng},
        {"png that cannot be decoded", badCrc, false, c32bppDIB::kNoImage},
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
        EXPECT_EQ(fromFile.SourceBytes(), c.loads ? c.bytes : Bytes{});
    }
    c32bppDIB surface;
    TempFolder::Write(folder / "short.png", std::string(56, 'x'));
    ASSERT_TRUE(surface.LoadPicture_Stream(cases[3].bytes));
    EXPECT_FALSE(surface.LoadPicture_File(folder / "missing.png"));
    EXPECT_FALSE(surface.LoadPicture_File(folder / "short.png"));
    EXPECT_FALSE(surface.LoadPicture_File(folder.path()));
    EXPECT_EQ(surface.Width(), 4);  // none of them touched the picture
}

TEST(SurfaceLoading, KeepsExactlyTheLoadedSliceOnlyWhenAsked)
{
    const Bytes png = SmallPng();
    Bytes padded(10, 0xAB), copy{1};
    padded.insert(padded.end(), png.begin(), png.end());
    c32bppDIB surface;
    ASSERT_TRUE(surface.LoadPicture_Stream(png));
    EXPECT_FALSE(surface.GetOrginalFormat(copy));
    EXPECT_TRUE(copy.empty());
    EXPECT_FALSE(surface.LoadPicture_FromOrignalFormat());
    EXPECT_EQ(surface.ImageType(), c32bppDIB::kPng);
    ASSERT_TRUE(surface.LoadPicture_Stream(padded, 10, 100000, true));  // a length past the end stops at it
    EXPECT_EQ(surface.SourceBytes(), png);
    padded.insert(padded.end(), 10, 0xCD);
    ASSERT_TRUE(surface.LoadPicture_Stream(padded, 10, std::int64_t(png.size()), true));
    EXPECT_TRUE(surface.GetOrginalFormat(copy));
    EXPECT_EQ(copy, png);
}

TEST(SurfaceLoading, LoadsResourcesByNameOrNumberWithoutRegardToCaseAndFailsWhenNoneWasLoaded)
{
    const Bytes png = SmallPng(10), numbered = SmallPng();
    EmbeddedResources host;  // holds spans: the bytes must outlive it
    host.Add("CUSTOM", "Black", png);
    host.Add("PNG", "101", numbered);
    c32bppDIB surface;
    EXPECT_TRUE(surface.LoadPicture_Resource(std::string("black"), std::string("custom"), &host, 0, 0, true));
    EXPECT_EQ(StoredPixel(surface, 1, 0), (Bgra{50, 100, 10, 255}));
    EXPECT_EQ(surface.SourceBytes(), png);
    EXPECT_TRUE(surface.LoadPicture_Resource(101, std::string("PNG"), &host));
    EXPECT_EQ(StoredPixel(surface, 1, 0), (Bgra{50, 100, 200, 255}));
    EXPECT_FALSE(surface.LoadPicture_Resource(std::string("NOPE"), std::string("PNG"), &host));
    EXPECT_FALSE(surface.LoadPicture_Resource(std::string("BACK"), 7, &host));
    EXPECT_EQ(surface.Width(), 3);  // nothing was loaded, nothing was emptied
    ASSERT_TRUE(surface.LoadPicture_Resource(std::string("sample"), std::string("png")));  // the program's own
    EXPECT_EQ(surface.ImageType(), c32bppDIB::kPng);
    EXPECT_TRUE(surface.Alpha());
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
        c32bppDIB dial;
        LoadBmp(dial, 3, kOpaqueDial);
        ASSERT_EQ(dial.ImageType(), c32bppDIB::kOpaque);
        EXPECT_TRUE(dial.MakeTransparent(c.colour));
        EXPECT_TRUE(!c.revert || dial.MakeTransparent(c.colour, true));
        std::vector<Bgra> expected = kOpaqueDial;
        if (c.column >= 0)
            expected[std::size_t(c.column)] = expected[std::size_t(c.column) + 3] = kClear;
        EXPECT_EQ(AllPixels(dial), expected) << std::hex << c.colour;
        EXPECT_EQ(dial.Alpha(), c.column >= 0) << std::hex << c.colour;
        EXPECT_EQ(dial.ImageType(), c.imageType) << std::hex << c.colour;
    }
    // Revert gives clear pixels the colour and keeps the transparency that remains.
    c32bppDIB picture, empty;
    LoadBmp(picture, 2, {kClear, {10, 10, 10, 128}});
    ASSERT_EQ(picture.ImageType(), c32bppDIB::kPremultiplied);
    ASSERT_TRUE(picture.MakeTransparent(kWhite, true));
    EXPECT_EQ(AllPixels(picture), (std::vector<Bgra>{kWhitePixel, {10, 10, 10, 128}}));
    EXPECT_TRUE(picture.Alpha());
    EXPECT_EQ(picture.ImageType(), c32bppDIB::kPremultiplied);
    EXPECT_FALSE(empty.MakeTransparent(kWhite));
    EXPECT_FALSE(empty.MakeTransparent(kWhite, true));
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
        EXPECT_EQ(picture.ImageType(), c32bppDIB::kPremultiplied);
        EXPECT_TRUE(picture.Alpha());
        EXPECT_EQ(std::any_cast<int>(picture.Tag()), 42);
        EXPECT_EQ(AllPixels(picture), std::vector<Bgra>(17 * 11, {20, 40, 60, 128})) << (imagingOn ? "imaging" : "plain");
    }
}

// A copy at the same size is byte for byte, with the kind and, when asked (see RestoreFromKeptBytes), the source
// bytes. An absent target is made like the source; one already of the new size gets the scaled copy in place of what
// it held, not laid over it; the source, even as its own target, stays as it was.
TEST(CopyImageTo, CopiesTheSameSizeExactlyAndAScaledCopyReplacesOrCreatesTheTargetAndLeavesTheSource)
{
    c32bppDIB dial, same, picture, target, empty, opaque;
    ASSERT_TRUE(dial.LoadPicture_File(kDials + "default.png", true));
    dial.CopyImageTo(same);
    EXPECT_EQ(std::tuple(AllPixels(same), same.ImageType(), same.Alpha(), same.SourceBytes().empty()),
              std::tuple(AllPixels(dial), dial.ImageType(), dial.Alpha(), true));
    Fill(opaque, 6, 6, {1, 2, 3, 255});
    opaque.SetHighQualityInterpolation(false);
    opaque.SetGdiToken(5);
    std::unique_ptr<c32bppDIB> copy, none;
    opaque.CopyImageTo(copy, 3, 3);
    ASSERT_NE(copy, nullptr);
    EXPECT_FALSE(copy->HighQualityInterpolation());
    EXPECT_EQ(copy->gdiToken(), 5u);
    EXPECT_EQ(AllPixels(*copy), std::vector<Bgra>(9, {1, 2, 3, 255}));
    empty.CopyImageTo(none);
    EXPECT_EQ(none, nullptr);

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
    c32bppDIB dial, fresh, black, hand, copied;
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
    ASSERT_TRUE(copied.LoadPicture_File(kDials + "default.png", true));
    copied.CopyImageTo(dial, 0, 0, true);
    hand.Render(nullptr, 0, 0, 130, 130, 0, 0, 0, 0, 80, true, true, &dial);
    ASSERT_TRUE(dial.LoadPicture_FromOrignalFormat());
    EXPECT_EQ(AllPixels(dial), AllPixels(fresh)) << "bytes copied in with a picture";
}

} // namespace
} // namespace dorvane
