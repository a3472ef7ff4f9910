// Loading a surface from bytes, files and resources: the 57-byte rule, the choice of loader, and the
// source bytes a surface keeps.

#include "image/c32bppDIB.h"
#include "resources/EmbeddedResources.h"
#include "tests/image/ImageTestSupport.h"
#include "tests/image/PictureBuilders.h"
#include "tests/image/PngBuilder.h"
#include "tests/platform/TempFolder.h"

#include <gtest/gtest.h>

namespace dorvane {
namespace {

using namespace testing;

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
    const struct {
        const char* name;
        Bytes bytes;
        bool loads;
        std::int32_t imageType;
    } cases[] = {
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
    EXPECT_EQ(surface.Width(), 3);
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
