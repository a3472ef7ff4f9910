// The 32-bit surface itself: creation and shape, reading pixels, lending them out as a drawing
// target; and loading it from bytes, files and resources: the 57-byte rule, the choice of loader,
// and the source bytes it keeps.

#include "image/c32bppDIB.h"
#include "resources/EmbeddedResources.h"
#include "tests/support/ImageTestSupport.h"
#include "tests/support/PictureBuilders.h"
#include "tests/support/PngBuilder.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace dorvane {
namespace {

using namespace testing;

void ExpectEmpty(const c32bppDIB& surface)
{
    EXPECT_EQ(surface.BitsPointer(), nullptr);
    EXPECT_EQ(surface.Width() + surface.Height(), 0);
    EXPECT_EQ(surface.ImageType(), c32bppDIB::kNoImage);
    EXPECT_FALSE(surface.Alpha());
}

TEST(Surface, IsMadeBottomUpWithTheAbsoluteHeight)
{
    c32bppDIB surface;
    ASSERT_TRUE(surface.InitializeDIB(3, -2));
    EXPECT_EQ(surface.Width(), 3);
    EXPECT_EQ(surface.Height(), 2);
    EXPECT_EQ(surface.scanWidth(), 12);
    surface.Pixels().Pixel(2, 0)[0] = 9;  // top row, last column: the last pixel in memory
    EXPECT_EQ(surface.BitsPointer()[(1 * 3 + 2) * 4], 9);
}

TEST(Surface, RefusesImpossibleSizesAndStaysEmpty)
{
    const std::pair<int, int> sizes[] = {{-1, 5}, {5, 0}, {0, 5}, {50000, 50000}, {INT32_MAX, 1}, {1, INT32_MIN}};
    for (auto [width, height] : sizes) {
        c32bppDIB surface;
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
    EXPECT_EQ(AllPixels(surface), std::vector<Bgra>(12, Bgra{0, 0, 0, 0}));
    EXPECT_TRUE(surface.Alpha());
    EXPECT_EQ(surface.ImageType(), c32bppDIB::kBlank);
    surface.DestroyDIB();
    ExpectEmpty(surface);
}

TEST(Surface, GetPixelGivesTheColourUnpremultipliedAndMinusOneOutside)
{
    c32bppDIB surface;
    Fill(surface, 4, 3, {7, 7, 7, 255});  // opaque neighbours, so that a read beside the picture shows
    const Bgra top[] = {{1, 2, 3, 255}, {40, 60, 80, 128}, {0, 0, 0, 0}, {200, 10, 10, 100}};
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
    c32bppDIB empty;
    std::int32_t alpha = 99;
    EXPECT_EQ(empty.GetPixel(0, 0, alpha), -1);
}

TEST(Surface, LendsItsPixelsAsADrawingTargetAndTakesThemBack)
{
    c32bppDIB surface;
    EXPECT_EQ(surface.LoadDIBinDC(true), nullptr);  // nothing to lend yet
    ASSERT_TRUE(surface.InitializeDIB(5, 4));
    DeviceContext* dc = surface.LoadDIBinDC(true);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(dc->Target().bits, surface.BitsPointer());
    EXPECT_EQ(surface.LoadDIBinDC(true), dc);  // already lent: the same context
    EXPECT_EQ(surface.LoadDIBinDC(false), nullptr);

    c32bppDIB managing;
    managing.SetManageOwnDC(true);
    ASSERT_TRUE(managing.InitializeDIB(2, 2));
    DeviceContext* own = managing.LoadDIBinDC(true);
    managing.LoadDIBinDC(false);
    EXPECT_FALSE(own->Target());  // the pixels were taken back, the context stays
    EXPECT_EQ(managing.LoadDIBinDC(true), own);
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

TEST(SurfaceLoading, HandsEachFormatToItsLoader)
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
    for (const auto& c : cases) {
        c32bppDIB surface;
        EXPECT_EQ(surface.LoadPicture_Stream(c.bytes), c.loads) << c.name;
        EXPECT_EQ(surface.ImageType(), c.imageType) << c.name;
    }
}

TEST(SurfaceLoading, KeepsExactlyTheLoadedSliceWhenAsked)
{
    const Bytes png = SmallPng();
    Bytes padded(10, 0xAB);
    padded.insert(padded.end(), png.begin(), png.end());
    c32bppDIB surface;
    // A length past the end of the array stops at its end.
    ASSERT_TRUE(surface.LoadPicture_Stream(padded, 10, 100000, true));
    EXPECT_EQ(surface.SourceBytes(), png);
    padded.insert(padded.end(), 10, 0xCD);
    ASSERT_TRUE(surface.LoadPicture_Stream(padded, 10, std::int64_t(png.size()), true));
    Bytes copy;
    EXPECT_TRUE(surface.GetOrginalFormat(copy));
    EXPECT_EQ(copy, png);
}

TEST(SurfaceLoading, CannotRestoreWithoutKeptBytesAndLeavesThePicture)
{
    c32bppDIB surface;
    ASSERT_TRUE(surface.LoadPicture_Stream(SmallPng()));
    Bytes copy{1};
    EXPECT_FALSE(surface.GetOrginalFormat(copy));
    EXPECT_TRUE(copy.empty());
    EXPECT_FALSE(surface.LoadPicture_FromOrignalFormat());
    EXPECT_EQ(surface.ImageType(), c32bppDIB::kPng);
}

TEST(SurfaceLoading, LoadsFilesAndRefusesMissingShortAndNonRegularOnes)
{
    TempFolder folder;
    const Bytes png = SmallPng(), bmp = BmpFile(InfoHeader(4, 4, 24, 0), Bytes(64, 9));
    TempFolder::Write(folder / "a.png", std::string(png.begin(), png.end()));
    TempFolder::Write(folder / "b.bmp", std::string(bmp.begin(), bmp.end()));
    TempFolder::Write(folder / "short.png", std::string(56, 'x'));
    c32bppDIB surface;
    ASSERT_TRUE(surface.LoadPicture_File(folder / "a.png", true));
    EXPECT_EQ(surface.ImageType(), c32bppDIB::kPng);
    EXPECT_EQ(surface.SourceBytes(), png);
    ASSERT_TRUE(surface.LoadPicture_File(folder / "b.bmp", true));
    EXPECT_EQ(surface.ImageType(), c32bppDIB::kOpaque);
    EXPECT_EQ(surface.SourceBytes(), bmp);
    EXPECT_FALSE(surface.LoadPicture_File(folder / "missing.png"));
    EXPECT_FALSE(surface.LoadPicture_File(folder / "short.png"));
    EXPECT_FALSE(surface.LoadPicture_File(folder.path()));
    EXPECT_EQ(surface.Width(), 4);  // none of them touched the picture
}

TEST(SurfaceLoading, LoadsResourcesByNameOrNumberWithoutRegardToCase)
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
    // Without a host, the program's own resources.
    ASSERT_TRUE(surface.LoadPicture_Resource(std::string("sample"), std::string("png")));
    EXPECT_EQ(surface.ImageType(), c32bppDIB::kPng);
    EXPECT_TRUE(surface.Alpha());
}

TEST(SurfaceLoading, ReportsFailureWhenNoResourceWasLoadedEvenOverAnOlderPicture)
{
    EmbeddedResources host;
    c32bppDIB surface;
    ASSERT_TRUE(surface.LoadPicture_Stream(SmallPng()));
    EXPECT_FALSE(surface.LoadPicture_Resource(std::string("NOPE"), std::string("PNG"), &host));
    EXPECT_FALSE(surface.LoadPicture_Resource(std::string("BACK"), 7, &host));
    EXPECT_EQ(surface.Width(), 3);  // nothing was loaded, nothing was emptied
}

} // namespace
} // namespace dorvane
