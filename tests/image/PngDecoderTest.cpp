#include "image/ImageFile.h"
#include "image/c32bppDIB.h"
#include "image/cPNGparser.h"
#include "tests/image/ImageTestSupport.h"
#include "tests/image/PngBuilder.h"
#include "tests/platform/TempFolder.h"

#include <gtest/gtest.h>

#include <random>

namespace dorvane {
namespace {

using testing::AllPixels;
using testing::Bgra;
using testing::Bytes;
using testing::Chunk;
using testing::EncodePng;
using testing::PngImage;
using testing::Premultiplied;
using testing::StoredPixel;

PngImage Uniform(std::uint32_t width, std::uint32_t height, std::uint8_t colorType, std::uint8_t depth,
                 std::vector<std::uint16_t> pixel)
{
    PngImage image;
    image.width = width, image.height = height, image.colorType = colorType, image.bitDepth = depth;
    for (std::uint32_t i = 0; i < width * height; ++i)
        image.samples.insert(image.samples.end(), pixel.begin(), pixel.end());
    return image;
}

PngImage Random(std::mt19937& random, std::uint32_t width, std::uint32_t height, std::uint8_t colorType,
                std::uint8_t depth)
{
    PngImage image;
    image.width = width, image.height = height, image.colorType = colorType, image.bitDepth = depth;
    std::uniform_int_distribution<int> sample(0, (1 << depth) - 1);
    for (std::size_t i = 0; i < std::size_t(width) * height * testing::Channels(colorType); ++i)
        image.samples.push_back(static_cast<std::uint16_t>(sample(random)));
    return image;
}

struct Decoded {
    bool answer;
    c32bppDIB surface;
};

void Decode(const Bytes& png, Decoded& out)
{
    out.answer = cPNGparser().LoadStream(png, out.surface, 0, std::int64_t(png.size()));
}

// ---- colour types and depths ----

TEST(PngDecoder, StoresAHalfTransparentPixelPremultipliedByTruncation)
{
    Decoded d;
    Decode(EncodePng(Uniform(1, 1, 6, 8, {200, 100, 50, 128})), d);
    ASSERT_TRUE(d.answer);
    ASSERT_NE(d.surface.Handle(), nullptr);
    EXPECT_EQ(StoredPixel(d.surface, 0, 0), (Bgra{25, 50, 100, 128}));
    EXPECT_TRUE(d.surface.Alpha());
    EXPECT_EQ(d.surface.ImageType(), c32bppDIB::kPng);
}

struct FormatCase {
    const char* name;
    std::uint8_t colorType, depth;
    std::vector<std::uint16_t> pixel;
    std::vector<std::uint8_t> palette;
    Bgra expected;
    bool alpha;
};

TEST(PngDecoder, DecodesEveryColourTypeAndBitDepth)
{
    const std::vector<std::uint8_t> palette = {10, 20, 30, 200, 150, 100, 1, 2, 3, 4, 5, 6};
    const FormatCase cases[] = {
        {"grey 1 black", 0, 1, {0}, {}, {0, 0, 0, 255}, false},
        {"grey 1 white", 0, 1, {1}, {}, {255, 255, 255, 255}, false},
        {"grey 2", 0, 2, {2}, {}, {170, 170, 170, 255}, false},
        {"grey 4 sample 1", 0, 4, {1}, {}, {17, 17, 17, 255}, false},
        {"grey 4 sample 15", 0, 4, {15}, {}, {255, 255, 255, 255}, false},
        {"grey 8", 0, 8, {37}, {}, {37, 37, 37, 255}, false},
        {"grey 16 uses the high byte", 0, 16, {0x12FF}, {}, {0x12, 0x12, 0x12, 255}, false},
        {"rgb 8", 2, 8, {10, 20, 30}, {}, {30, 20, 10, 255}, false},
        {"rgb 16", 2, 16, {0x10FF, 0x3001, 0x5080}, {}, {0x50, 0x30, 0x10, 255}, false},
        {"palette 1", 3, 1, {1}, palette, {100, 150, 200, 255}, false},
        {"palette 2", 3, 2, {3}, palette, {6, 5, 4, 255}, false},
        {"palette 4", 3, 4, {2}, palette, {3, 2, 1, 255}, false},
        {"palette 8", 3, 8, {0}, palette, {30, 20, 10, 255}, false},
        {"grey+alpha 8", 4, 8, {100, 51}, {}, {20, 20, 20, 51}, true},
        {"grey+alpha 16", 4, 16, {0x64AA, 0x33BB}, {}, {20, 20, 20, 51}, true},
        {"rgba 8 opaque", 6, 8, {1, 2, 3, 255}, {}, {3, 2, 1, 255}, true},
        {"rgba 8 transparent", 6, 8, {90, 80, 70, 0}, {}, {0, 0, 0, 0}, true},
        {"rgba 16", 6, 16, {0xC8FF, 0x6401, 0x3210, 0x8077}, {}, {25, 50, 100, 128}, true},
    };
    for (const auto& c : cases) {
        PngImage image = Uniform(11, 3, c.colorType, c.depth, c.pixel);
        image.palette = c.palette;
        Decoded d;
        Decode(EncodePng(image), d);
        ASSERT_NE(d.surface.Handle(), nullptr) << c.name;
        for (const Bgra& pixel : AllPixels(d.surface))
            ASSERT_EQ(pixel, c.expected) << c.name;
        EXPECT_EQ(d.surface.Alpha(), c.alpha) << c.name;
        EXPECT_EQ(d.surface.Width(), 11);
        EXPECT_EQ(d.surface.Height(), 3);
    }
}

TEST(PngDecoder, TakesPackedSamplesMostSignificantBitsFirst)
{
    PngImage image;
    image.width = 9, image.height = 2, image.colorType = 0, image.bitDepth = 2;
    image.samples = {0, 1, 2, 3, 3, 2, 1, 0, 1, /**/ 3, 3, 3, 3, 0, 0, 0, 0, 2};
    Decoded d;
    Decode(EncodePng(image), d);
    ASSERT_NE(d.surface.Handle(), nullptr);
    for (int i = 0; i < 18; ++i) {
        const std::uint8_t level = static_cast<std::uint8_t>(image.samples[i] * 85);
        EXPECT_EQ(StoredPixel(d.surface, i % 9, i / 9), (Bgra{level, level, level, 255})) << i;
    }
}

TEST(PngDecoder, StoresTheTopRowAtTheEndOfTheBottomUpMemory)
{
    PngImage image = Uniform(2, 3, 2, 8, {0, 0, 0});
    image.samples[0] = 255;  // red at the top-left pixel
    Decoded d;
    Decode(EncodePng(image), d);
    ASSERT_NE(d.surface.Handle(), nullptr);
    const std::uint8_t* topLeft = d.surface.BitsPointer() + (3 - 0 - 1) * 2 * 4;
    EXPECT_EQ(topLeft[2], 255);
    EXPECT_EQ(d.surface.BitsPointer()[2], 0);
}

// ---- filters and interlacing ----

TEST(PngDecoder, UndoesEachOfTheFiveFilters)
{
    std::mt19937 random(7);
    for (std::uint8_t colorType : {0, 2, 3, 4, 6}) {
        for (std::uint8_t depth : {1, 8, 16}) {
            if ((colorType != 0 && colorType != 3 && depth == 1) || (colorType == 3 && depth == 16))
                continue;
            PngImage image = Random(random, 13, 9, colorType, depth);
            if (colorType == 3)
                image.palette.assign(256 * 3, 7);
            Decoded reference;
            Decode(EncodePng(image), reference);
            ASSERT_NE(reference.surface.Handle(), nullptr);
            for (std::uint8_t filter = 1; filter <= 4; ++filter) {
                testing::PngOptions options;
                options.filterFor = [filter](std::size_t) { return filter; };
                Decoded d;
                Decode(EncodePng(image, options), d);
                EXPECT_EQ(AllPixels(d.surface), AllPixels(reference.surface))
                    << "colour type " << int(colorType) << " depth " << int(depth) << " filter " << int(filter);
            }
        }
    }
}

TEST(PngDecoder, UsesARowWithAnUnknownFilterTypeAsItIs)
{
    std::mt19937 random(3);
    const PngImage image = Random(random, 6, 4, 6, 8);
    testing::PngOptions options;
    options.filterFor = [](std::size_t row) { return std::uint8_t(row == 1 ? 5 : 4); };
    Decoded withFive, plain;
    Decode(EncodePng(image, options), withFive);
    Decode(EncodePng(image), plain);
    ASSERT_NE(withFive.surface.Handle(), nullptr);
    EXPECT_EQ(AllPixels(withFive.surface), AllPixels(plain.surface));
}

TEST(PngDecoder, GivesInterlacedAndPlainEncodingsIdenticalSurfaces)
{
    std::mt19937 random(11);
    const std::pair<std::uint32_t, std::uint32_t> sizes[] = {{1, 1}, {2, 3}, {5, 1}, {1, 6}, {7, 9}, {8, 8}, {33, 17}};
    for (auto [width, height] : sizes) {
        for (auto [colorType, depth] : {std::pair<int, int>{6, 8}, {0, 1}, {3, 4}, {2, 16}, {4, 8}}) {
            PngImage image = Random(random, width, height, std::uint8_t(colorType), std::uint8_t(depth));
            if (colorType == 3)
                image.palette.assign(48, 99);
            testing::PngOptions options;
            options.filterFor = [](std::size_t row) { return std::uint8_t(row % 5); };
            Decoded plain, interlaced;
            Decode(EncodePng(image, options), plain);
            image.interlaced = true;
            Decode(EncodePng(image, options), interlaced);
            ASSERT_NE(interlaced.surface.Handle(), nullptr) << width << "x" << height;
            EXPECT_EQ(AllPixels(interlaced.surface), AllPixels(plain.surface))
                << width << "x" << height << " type " << colorType;
        }
    }
}

TEST(PngDecoder, JoinsImageDataSplitOverManyChunksAndSkipsOtherChunks)
{
    std::mt19937 random(5);
    const PngImage image = Random(random, 20, 20, 6, 8);
    testing::PngOptions options;
    options.idatPieces = 7;
    options.extraChunks = true;
    Decoded split, whole;
    Decode(EncodePng(image, options), split);
    Decode(EncodePng(image), whole);
    ASSERT_NE(split.surface.Handle(), nullptr);
    EXPECT_EQ(AllPixels(split.surface), AllPixels(whole.surface));
}

// ---- transparency chunks and palettes ----

struct TransparencyCase {
    const char* name;
    std::uint8_t colorType, depth;
    std::vector<std::uint16_t> transparentPixel, opaquePixel;
    std::vector<std::uint8_t> trns;
};

TEST(PngDecoder, MakesTheTransparencyChunksColourFullyTransparent)
{
    const TransparencyCase cases[] = {
        {"grey 8", 0, 8, {64}, {65}, {0, 64}},
        {"grey 2", 0, 2, {1}, {2}, {0, 1}},
        {"grey 16 compares high bytes", 0, 16, {0x12FF}, {0x1334}, {0x12, 0x34}},
        {"rgb 8", 2, 8, {0, 255, 0}, {0, 254, 0}, {0, 0, 0, 255, 0, 0}},
        {"rgb 16 compares high bytes", 2, 16, {0x00AA, 0xFF00, 0x0001}, {0x0100, 0xFF00, 0x0000},
         {0x00, 0x00, 0xFF, 0x11, 0x00, 0x02}},
    };
    for (const auto& c : cases) {
        PngImage image = Uniform(2, 1, c.colorType, c.depth, c.transparentPixel);
        const std::size_t channels = c.opaquePixel.size();
        std::copy(c.opaquePixel.begin(), c.opaquePixel.end(), image.samples.begin() + std::ptrdiff_t(channels));
        image.trns = c.trns;
        Decoded d;
        Decode(EncodePng(image), d);
        ASSERT_NE(d.surface.Handle(), nullptr) << c.name;
        EXPECT_EQ(StoredPixel(d.surface, 0, 0), (Bgra{0, 0, 0, 0})) << c.name;
        EXPECT_EQ(StoredPixel(d.surface, 1, 0)[3], 255) << c.name;
        EXPECT_TRUE(d.surface.Alpha()) << c.name;
    }
}

TEST(PngDecoder, GivesPaletteEntriesBeyondAShortTransparencyChunkFullOpacity)
{
    PngImage image = Uniform(4, 1, 3, 8, {0});
    image.samples = {0, 1, 2, 255};
    image.palette.assign(256 * 3, 200);
    image.trns = {0, 128};
    Decoded d;
    Decode(EncodePng(image), d);
    ASSERT_NE(d.surface.Handle(), nullptr);
    EXPECT_EQ(StoredPixel(d.surface, 0, 0), (Bgra{0, 0, 0, 0}));
    EXPECT_EQ(StoredPixel(d.surface, 1, 0), Premultiplied(200, 200, 200, 128));
    EXPECT_EQ(StoredPixel(d.surface, 2, 0), (Bgra{200, 200, 200, 255}));
    EXPECT_EQ(StoredPixel(d.surface, 3, 0), (Bgra{200, 200, 200, 255}));
    EXPECT_TRUE(d.surface.Alpha());
}

TEST(PngDecoder, IgnoresATransparencyChunkWithABadCrcOrOnAnImageWithAlpha)
{
    PngImage grey = Uniform(1, 1, 0, 8, {64});
    Bytes png = testing::AssemblePng({Chunk("IHDR", testing::HeaderData(1, 1, 8, 0, false)),
                                      Chunk("tRNS", {0, 64}, false),
                                      Chunk("IDAT", testing::Deflate({0, 64})), Chunk("IEND", {})});
    Decoded d;
    Decode(png, d);
    ASSERT_NE(d.surface.Handle(), nullptr);
    EXPECT_EQ(StoredPixel(d.surface, 0, 0), (Bgra{64, 64, 64, 255}));
    EXPECT_FALSE(d.surface.Alpha());

    PngImage rgba = Uniform(1, 1, 6, 8, {1, 2, 3, 255});
    rgba.trns = {0, 1, 0, 2, 0, 3};
    Decoded withAlpha;
    Decode(EncodePng(rgba), withAlpha);
    EXPECT_EQ(StoredPixel(withAlpha.surface, 0, 0), (Bgra{3, 2, 1, 255}));
}

TEST(PngDecoder, ShowsIndicesBeyondThePaletteAsOpaqueBlack)
{
    PngImage image = Uniform(2, 1, 3, 8, {0});
    image.samples = {1, 9};
    image.palette = {10, 20, 30, 40, 50, 60};
    Decoded d;
    Decode(EncodePng(image), d);
    ASSERT_NE(d.surface.Handle(), nullptr);
    EXPECT_EQ(StoredPixel(d.surface, 0, 0), (Bgra{60, 50, 40, 255}));
    EXPECT_EQ(StoredPixel(d.surface, 1, 0), (Bgra{0, 0, 0, 255}));
    EXPECT_FALSE(d.surface.Alpha());
}

TEST(PngDecoder, MakesUpABlackAndWhitePaletteWhenAOneBitPaletteImageHasNone)
{
    PngImage image = Uniform(2, 1, 3, 1, {0});
    image.samples = {0, 1};
    Decoded d;
    Decode(EncodePng(image), d);
    ASSERT_NE(d.surface.Handle(), nullptr);
    EXPECT_EQ(StoredPixel(d.surface, 0, 0), (Bgra{0, 0, 0, 255}));
    EXPECT_EQ(StoredPixel(d.surface, 1, 0), (Bgra{255, 255, 255, 255}));
}

// ---- damaged and hostile data ----

Bytes TinyRgba(bool goodIdatCrc = true, bool goodHeaderCrc = true)
{
    return testing::AssemblePng({Chunk("IHDR", testing::HeaderData(1, 1, 8, 6, false), goodHeaderCrc),
                                 Chunk("IDAT", testing::Deflate({0, 1, 2, 3, 255}), goodIdatCrc),
                                 Chunk("IEND", {})});
}

TEST(PngDecoder, AnswersTrueButMakesNoPictureWhenACriticalCrcIsWrong)
{
    const struct {
        const char* name;
        Bytes png;
    } cases[] = {
        {"IDAT", TinyRgba(false, true)},
        {"IHDR", TinyRgba(true, false)},
        {"PLTE", testing::AssemblePng({Chunk("IHDR", testing::HeaderData(1, 1, 8, 3, false)),
                                       Chunk("PLTE", {1, 2, 3}, false), Chunk("IDAT", testing::Deflate({0, 0})),
                                       Chunk("IEND", {})})},
    };
    for (const auto& c : cases) {
        Decoded d;
        d.surface.InitializeDIB(3, 3);  // a failed decode leaves the target empty
        Decode(c.png, d);
        EXPECT_TRUE(d.answer) << c.name;
        EXPECT_EQ(d.surface.Handle(), nullptr) << c.name;
        EXPECT_EQ(d.surface.ImageType(), c32bppDIB::kNoImage) << c.name;
    }
}

TEST(PngDecoder, AcceptsImageDataWhoseStoredCrcIsZeroAndSkipsDamagedAncillaryChunks)
{
    Bytes idat = Chunk("IDAT", testing::Deflate({0, 1, 2, 3, 255}));
    std::fill(idat.end() - 4, idat.end(), 0);
    Decoded d;
    Decode(testing::AssemblePng({Chunk("IHDR", testing::HeaderData(1, 1, 8, 6, false)), Chunk("zzZz", {1}, false),
                                 idat, Chunk("IEND", {})}),
           d);
    ASSERT_NE(d.surface.Handle(), nullptr);
    EXPECT_EQ(StoredPixel(d.surface, 0, 0), (Bgra{3, 2, 1, 255}));
}

TEST(PngDecoder, AnswersFalseWithoutTheSignature)
{
    Bytes png = TinyRgba();
    png[1] = 'X';
    Decoded d;
    d.surface.InitializeDIB(2, 2);
    Decode(png, d);
    EXPECT_FALSE(d.answer);
    EXPECT_NE(d.surface.Handle(), nullptr);  // untouched: not its format
}

TEST(PngDecoder, MakesNoPictureOfTruncatedData)
{
    const Bytes whole = TinyRgba();
    for (std::size_t length = 8; length < whole.size() - 12; ++length) {  // everything short of IEND
        Decoded d;
        Decode(Bytes(whole.begin(), whole.begin() + std::ptrdiff_t(length)), d);
        EXPECT_TRUE(d.answer) << length;
        EXPECT_EQ(d.surface.Handle(), nullptr) << length;
    }
    Decoded withoutEnd;
    Decode(Bytes(whole.begin(), whole.end() - 12), withoutEnd);
    EXPECT_NE(withoutEnd.surface.Handle(), nullptr);
}

TEST(PngDecoder, RefusesImpossibleHeaders)
{
    struct HeaderCase {
        const char* name;
        Bytes header;
    };
    auto with = [](std::size_t at, std::uint8_t value) {
        Bytes header = testing::HeaderData(4, 4, 8, 6, false);
        header[at] = value;
        return header;
    };
    const HeaderCase cases[] = {
        {"width 0", testing::HeaderData(0, 4, 8, 6, false)},
        {"height 0", testing::HeaderData(4, 0, 8, 6, false)},
        {"width beyond 2^31", testing::HeaderData(0x80000001u, 4, 8, 6, false)},
        {"width x 32 x height overflows", testing::HeaderData(10000, 10000, 8, 6, false)},
        {"bit depth 3", with(8, 3)},
        {"colour type 5", with(9, 5)},
        {"compression 1", with(10, 1)},
        {"filter method 1", with(11, 1)},
        {"interlace 2", with(12, 2)},
        {"rgb at 4 bits", testing::HeaderData(4, 4, 4, 2, false)},
        {"palette at 16 bits", testing::HeaderData(4, 4, 16, 3, false)},
        {"short header", Bytes(12, 1)},
    };
    for (const auto& c : cases) {
        Decoded d;
        Decode(testing::AssemblePng({Chunk("IHDR", c.header), Chunk("IDAT", testing::Deflate(Bytes(100, 0))),
                                     Chunk("IEND", {})}),
               d);
        EXPECT_TRUE(d.answer) << c.name;
        EXPECT_EQ(d.surface.Handle(), nullptr) << c.name;
    }
}

TEST(PngDecoder, RefusesAHeaderItsCompressedDataCouldNeverFill)
{
    // 8000 x 8000 RGBA needs 256 MB inflated; a few dozen bytes of deflate cannot produce that.
    const Bytes stream = testing::Deflate(Bytes(20000, 0), 9);
    ASSERT_LT(stream.size(), 100u);
    Decoded huge;
    Decode(testing::AssemblePng({Chunk("IHDR", testing::HeaderData(8000, 8000, 8, 6, false)), Chunk("IDAT", stream),
                                 Chunk("IEND", {})}),
           huge);
    EXPECT_TRUE(huge.answer);
    EXPECT_EQ(huge.surface.Handle(), nullptr);

    // The same stream may end early in an image it could have filled: the rest stays transparent.
    Decoded small;
    Decode(testing::AssemblePng({Chunk("IHDR", testing::HeaderData(90, 90, 8, 6, false)), Chunk("IDAT", stream),
                                 Chunk("IEND", {})}),
           small);
    ASSERT_NE(small.surface.Handle(), nullptr);
    EXPECT_EQ(StoredPixel(small.surface, 89, 89), (Bgra{0, 0, 0, 0}));
}

TEST(PngDecoder, MakesNoPictureWhenTheDataInflatesBeyondTheImage)
{
    Decoded d;
    Decode(testing::AssemblePng({Chunk("IHDR", testing::HeaderData(1, 1, 8, 6, false)),
                                 Chunk("IDAT", testing::Deflate(Bytes(50, 0))), Chunk("IEND", {})}),
           d);
    EXPECT_TRUE(d.answer);
    EXPECT_EQ(d.surface.Handle(), nullptr);
}

TEST(PngDecoder, MakesNoPictureWithoutImageDataOrHeader)
{
    Decoded noData, noHeader;
    Decode(testing::AssemblePng({Chunk("IHDR", testing::HeaderData(1, 1, 8, 6, false)), Chunk("IEND", {})}), noData);
    Decode(testing::AssemblePng({Chunk("IDAT", testing::Deflate({0, 1, 2, 3, 4})), Chunk("IEND", {})}), noHeader);
    EXPECT_EQ(noData.surface.Handle(), nullptr);
    EXPECT_EQ(noHeader.surface.Handle(), nullptr);
}

// ---- sources ----

TEST(PngDecoder, ReadsASliceOfALargerArray)
{
    const Bytes png = TinyRgba();
    Bytes padded(17, 0xEE);
    padded.insert(padded.end(), png.begin(), png.end());
    padded.insert(padded.end(), 9, 0xEE);
    c32bppDIB surface;
    EXPECT_TRUE(cPNGparser().LoadStream(padded, surface, 17, std::int64_t(png.size())));
    ASSERT_NE(surface.Handle(), nullptr);
    EXPECT_EQ(StoredPixel(surface, 0, 0), (Bgra{3, 2, 1, 255}));
}

TEST(PngDecoder, ReadsAFileChunkByChunkToTheSameResult)
{
    std::mt19937 random(9);
    PngImage image = Random(random, 31, 7, 3, 4);
    image.palette.assign(16 * 3, 0);
    for (std::size_t i = 0; i < image.palette.size(); ++i)
        image.palette[i] = static_cast<std::uint8_t>(i * 5);
    image.trns = {10, 20, 30};
    testing::PngOptions options;
    options.idatPieces = 3;
    const Bytes png = EncodePng(image, options);
    testing::TempFolder folder;
    testing::TempFolder::Write(folder / "p.png", std::string(png.begin(), png.end()));
    auto file = ImageFile::Open(folder / "p.png");
    ASSERT_TRUE(file);
    c32bppDIB fromFile;
    EXPECT_TRUE(cPNGparser().LoadFile(file.value(), fromFile));
    Decoded fromMemory;
    Decode(png, fromMemory);
    ASSERT_NE(fromFile.Handle(), nullptr);
    EXPECT_EQ(AllPixels(fromFile), AllPixels(fromMemory.surface));
}

} // namespace
} // namespace dorvane
