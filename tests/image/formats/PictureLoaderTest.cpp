// The pictures other than PNG, as a surface load hands them to the BMP parser and the picture converter: bitmaps
// of every depth and header (32-bit content sorted by the alpha scan), icons, cursors and GIF; what is refused.

#include "image/ImageLimits.h"
#include "image/StdPicture.h"
#include "image/c32bppDIB.h"
#include "image/formats/cBMPparser.h"
#include "tests/support/ImageTestSupport.h"
#include "tests/support/PictureBuilders.h"
#include "tests/support/PngBuilder.h"

#include <gtest/gtest.h>

namespace dorvane {
namespace {

using namespace testing;

const Bgra kBlack = {0, 0, 0, 255}, kRed = {0, 0, 255, 255}, kGreen = {0, 255, 0, 255}, kInk = {9, 8, 7, 255},
           kClear = {0, 0, 0, 0};

// Written by giflib: a 2 x 2 GIF89a of red, blue, green and black, black its transparent colour.
const Bytes kGifWithTransparency = {
    'G', 'I', 'F', '8', '9', 'a', 0x02, 0x00, 0x02, 0x00, 0xF1, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00,
    0xFF, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x21, 0xF9, 0x04, 0x01, 0x00, 0x00, 0x03, 0x00, 0x2C, 0x00, 0x00,
    0x00, 0x00, 0x02, 0x00, 0x02, 0x00, 0x00, 0x02, 0x03, 0x44, 0x34, 0x05, 0x00, 0x3B};

// A bitmap whose header carries a palette of the given colours (the stored alpha is ignored).
Bytes PaletteBmp(std::int32_t width, std::int32_t height, std::uint16_t bits, std::uint32_t compression,
                 std::initializer_list<Bgra> palette, const Bytes& pixels)
{
    Bytes header = InfoHeader(width, height, bits, compression, std::uint32_t(palette.size()));
    for (const Bgra& e : palette)
        header.insert(header.end(), {e[0], e[1], e[2], 0});
    return BmpFile(header, pixels);
}

Bytes Masked565Bmp(const Bytes& pixels)
{
    Bytes header = InfoHeader(1, 1, 16, 3);
    for (std::uint32_t mask : {0xF800u, 0x07E0u, 0x001Fu})
        PutLe(header, mask);
    return BmpFile(header, pixels);
}

// A 2 x 2 icon bitmap: 24-bit colour rows (bottom first) and an AND mask whose set bits mark
// transparent pixels; here the top-right pixel only.
Bytes TwoByTwoIconBitmap()
{
    Bytes dib = InfoHeader(2, 4, 24, 0);
    dib.insert(dib.end(), {1, 2, 3, 4, 5, 6, 0, 0, /* top */ 7, 8, 9, 10, 11, 12, 0, 0});
    dib.insert(dib.end(), {0x00, 0, 0, 0, /* top row: second pixel */ 0x40, 0, 0, 0});
    return dib;
}
const std::vector<Bgra> kTwoByTwoIcon = {{7, 8, 9, 255}, kClear, {1, 2, 3, 255}, {4, 5, 6, 255}};

Bytes ThirtyTwoBitIconBitmap(const Bytes& pixel)
{
    Bytes dib = InfoHeader(1, 2, 32, 0);
    dib.insert(dib.end(), pixel.begin(), pixel.end());
    dib.insert(dib.end(), {0, 0, 0, 0});  // the mask row
    return dib;
}

TEST(PictureFormats, LoadsEveryKindOfPictureWithItsPixelsAndKind)
{
    constexpr std::int32_t kOpaque = c32bppDIB::kOpaque, kStraight = c32bppDIB::kStraightAlpha,
                           kPremultiplied = c32bppDIB::kPremultiplied, kIcon = StdPicture::kIcon;
    const Bytes pngIcon = EncodePng(MakePng(2, 1, 6, 8, {200, 100, 50, 128, 0, 0, 0, 0}));
    const auto palette = {kBlack, kRed, kGreen};
    const Bgra kOne = {1, 1, 1, 255}, kTwo = {2, 2, 2, 255};
    // The pixels top row first; every kind but kOpaque has transparency.
    const struct { const char* name; Bytes file; std::vector<Bgra> pixels; std::int32_t imageType; } cases[] = {
        {"32-bit, alpha bytes all 0 mean opaque", Bmp32(2, 1, {10, 20, 30, 0}), {2, {10, 20, 30, 255}}, kOpaque},
        {"32-bit straight alpha is premultiplied", BmpFile(InfoHeader(2, 1, 32, 0), {200, 200, 200, 128, 9, 9, 9, 255}),
         {{100, 100, 100, 128}, {9, 9, 9, 255}}, kStraight},
        {"32-bit straight alpha: a clear pixel becomes all zero",
         BmpFile(InfoHeader(2, 1, 32, 0), {50, 60, 70, 0, 200, 200, 200, 128}), {kClear, {100, 100, 100, 128}}, kStraight},
        {"32-bit premultiplied stays", BmpFile(InfoHeader(2, 1, 32, 0), {128, 100, 5, 128, 9, 9, 9, 255}),
         {{128, 100, 5, 128}, {9, 9, 9, 255}}, kPremultiplied},
        {"32-bit top-down", BmpFile(InfoHeader(1, -2, 32, 0), {1, 1, 1, 255, 2, 2, 2, 255}), {kOne, kTwo}, kOpaque},
        {"32-bit bottom-up", BmpFile(InfoHeader(1, 2, 32, 0), {1, 1, 1, 255, 2, 2, 2, 255}), {kTwo, kOne}, kOpaque},
        {"24-bit rows padded to 4 bytes", BmpFile(InfoHeader(1, 2, 24, 0), {10, 20, 30, 0, 40, 50, 60, 0}),
         {{40, 50, 60, 255}, {10, 20, 30, 255}}, kOpaque},
        {"1-bit palette", PaletteBmp(3, 1, 1, 0, palette, {0b10100000, 0, 0, 0}), {kRed, kBlack, kRed}, kOpaque},
        {"4-bit palette", PaletteBmp(3, 1, 4, 0, palette, {0x10, 0x20, 0, 0}), {kRed, kBlack, kGreen}, kOpaque},
        {"8-bit palette", PaletteBmp(3, 1, 8, 0, palette, {1, 0, 2, 0}), {kRed, kBlack, kGreen}, kOpaque},
        // Bottom row: a run of 4 of index 1; end of line; top row: literal 1, 0, 1; end of bitmap.
        {"8-bit run lengths", PaletteBmp(4, 2, 8, 1, {kBlack, kInk}, {4, 1, 0, 0, 0, 3, 1, 0, 1, 0, 0, 1}),
         {kInk, kBlack, kInk, kBlack, kInk, kInk, kInk, kInk}, kOpaque},
        {"4-bit run lengths", PaletteBmp(3, 1, 4, 2, {kBlack, kInk}, {3, 0x10, 0, 1}), {kInk, kBlack, kInk}, kOpaque},
        {"16-bit 5-5-5", BmpFile(InfoHeader(1, 1, 16, 0), {0x00, 0x7C, 0, 0}), {kRed}, kOpaque},
        {"16-bit 5-6-5 masks", Masked565Bmp({0xE0, 0x07, 0, 0}), {kGreen}, kOpaque},
        // The old 12-byte core header: size, then width, height, planes and bits of 16 bits each.
        {"12-byte core header", BmpFile({12, 0, 0, 0, 1, 0, 1, 0, 1, 0, 24, 0}, {5, 6, 7, 0}), {{5, 6, 7, 255}},
         kOpaque},
        {"icon: the masked background is all zero", IconFile({{2, 2, TwoByTwoIconBitmap()}}), kTwoByTwoIcon, kIcon},
        {"cursor, as an icon", IconFile({{2, 2, TwoByTwoIconBitmap()}}, 2), kTwoByTwoIcon, kIcon},
        {"icon: the alpha of a 32-bit image", IconFile({{1, 1, ThirtyTwoBitIconBitmap({200, 100, 50, 128})}}),
         {Premultiplied(50, 100, 200, 128)}, kIcon},
        {"icon: a PNG-compressed image", IconFile({{2, 1, pngIcon}}), {{25, 50, 100, 128}, kClear}, kIcon},
        {"icon: the largest readable image",
         IconFile({{1, 1, ThirtyTwoBitIconBitmap({1, 1, 1, 255})}, {4, 4, {1, 2, 3}}, {2, 2, TwoByTwoIconBitmap()}}),
         kTwoByTwoIcon, kIcon},
        {"GIF: the first frame with its transparent colour", kGifWithTransparency,
         {kRed, {255, 0, 0, 255}, kGreen, kClear}, kPremultiplied},
        {"GIF without a transparent colour", OpaqueGif(), {{60, 50, 40, 255}, {30, 20, 10, 255}}, kOpaque},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c32bppDIB surface;
        ASSERT_TRUE(LoadWithBmpParser(c.file, surface));
        EXPECT_EQ(std::tuple(AllPixels(surface), surface.Alpha(), surface.ImageType()),
                  std::tuple(c.pixels, c.imageType != kOpaque, c.imageType));
    }
}

TEST(PictureFormats, RefusesWhatIsNoPictureOrCannotBeOne)
{
    Bytes cutShort32 = Bmp32(4, 4, {1, 2, 3, 255});
    cutShort32.pop_back();
    Bytes hugeJpeg = JpegFile(8, 8, 1, 2, 3);
    for (std::size_t i = 0; i + 8 < hugeJpeg.size(); ++i)
        if (hugeJpeg[i] == 0xFF && hugeJpeg[i + 1] == 0xC0) {  // the frame header: length, precision, height, width
            hugeJpeg[i + 5] = 0xFF, hugeJpeg[i + 6] = 0xF0, hugeJpeg[i + 7] = 0xFF, hugeJpeg[i + 8] = 0xF0;
            break;
        }
    Bytes iconPointingOutside = IconFile({{2, 2, TwoByTwoIconBitmap()}});
    iconPointingOutside[6 + 12] = 0xFF;  // the image's offset lies past the file
    Bytes metafile = {0xD7, 0xCD, 0xC6, 0x9A};
    metafile.resize(200, 0);
    const Bytes jpeg = JpegFile(64, 64, 1, 2, 3);
    // reason: how the refusal begins, where it matters which refusal it is.
    const struct { const char* name; Bytes file; const char* reason = ""; } cases[] = {
        {"negative width", BmpFile(InfoHeader(-3, 2, 24, 0), Bytes(64, 0))},
        {"height 0", BmpFile(InfoHeader(2, 0, 24, 0), Bytes(64, 0))},
        {"32-bit pixels cut short", cutShort32},
        {"compression 7", BmpFile(InfoHeader(4, 4, 24, 7), Bytes(64, 0))},
        {"no picture at all", Bytes(100, 'x')},
        {"an icon without a readable image", IconFile({{2, 2, Bytes(30, 7)}})},
        {"an icon whose image lies past the file", iconPointingOutside},
        {"a JPEG claiming far more pixels than its data holds", hugeJpeg},
        {"a metafile", metafile},
        {"a JPEG cut short", Bytes(jpeg.begin(), jpeg.end() - 10),
         "JPEG: the data end before the end-of-image marker"},
        {"a JPEG whose coded data run out", WithScanData(jpeg, Bytes(16, 0)), "JPEG: pixel data ends early"},
        {"run lengths without pixel data", RunLengthBmp(4, 4, {}), "BMP: there is no run-length data"},
        {"run lengths without their end", RunLengthBmp(4, 4, {4, 1, 0, 0}), "BMP: run-length data ends before"},
        {"an icon image larger than an icon can be",
         IconFile({{0, 0, AssemblePng({Chunk("IHDR", HeaderData(2000, 2000, 8, 0)),
                                       Chunk("IDAT", DeflateRepeated(Bytes(2001, 0), 2000)), Chunk("IEND", {})})}}),
         "ICO: no image can be read (ICO: an image of 2000x2000 is larger than an icon can be)"},
    };
    for (const auto& c : cases) {
        c32bppDIB surface;
        cBMPparser parser;
        EXPECT_FALSE(parser.LoadStream(c.file, surface, 0, std::int64_t(c.file.size()))) << c.name;
        EXPECT_EQ(surface.Handle(), nullptr) << c.name;
        EXPECT_TRUE(parser.LastError().starts_with(c.reason)) << c.name << ": " << parser.LastError();
    }
}

// A few kilobytes of pixel data once claimed gigabytes because the limit counted the whole file.
// Each refusal must carry the limit's reason for the pixel data alone: the limit was asked, with
// those bytes, before anything was allocated.
TEST(PictureFormats, RefusesPictureBombsByTheirPixelDataBeforeAllocating)
{
    constexpr std::size_t kBulk = 130000;
    const Bytes endAtOnce = Repeated({0, 1}, kBulk / 2);  // the first end-of-bitmap ends the data
    Bytes longRuns = Repeated({255, 1}, kBulk / 2);
    longRuns.insert(longRuns.end(), {0, 1});
    const struct { const char* name; Bytes file; std::int64_t width, height; std::uint64_t pixelData; const char* format; } cases[] = {
        {"run lengths beyond the largest picture", RunLengthBmp(30000, 30000, longRuns), 30000, 30000,
         kBulk + 2, "BMP: "},
        {"run lengths ending at once, the bulk after them", RunLengthBmp(4000, 4000, endAtOnce), 4000, 4000, 2, "BMP: "},
        {"a GIF screen paid for by a comment", GifWithComment(4000, 4000, kBulk), 4000, 4000, 2, "GIF: screen "},
        {"a GIF screen beyond the largest picture", GifWithComment(20000, 20000, kBulk), 20000, 20000, 2, "GIF: screen "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Status allowed = ImageLimits::PictureAllowed(c.width, c.height, c.pixelData);
        ASSERT_FALSE(allowed);
        c32bppDIB surface;
        cBMPparser parser;
        EXPECT_FALSE(parser.LoadStream(c.file, surface, 0, std::int64_t(c.file.size())));
        EXPECT_EQ(parser.LastError(), c.format + allowed.error());
    }
}

} // namespace
} // namespace dorvane
