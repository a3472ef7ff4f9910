// The PNG decoder: hand-worked pixels, agreement with libpng on a random corpus, and damaged or hostile data.

#include "image/c32bppDIB.h"
#include "image/png/cPNGparser.h"
#include "tests/support/ImageTestSupport.h"
#include "tests/support/PngBuilder.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstring>
#include <memory>
#include <random>

namespace dorvane {
namespace {

using namespace testing;

// The decoder's picture of png; it must answer as expected (true: the data was a PNG).
std::unique_ptr<c32bppDIB> Decode(const Bytes& png, bool expectedAnswer = true)
{
    auto surface = std::make_unique<c32bppDIB>();
    surface->InitializeDIB(3, 3);  // a PNG that cannot be decoded leaves the target empty
    EXPECT_EQ(cPNGparser().LoadStream(png, *surface, 0, std::int64_t(png.size())), expectedAnswer);
    return surface;
}

Bytes TinyRgba(bool goodIdatCrc = true, bool goodHeaderCrc = true)
{
    return AssemblePng({Chunk("IHDR", HeaderData(1, 1, 8, 6), goodHeaderCrc),
                        Chunk("IDAT", Deflate({0, 1, 2, 3, 255}), goodIdatCrc), Chunk("IEND", {})});
}

// libpng's reading of the same bytes, as our surfaces store them: premultiplied, top row first.
bool DecodeWithLibpng(const Bytes& data, std::vector<Bgra>& pixels)
{
    std::pair<const Bytes*, std::size_t> input{&data, 0};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, &input, [](png_structp p, png_bytep out, png_size_t count) {
        auto& [bytes, at] = *static_cast<std::pair<const Bytes*, std::size_t>*>(png_get_io_ptr(p));
        if (at + count > bytes->size())
            png_error(p, "read past the end");
        std::memcpy(out, bytes->data() + at, count), at += count;
    });
    png_read_png(png, info, PNG_TRANSFORM_EXPAND | PNG_TRANSFORM_STRIP_16 | PNG_TRANSFORM_GRAY_TO_RGB, nullptr);
    const png_uint_32 channels = png_get_channels(png, info);  // RGB or RGBA
    const png_bytepp rows = png_get_rows(png, info);
    for (png_uint_32 y = 0; y < png_get_image_height(png, info); ++y)
        for (png_bytep p = rows[y]; p < rows[y] + png_get_image_width(png, info) * channels; p += channels)
            pixels.push_back(Premultiplied(p[0], p[1], p[2], channels == 4 ? p[3] : 255));
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

// A random image of a random valid format, interlaced or not, maybe with tRNS. 16-bit samples repeat their high
// byte in the low one, so that comparing high bytes (as our tRNS test does) and whole values (as libpng) agree.
PngImage RandomImage(std::mt19937& random)
{
    static const std::pair<int, int> kFormats[] = {{0, 1}, {0, 2}, {0, 4},  {0, 8}, {0, 16}, {2, 8}, {2, 16}, {3, 1},
                                                   {3, 2}, {3, 4}, {3, 8}, {4, 8}, {4, 16}, {6, 8}, {6, 16}};
    auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const auto [colorType, depth] = kFormats[pick(0, 14)];
    PngImage image = MakePng(std::uint32_t(pick(1, 40)), std::uint32_t(pick(1, 40)), std::uint8_t(colorType),
                             std::uint8_t(depth), {});
    image.interlaced = pick(0, 1) == 1;
    const int channels = Channels(image.colorType), paletteSize = colorType == 3 ? pick(1, 1 << depth) : 0;
    const int top = colorType == 3 ? paletteSize - 1 : (depth == 16 ? 255 : (1 << depth) - 1);
    for (std::size_t i = 0; i < std::size_t(image.width) * image.height * channels; ++i)
        image.samples.push_back(std::uint16_t(pick(0, top) * (depth == 16 ? 257 : 1)));
    for (int i = 0; i < paletteSize * 3; ++i)
        image.palette.push_back(std::uint8_t(pick(0, 255)));
    if (pick(0, 1) && colorType == 3) {
        for (int i = pick(1, paletteSize); i > 0; --i)
            image.trns.push_back(std::uint8_t(pick(0, 255)));
    } else if (pick(0, 1) && (colorType == 0 || colorType == 2)) {
        // The colour of a pixel of the image, so that some pixels turn transparent.
        const std::size_t pixel = std::size_t(pick(0, int(image.width * image.height) - 1)) * channels;
        for (int c = 0; c < channels; ++c)
            image.trns.insert(image.trns.end(), {std::uint8_t(image.samples[pixel + c] >> 8), std::uint8_t(image.samples[pixel + c])});
    }
    return image;
}

// Every colour type and depth, every filter, interlacing, split image data and transparency chunks.
TEST(PngDecoder, AgreesWithLibpngOnARandomCorpus)
{
    std::mt19937 random(20240611);
    for (int n = 0; n < 600; ++n) {
        const PngImage image = RandomImage(random);
        constexpr int kFilters[] = {PNG_FILTER_NONE, PNG_FILTER_SUB, PNG_FILTER_UP, PNG_FILTER_AVG, PNG_FILTER_PAETH, PNG_ALL_FILTERS};
        PngOptions options;
        options.filters = kFilters[random() % 6];
        options.idatSize = 16 + random() % 200;
        const Bytes png = EncodePng(image, options);
        SCOPED_TRACE(::testing::Message() << "image " << n << " type " << int(image.colorType) << " depth "
                                          << int(image.bitDepth) << " interlaced " << image.interlaced);
        std::vector<Bgra> reference;
        ASSERT_TRUE(DecodeWithLibpng(png, reference));
        const auto surface = Decode(png);
        EXPECT_EQ(std::tuple(surface->Width(), surface->Height(), surface->Alpha(), surface->ImageType()),
                  std::tuple(int(image.width), int(image.height), image.colorType >= 4 || !image.trns.empty(), c32bppDIB::kPng));
        ASSERT_EQ(AllPixels(*surface), reference);
    }
}

// The random corpus repeats the high byte of 16-bit samples in the low byte; here they differ, the high one counts.
// Odd but sound streams read as their plain encoding would.
TEST(PngDecoder, HandlesSixteenBitPaletteTransparencyAndOddStreams)
{
    const Bgra clear = {0, 0, 0, 0}, black = {0, 0, 0, 255}, white = {255, 255, 255, 255};
    const auto sixteenBit = [](std::uint8_t colorType, const std::vector<std::uint16_t>& pixel, PngOptions options = {}) {
        PngImage image = MakePng(3, 2, colorType, 16, {});  // 3 x 2 of one pixel
        for (int i = 0; i < 6; ++i)
            image.samples.insert(image.samples.end(), pixel.begin(), pixel.end());
        return EncodePng(image, options);
    };
    Bytes zeroCrcIdat = Chunk("IDAT", Deflate({0, 1, 2, 3, 255}));
    std::fill(zeroCrcIdat.end() - 4, zeroCrcIdat.end(), 0);
    const struct { const char* name; Bytes png; std::vector<Bgra> expected; bool alpha; } cases[] = {
        {"grey 16", sixteenBit(0, {0x12FF}), std::vector<Bgra>(6, {0x12, 0x12, 0x12, 255}), false},
        {"rgb 16", sixteenBit(2, {0x10FF, 0x3001, 0x5080}), std::vector<Bgra>(6, {0x50, 0x30, 0x10, 255}), false},
        {"grey+alpha 16", sixteenBit(4, {0x64AA, 0x33BB}), std::vector<Bgra>(6, {20, 20, 20, 51}), true},
        {"rgba 16", sixteenBit(6, {0xC8FF, 0x6401, 0x3210, 0x8077}), std::vector<Bgra>(6, {25, 50, 100, 128}), true},
        {"rgba 16 split over tiny chunks, ancillary chunks before them",
         sixteenBit(6, {0xC8FF, 0x6401, 0x3210, 0x8077}, {.idatSize = 6, .extraChunks = true}),
         std::vector<Bgra>(6, {25, 50, 100, 128}), true},
        {"a row of unknown filter type is taken as it is",
         AssemblePng({Chunk("IHDR", HeaderData(2, 2, 8, 0)), Chunk("IDAT", Deflate({0, 9, 8, 5, 7, 6})), Chunk("IEND", {})}),
         {{9, 9, 9, 255}, {8, 8, 8, 255}, {7, 7, 7, 255}, {6, 6, 6, 255}}, false},
        {"an IDAT CRC stored as zero, a damaged ancillary chunk",
         AssemblePng({Chunk("IHDR", HeaderData(1, 1, 8, 6)), Chunk("zzZz", {1}, false), zeroCrcIdat, Chunk("IEND", {})}),
         {{3, 2, 1, 255}}, true},
        {"grey 16 tRNS compares high bytes", EncodePng(MakePng(2, 1, 0, 16, {0x12FF, 0x1334}, {}, {0x12, 0x34})),
         {clear, {0x13, 0x13, 0x13, 255}}, true},
        {"rgb 16 tRNS compares high bytes",
         EncodePng(MakePng(2, 1, 2, 16, {0x00AA, 0xFF00, 0x0001, 0x0100, 0xFF00, 0x0000}, {}, {0, 0, 0xFF, 0x11, 0, 2})),
         {clear, {0x00, 0xFF, 0x01, 255}}, true},
        {"tRNS with a bad CRC is skipped",
         AssemblePng({Chunk("IHDR", HeaderData(1, 1, 8, 0)), Chunk("tRNS", {0, 64}, false),
                      Chunk("IDAT", Deflate({0, 64})), Chunk("IEND", {})}),
         {{64, 64, 64, 255}}, false},
        {"tRNS on an image with alpha is ignored",
         AssemblePng({Chunk("IHDR", HeaderData(1, 1, 8, 6)), Chunk("tRNS", {0, 1, 0, 2, 0, 3}),
                      Chunk("IDAT", Deflate({0, 1, 2, 3, 255})), Chunk("IEND", {})}),
         {{3, 2, 1, 255}}, true},
        {"indices past the palette are opaque black",
         AssemblePng({Chunk("IHDR", HeaderData(2, 1, 8, 3)), Chunk("PLTE", {10, 20, 30, 40, 50, 60}),
                      Chunk("IDAT", Deflate({0, 1, 9})), Chunk("IEND", {})}),
         {{60, 50, 40, 255}, black}, false},
        {"a 1-bit palette image without PLTE is black and white",
         AssemblePng({Chunk("IHDR", HeaderData(2, 1, 1, 3)), Chunk("IDAT", Deflate({0, 0x40})), Chunk("IEND", {})}),
         {black, white}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto surface = Decode(c.png);
        EXPECT_EQ(AllPixels(*surface), c.expected);
        EXPECT_EQ(surface->Alpha(), c.alpha);
    }
}

Bytes WithHeader(const Bytes& header, const Bytes& compressed = Deflate(Bytes(100, 0)))
{
    return AssemblePng({Chunk("IHDR", header), Chunk("IDAT", compressed), Chunk("IEND", {})});
}

TEST(PngDecoder, AnswersTrueButMakesNoPictureOfDamagedOrImpossibleData)
{
    auto with = [](std::size_t at, std::uint8_t value) {
        Bytes header = HeaderData(4, 4, 8, 6);
        header[at] = value;
        return header;
    };
    // 8000 x 8000 RGBA needs 256 MB inflated; a few dozen bytes of deflate cannot produce that.
    const Bytes tinyStream = Deflate(Bytes(20000, 0), 9);
    ASSERT_LT(tinyStream.size(), 100u);
    const struct { const char* name; Bytes png; } cases[] = {
        {"IDAT CRC wrong", TinyRgba(false, true)},
        {"IHDR CRC wrong", TinyRgba(true, false)},
        {"height 0", WithHeader(HeaderData(4, 0, 8, 6))},
        {"width beyond 2^31", WithHeader(HeaderData(0x80000001u, 4, 8, 6))},
        {"width x 32 x height overflows", WithHeader(HeaderData(10000, 10000, 8, 6))},
        {"beyond the largest picture, though in 32 bits", WithHeader(HeaderData(7000, 7000, 8, 6))},
        {"bit depth 3", WithHeader(with(8, 3))},
        {"colour type 5", WithHeader(with(9, 5))},
        {"filter method 1", WithHeader(with(11, 1))},
        {"interlace 2", WithHeader(with(12, 2))},
        {"rgb at 4 bits", WithHeader(HeaderData(4, 4, 4, 2))},
        {"palette at 16 bits", WithHeader(HeaderData(4, 4, 16, 3))},
        {"short header", WithHeader(Bytes(12, 1))},
        {"a header its data could never fill", WithHeader(HeaderData(8000, 8000, 8, 6), tinyStream)},
        {"data inflating beyond the image", WithHeader(HeaderData(1, 1, 8, 6), Deflate(Bytes(50, 0)))},
        {"no image data", AssemblePng({Chunk("IHDR", HeaderData(1, 1, 8, 6)), Chunk("IEND", {})})},
        {"no header", AssemblePng({Chunk("IDAT", Deflate({0, 1, 2, 3, 4})), Chunk("IEND", {})})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto surface = Decode(c.png);
        EXPECT_EQ(surface->Handle(), nullptr);
        EXPECT_EQ(surface->ImageType(), c32bppDIB::kNoImage);
    }
    // The same short stream in an image it could have filled ends early: the rest stays clear.
    const auto early = Decode(WithHeader(HeaderData(90, 90, 8, 6), tinyStream));
    ASSERT_NE(early->Handle(), nullptr);
    EXPECT_EQ(StoredPixel(*early, 89, 89), (Bgra{0, 0, 0, 0}));
}

TEST(PngDecoder, MakesNoPictureOfTruncatedDataButNeedsNoEndChunkAndLeavesTheTargetWithoutTheSignature)
{
    Bytes whole = TinyRgba();
    for (std::size_t length = 8; length < whole.size() - 12; ++length)
        EXPECT_EQ(Decode(Bytes(whole.begin(), whole.begin() + std::ptrdiff_t(length)))->Handle(), nullptr) << length;
    EXPECT_NE(Decode(Bytes(whole.begin(), whole.end() - 12))->Handle(), nullptr);
    whole[1] = 'X';
    EXPECT_NE(Decode(whole, false)->Handle(), nullptr);  // not a PNG: answered false, the target untouched
}

} // namespace
} // namespace dorvane
