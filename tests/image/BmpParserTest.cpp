#include "image/c32bppDIB.h"
#include "image/cBMPparser.h"
#include "tests/image/ImageTestSupport.h"
#include "tests/image/PictureBuilders.h"

#include <gtest/gtest.h>

namespace dorvane {
namespace {

using testing::AllPixels;
using testing::Bgra;
using testing::Bytes;
using testing::StoredPixel;

constexpr auto Load = testing::LoadWithBmpParser;

// ---- the direct 32-bit path ----

struct Direct32Case {
    const char* name;
    Bytes stored;  // blue, green, red, alpha as in the file
    Bgra expected;
    bool alpha;
    std::int32_t imageType;
};

TEST(BmpParser, ReadsThirtyTwoBitBitmapsThroughTheAlphaScan)
{
    const Direct32Case cases[] = {
        {"alpha bytes all 0 mean opaque", {10, 20, 30, 0}, {10, 20, 30, 255}, false, c32bppDIB::kOpaque},
        {"alpha bytes all 255", {10, 20, 30, 255}, {10, 20, 30, 255}, false, c32bppDIB::kOpaque},
        {"straight alpha is premultiplied", {200, 200, 200, 128}, {100, 100, 100, 128}, true, c32bppDIB::kStraightAlpha},
        {"premultiplied stays", {128, 100, 5, 128}, {128, 100, 5, 128}, true, c32bppDIB::kPremultiplied},
    };
    for (const auto& c : cases) {
        Bytes pixel = c.stored;
        Bytes file = testing::Bmp32(3, 2, pixel);
        // One fully opaque pixel beside, so that alpha is not uniform where the case needs it.
        if (c.alpha)
            std::copy_n(Bytes{9, 9, 9, 255}.begin(), 4, file.end() - 4);
        c32bppDIB surface;
        ASSERT_TRUE(Load(file, surface)) << c.name;
        EXPECT_EQ(StoredPixel(surface, 0, 0), c.expected) << c.name;
        EXPECT_EQ(surface.Alpha(), c.alpha) << c.name;
        EXPECT_EQ(surface.ImageType(), c.imageType) << c.name;
    }
}

TEST(BmpParser, MakesAllZeroPixelsOfStraightAlphaContentFullyZero)
{
    Bytes file = testing::Bmp32(2, 1, {50, 60, 70, 0});
    std::copy_n(Bytes{200, 200, 200, 128}.begin(), 4, file.end() - 4);
    c32bppDIB surface;
    ASSERT_TRUE(Load(file, surface));
    EXPECT_EQ(StoredPixel(surface, 0, 0), (Bgra{0, 0, 0, 0}));
    EXPECT_EQ(surface.ImageType(), c32bppDIB::kStraightAlpha);
}

TEST(BmpParser, LoadsATopDownBitmapUpright)
{
    Bytes pixels = {1, 1, 1, 255, /* first stored row = top */ 2, 2, 2, 255};
    c32bppDIB surface;
    ASSERT_TRUE(Load(testing::BmpFile(testing::InfoHeader(1, -2, 32, 0), pixels), surface));
    EXPECT_EQ(StoredPixel(surface, 0, 0), (Bgra{1, 1, 1, 255}));
    EXPECT_EQ(StoredPixel(surface, 0, 1), (Bgra{2, 2, 2, 255}));

    c32bppDIB bottomUp;
    ASSERT_TRUE(Load(testing::BmpFile(testing::InfoHeader(1, 2, 32, 0), pixels), bottomUp));
    EXPECT_EQ(StoredPixel(bottomUp, 0, 0), (Bgra{2, 2, 2, 255}));
}

TEST(BmpParser, RefusesABitmapWithoutWidthOrHeightAtOnce)
{
    for (auto [width, height] : {std::pair{0, 2}, {-3, 2}, {2, 0}}) {
        c32bppDIB surface;
        EXPECT_FALSE(Load(testing::BmpFile(testing::InfoHeader(width, height, 24, 0), Bytes(64, 0)), surface));
        EXPECT_EQ(surface.Handle(), nullptr);
    }
}

TEST(BmpParser, RefusesAThirtyTwoBitBitmapWhosePixelsAreCutShort)
{
    Bytes file = testing::Bmp32(4, 4, {1, 2, 3, 255});
    file.resize(file.size() - 1);
    c32bppDIB surface;
    EXPECT_FALSE(Load(file, surface));
    EXPECT_EQ(surface.Handle(), nullptr);
}

// ---- other depths, through the picture loader ----

TEST(BmpParser, ReadsATwentyFourBitBitmapAsOpaque)
{
    // Two rows of 1 pixel, each padded to 4 bytes; bottom row first.
    const Bytes pixels = {10, 20, 30, 0, 40, 50, 60, 0};
    c32bppDIB surface;
    ASSERT_TRUE(Load(testing::BmpFile(testing::InfoHeader(1, 2, 24, 0), pixels), surface));
    EXPECT_EQ(StoredPixel(surface, 0, 0), (Bgra{40, 50, 60, 255}));
    EXPECT_EQ(StoredPixel(surface, 0, 1), (Bgra{10, 20, 30, 255}));
    EXPECT_FALSE(surface.Alpha());
    EXPECT_EQ(surface.ImageType(), c32bppDIB::kOpaque);
}

Bytes PaletteOf(std::initializer_list<Bgra> entries)
{
    Bytes palette;
    for (const Bgra& e : entries)
        palette.insert(palette.end(), {e[0], e[1], e[2], 0});
    return palette;
}

TEST(BmpParser, ReadsPaletteBitmapsOfOneFourAndEightBits)
{
    const Bgra black = {0, 0, 0, 255}, red = {0, 0, 255, 255}, green = {0, 255, 0, 255};
    struct Case {
        std::uint16_t bits;
        Bytes row;  // one row of 3 pixels: indices 1, 0, 2 (1 bit: 1, 0, 1)
        std::vector<Bgra> expected;
    } cases[] = {
        {1, {0b10100000, 0, 0, 0}, {red, black, red}},
        {4, {0x10, 0x20, 0, 0}, {red, black, green}},
        {8, {1, 0, 2, 0}, {red, black, green}},
    };
    for (const auto& c : cases) {
        Bytes header = testing::InfoHeader(3, 1, c.bits, 0, 3);
        const Bytes palette = PaletteOf({{0, 0, 0, 0}, {0, 0, 255, 0}, {0, 255, 0, 0}});
        header.insert(header.end(), palette.begin(), palette.end());
        c32bppDIB surface;
        ASSERT_TRUE(Load(testing::BmpFile(header, c.row), surface)) << c.bits;
        EXPECT_EQ(AllPixels(surface), c.expected) << c.bits;
        EXPECT_EQ(surface.ImageType(), c32bppDIB::kOpaque);
    }
}

TEST(BmpParser, ReadsRunLengthEncodedBitmaps)
{
    Bytes header = testing::InfoHeader(4, 2, 8, 1, 2);
    const Bytes palette = PaletteOf({{0, 0, 0, 0}, {9, 8, 7, 0}});
    header.insert(header.end(), palette.begin(), palette.end());
    // Bottom row: a run of 4 of index 1; end of line; top row: literal 1, 0, 1; end of bitmap.
    const Bytes rle8 = {4, 1, 0, 0, 0, 3, 1, 0, 1, 0, 0, 1};
    c32bppDIB surface;
    ASSERT_TRUE(Load(testing::BmpFile(header, rle8), surface));
    const Bgra ink = {9, 8, 7, 255}, black = {0, 0, 0, 255};
    EXPECT_EQ(AllPixels(surface), (std::vector<Bgra>{ink, black, ink, black, ink, ink, ink, ink}));

    Bytes header4 = testing::InfoHeader(3, 1, 4, 2, 2);
    header4.insert(header4.end(), palette.begin(), palette.end());
    c32bppDIB four;
    ASSERT_TRUE(Load(testing::BmpFile(header4, {3, 0x10, 0, 1}), four));  // run of 3 alternating 1, 0, 1
    EXPECT_EQ(AllPixels(four), (std::vector<Bgra>{ink, black, ink}));
}

TEST(BmpParser, ReadsSixteenBitBitmapsWithAndWithoutMasks)
{
    c32bppDIB plain;  // 5-5-5: pure red is 0x7C00
    ASSERT_TRUE(Load(testing::BmpFile(testing::InfoHeader(1, 1, 16, 0), {0x00, 0x7C, 0, 0}), plain));
    EXPECT_EQ(StoredPixel(plain, 0, 0), (Bgra{0, 0, 255, 255}));

    Bytes header = testing::InfoHeader(1, 1, 16, 3);
    for (std::uint32_t mask : {0xF800u, 0x07E0u, 0x001Fu})
        testing::PutLe32(header, mask);
    c32bppDIB masked;  // 5-6-5: pure green is 0x07E0
    ASSERT_TRUE(Load(testing::BmpFile(header, {0xE0, 0x07, 0, 0}), masked));
    EXPECT_EQ(StoredPixel(masked, 0, 0), (Bgra{0, 255, 0, 255}));
}

TEST(BmpParser, ReadsAnOldCoreHeaderBitmap)
{
    Bytes header;
    testing::PutLe32(header, 12);
    testing::PutLe16(header, 1);
    testing::PutLe16(header, 1);
    testing::PutLe16(header, 1);
    testing::PutLe16(header, 24);
    c32bppDIB surface;
    ASSERT_TRUE(Load(testing::BmpFile(header, {5, 6, 7, 0}), surface));
    EXPECT_EQ(StoredPixel(surface, 0, 0), (Bgra{5, 6, 7, 255}));
}

TEST(BmpParser, RefusesDataThatIsNoPicture)
{
    c32bppDIB surface;
    EXPECT_FALSE(Load(Bytes(100, 'x'), surface));
    EXPECT_FALSE(Load(testing::BmpFile(testing::InfoHeader(4, 4, 24, 0), Bytes(10, 0)), surface));  // cut short
    EXPECT_FALSE(Load(testing::BmpFile(testing::InfoHeader(4, 4, 24, 7), Bytes(64, 0)), surface));  // compression 7
    EXPECT_EQ(surface.Handle(), nullptr);
}

// ---- the alpha scan on its own ----

TEST(AlphaScan, TellsOpaquePremultipliedAndStraightContentApart)
{
    struct Case {
        const char* name;
        Bytes pixels;
        std::int32_t kind;
        bool alpha;
    } cases[] = {
        {"empty", {}, c32bppDIB::kOpaque, false},
        {"all transparent with colour", {1, 2, 3, 0, 4, 5, 6, 0}, c32bppDIB::kOpaque, false},
        {"all opaque", {1, 2, 3, 255, 4, 5, 6, 255}, c32bppDIB::kOpaque, false},
        {"mixed, premultiplied", {0, 0, 0, 0, 4, 5, 6, 255, 10, 10, 10, 10}, c32bppDIB::kPremultiplied, true},
        {"colour above alpha", {0, 0, 0, 0, 40, 5, 6, 30}, c32bppDIB::kStraightAlpha, true},
        {"colour under zero alpha", {9, 0, 0, 0, 4, 5, 6, 255}, c32bppDIB::kStraightAlpha, true},
    };
    for (auto& c : cases) {
        Bytes before = c.pixels;
        bool alpha = !c.alpha;
        std::int32_t kind = 0;
        cBMPparser::AlphaScan(c.pixels, false, alpha, kind);
        EXPECT_EQ(kind, c.kind) << c.name;
        EXPECT_EQ(alpha, c.alpha) << c.name;
        EXPECT_EQ(c.pixels, before) << c.name << ": changed without being allowed to";
    }
}

TEST(AlphaScan, TreatsContentAsOpaqueWhenAskedToSkipTheExamination)
{
    Bytes pixels = {10, 10, 10, 10, 1, 2, 3, 0};
    bool alpha = true;
    std::int32_t kind = -1;
    cBMPparser::AlphaScan(pixels, true, alpha, kind);
    EXPECT_EQ(kind, c32bppDIB::kOpaque);
    EXPECT_FALSE(alpha);
    EXPECT_EQ(pixels, (Bytes{10, 10, 10, 255, 1, 2, 3, 255}));
}

} // namespace
} // namespace dorvane
