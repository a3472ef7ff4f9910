#include "image/c32bppDIB.h"
#include "image/cGDIPlus.h"
#include "resources/EmbeddedResources.h"
#include "tests/image/ImageTestSupport.h"
#include "tests/image/PictureBuilders.h"
#include "tests/image/PngBuilder.h"
#include "tests/platform/TempFolder.h"

#include <gtest/gtest.h>

namespace dorvane {
namespace {

using testing::AllPixels;
using testing::Bgra;
using testing::Bytes;
using testing::StoredPixel;

Bytes SmallPng(std::uint8_t red = 200)
{
    testing::PngImage image;
    image.width = 3, image.height = 2, image.colorType = 6, image.bitDepth = 8;
    for (int i = 0; i < 6; ++i)
        image.samples.insert(image.samples.end(), {red, 100, 50, std::uint16_t(i == 0 ? 128 : 255)});
    return testing::EncodePng(image);
}

// ---- the 57-byte rule ----

TEST(SurfaceLoading, RefusesFiftySixBytesAndKeepsThePreviousPicture)
{
    c32bppDIB surface;
    ASSERT_TRUE(surface.LoadPicture_Stream(SmallPng()));
    Bytes short56 = SmallPng();
    short56.resize(56);
    EXPECT_FALSE(surface.LoadPicture_Stream(short56));
    EXPECT_EQ(surface.Width(), 3);
    EXPECT_FALSE(surface.LoadPicture_Stream({}));
    EXPECT_EQ(surface.Width(), 3);
}

TEST(SurfaceLoading, EmptiesTheSurfaceForFiftySevenBytesOfNoPicture)
{
    c32bppDIB surface;
    ASSERT_TRUE(surface.LoadPicture_Stream(SmallPng()));
    EXPECT_FALSE(surface.LoadPicture_Stream(Bytes(57, 'z')));
    EXPECT_EQ(surface.Handle(), nullptr);
    EXPECT_EQ(surface.ImageType(), c32bppDIB::kNoImage);
}

TEST(SurfaceLoading, RefusesASliceOfFewerThanFiftySevenBytesInsideALargerArray)
{
    Bytes bytes = SmallPng();
    c32bppDIB surface;
    EXPECT_FALSE(surface.LoadPicture_Stream(bytes, std::int64_t(bytes.size()) - 56));
    EXPECT_FALSE(surface.LoadPicture_Stream(bytes, 0, 56));
    EXPECT_FALSE(surface.LoadPicture_Stream(bytes, std::int64_t(bytes.size()) + 5));
}

// ---- which loader wins ----

TEST(SurfaceLoading, HandsEachFormatToItsLoader)
{
    const struct {
        const char* name;
        Bytes bytes;
        std::int32_t imageType;
    } cases[] = {
        {"png", SmallPng(), c32bppDIB::kPng},
        {"32-bit bmp", testing::Bmp32(4, 4, {1, 2, 3, 0}), c32bppDIB::kOpaque},
        {"24-bit bmp", testing::BmpFile(testing::InfoHeader(4, 4, 24, 0), Bytes(64, 9)), c32bppDIB::kOpaque},
        {"jpeg", testing::JpegFile(4, 4, 1, 2, 3), c32bppDIB::kOpaque},
    };
    for (const auto& c : cases) {
        c32bppDIB surface;
        EXPECT_TRUE(surface.LoadPicture_Stream(c.bytes)) << c.name;
        EXPECT_EQ(surface.ImageType(), c.imageType) << c.name;
    }
}

TEST(SurfaceLoading, LeavesTheSurfaceEmptyWhenAPngCannotBeDecoded)
{
    Bytes png = SmallPng();
    png[png.size() - 13] ^= 0xFF;  // the IDAT CRC
    c32bppDIB surface;
    EXPECT_FALSE(surface.LoadPicture_Stream(png));
    EXPECT_EQ(surface.Handle(), nullptr);
}

// ---- keeping the source ----

TEST(SurfaceLoading, KeepsExactlyTheLoadedSliceWhenAsked)
{
    const Bytes png = SmallPng();
    Bytes padded(10, 0xAB);
    padded.insert(padded.end(), png.begin(), png.end());
    padded.insert(padded.end(), 10, 0xCD);
    c32bppDIB surface;
    ASSERT_TRUE(surface.LoadPicture_Stream(padded, 10, std::int64_t(png.size()), true));
    EXPECT_EQ(surface.SourceBytes(), png);
    std::vector<std::uint8_t> copy;
    EXPECT_TRUE(surface.GetOrginalFormat(copy));
    EXPECT_EQ(copy, png);
}

TEST(SurfaceLoading, RestoresThePictureFromItsKeptBytes)
{
    c32bppDIB surface;
    ASSERT_TRUE(surface.LoadPicture_Stream(SmallPng(), 0, 0, true));
    const auto original = AllPixels(surface);
    surface.PixelBytes()[0] = 77;  // drawn over
    EXPECT_TRUE(surface.LoadPicture_FromOrignalFormat());
    EXPECT_EQ(AllPixels(surface), original);
    EXPECT_EQ(surface.SourceBytes(), SmallPng());  // still kept for the next restore
}

TEST(SurfaceLoading, CannotRestoreWithoutKeptBytesAndLeavesThePicture)
{
    c32bppDIB surface;
    ASSERT_TRUE(surface.LoadPicture_Stream(SmallPng()));
    std::vector<std::uint8_t> copy{1};
    EXPECT_FALSE(surface.GetOrginalFormat(copy));
    EXPECT_TRUE(copy.empty());
    EXPECT_FALSE(surface.LoadPicture_FromOrignalFormat());
    EXPECT_EQ(surface.Width(), 3);
    EXPECT_EQ(surface.ImageType(), c32bppDIB::kPng);
}

// ---- files ----

TEST(SurfaceLoading, LoadsFilesOfEveryLoaderAndKeepsTheirBytes)
{
    testing::TempFolder folder;
    const Bytes png = SmallPng(), bmp = testing::BmpFile(testing::InfoHeader(4, 4, 24, 0), Bytes(64, 9));
    testing::TempFolder::Write(folder / "a.png", std::string(png.begin(), png.end()));
    testing::TempFolder::Write(folder / "b.bmp", std::string(bmp.begin(), bmp.end()));
    c32bppDIB surface;
    ASSERT_TRUE(surface.LoadPicture_File(folder / "a.png", true));
    EXPECT_EQ(surface.ImageType(), c32bppDIB::kPng);
    EXPECT_EQ(surface.SourceBytes(), png);
    ASSERT_TRUE(surface.LoadPicture_File(folder / "b.bmp", true));
    EXPECT_EQ(surface.ImageType(), c32bppDIB::kOpaque);
    EXPECT_EQ(surface.SourceBytes(), bmp);
}

TEST(SurfaceLoading, RefusesMissingShortAndNonRegularFilesWithoutTouchingTheSurface)
{
    testing::TempFolder folder;
    testing::TempFolder::Write(folder / "short.png", std::string(56, 'x'));
    c32bppDIB surface;
    ASSERT_TRUE(surface.LoadPicture_Stream(SmallPng()));
    EXPECT_FALSE(surface.LoadPicture_File(folder / "missing.png"));
    EXPECT_FALSE(surface.LoadPicture_File(folder / "short.png"));
    EXPECT_FALSE(surface.LoadPicture_File(folder.path()));
    EXPECT_EQ(surface.Width(), 3);
}

// ---- resources ----

TEST(SurfaceLoading, LoadsAResourceByTypeAndNameWithoutRegardToCase)
{
    const Bytes png = SmallPng(10);
    EmbeddedResources host;
    host.Add("CUSTOM", "Black", png);
    c32bppDIB surface;
    EXPECT_TRUE(surface.LoadPicture_Resource(std::string("black"), std::string("custom"), &host, 0, 0, true));
    EXPECT_EQ(StoredPixel(surface, 1, 0), (Bgra{50, 100, 10, 255}));
    EXPECT_EQ(surface.SourceBytes(), png);
}

TEST(SurfaceLoading, LoadsNumberedResourcesByTheirNumber)
{
    const Bytes png = SmallPng();
    EmbeddedResources host;
    host.Add("PNG", "101", png);
    c32bppDIB surface;
    EXPECT_TRUE(surface.LoadPicture_Resource(101, std::string("PNG"), &host));
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

TEST(SurfaceLoading, ReadsTheProgramsOwnResourcesByDefault)
{
    c32bppDIB surface;
    ASSERT_TRUE(surface.LoadPicture_Resource(std::string("sample"), std::string("png")));
    EXPECT_EQ(surface.ImageType(), c32bppDIB::kPng);
    EXPECT_TRUE(surface.Alpha());
}

// ---- the imaging services ----

TEST(ImagingServices, LoadBytesOrAFileWithImageTypeTen)
{
    const Bytes bmp = testing::Bmp32(2, 2, {10, 20, 30, 255});
    c32bppDIB surface;
    cGDIPlus bridge;
    ASSERT_TRUE(bridge.LoadViaGdiplus({}, bmp, surface, 0));
    EXPECT_EQ(surface.ImageType(), c32bppDIB::kPng);
    EXPECT_FALSE(surface.Alpha());

    testing::TempFolder folder;
    const Bytes png = SmallPng();
    testing::TempFolder::Write(folder / "p.png", std::string(png.begin(), png.end()));
    ASSERT_TRUE(bridge.LoadViaGdiplus(folder / "p.png", {}, surface, 0));
    EXPECT_TRUE(surface.Alpha());
    EXPECT_FALSE(bridge.LoadViaGdiplus({}, Bytes(80, 1), surface, 0));
    EXPECT_EQ(surface.Handle(), nullptr);
}

TEST(ImagingServices, SaveAPngThatLoadsBackToTheSamePixels)
{
    c32bppDIB surface;
    ASSERT_TRUE(surface.InitializeDIB(256, 2));
    // Every premultiplied value under one alpha, and every alpha, once each.
    for (int x = 0; x < 256; ++x) {
        std::uint8_t* top = surface.Pixels().Pixel(x, 0);
        top[0] = top[1] = top[2] = static_cast<std::uint8_t>(x * 77 / 255), top[3] = 77;
        std::uint8_t* bottom = surface.Pixels().Pixel(x, 1);
        bottom[0] = static_cast<std::uint8_t>(x / 2), bottom[1] = 0, bottom[2] = static_cast<std::uint8_t>(x), bottom[3] = static_cast<std::uint8_t>(x);
    }
    std::vector<std::uint8_t> png;
    ASSERT_TRUE(cGDIPlus().SaveToPNG({}, png, surface, 0));
    ASSERT_GE(png.size(), 8u);
    EXPECT_EQ(png[1], 'P');
    c32bppDIB again;
    ASSERT_TRUE(again.LoadPicture_Stream(png));
    EXPECT_EQ(AllPixels(again), AllPixels(surface));
}

TEST(ImagingServices, ProbeWithoutLeavingAStartBehindAndKeepATokenWhenAsked)
{
    cGDIPlus bridge;
    std::uint32_t probe = 0;
    EXPECT_TRUE(bridge.isGDIplusOk(probe, false));
    EXPECT_EQ(probe, 0u);
    std::uint32_t kept = 0;
    EXPECT_TRUE(bridge.isGDIplusOk(kept, true));
    EXPECT_TRUE(cGDIPlus::IsStarted(kept));
    EXPECT_TRUE(bridge.StopGdiplus(kept));
    EXPECT_FALSE(cGDIPlus::IsStarted(kept));
}

TEST(ImagingServices, EndTheirOwnStartButNeverALentToken)
{
    const std::uint32_t lent = cGDIPlus::Startup();
    {
        cGDIPlus bridge;
        c32bppDIB surface;
        EXPECT_TRUE(bridge.LoadViaGdiplus({}, SmallPng(), surface, lent));
    }
    EXPECT_TRUE(cGDIPlus::IsStarted(lent));
    EXPECT_TRUE(cGDIPlus::Shutdown(lent));
}

} // namespace
} // namespace dorvane
