#include "image/c32bppDIB.h"
#include "image/cGDIPlus.h"
#include "tests/image/ImageTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace dorvane {
namespace {

using testing::Bgra;

void ExpectEmpty(const c32bppDIB& surface)
{
    EXPECT_EQ(surface.Handle(), nullptr);
    EXPECT_EQ(surface.BitsPointer(), nullptr);
    EXPECT_EQ(surface.Width(), 0);
    EXPECT_EQ(surface.Height(), 0);
    EXPECT_EQ(surface.ImageType(), c32bppDIB::kNoImage);
    EXPECT_FALSE(surface.Alpha());
}

void SetStored(c32bppDIB& surface, int x, int y, Bgra bytes)
{
    std::copy(bytes.begin(), bytes.end(), surface.Pixels().Pixel(x, y));
}

// ---- creation and shape ----

TEST(Surface, StartsEmptyWithOurCapabilitiesAndHighQualityInterpolation)
{
    c32bppDIB surface;
    ExpectEmpty(surface);
    EXPECT_TRUE(surface.isAlphaBlendFriendly());
    EXPECT_TRUE(surface.isGDIplusEnabled());
    EXPECT_TRUE(surface.HighQualityInterpolation());
    EXPECT_TRUE(surface.isZlibEnabled());
    EXPECT_EQ(surface.CapabilityFlags(), c32bppDIB::kBlendHandlesAlpha | c32bppDIB::kImagingServices |
                                             c32bppDIB::kFiltersWhileStretching);
}

TEST(Surface, TakesANegativeHeightAsItsAbsoluteValue)
{
    c32bppDIB surface;
    ASSERT_TRUE(surface.InitializeDIB(10, -5));
    EXPECT_EQ(surface.Width(), 10);
    EXPECT_EQ(surface.Height(), 5);
    EXPECT_EQ(surface.scanWidth(), 40);
    EXPECT_NE(surface.Handle(), nullptr);
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

TEST(Surface, IsBlankAndTransparentAfterInitializeAndErase)
{
    c32bppDIB surface;
    ASSERT_TRUE(surface.InitializeDIB(4, 3));
    SetStored(surface, 1, 1, {1, 2, 3, 4});
    surface.SetAlpha(false);
    surface.EraseDIB();
    const auto bytes = surface.PixelBytes();
    ASSERT_EQ(bytes.size(), 48u);
    EXPECT_TRUE(std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; }));
    EXPECT_TRUE(surface.Alpha());
    EXPECT_EQ(surface.ImageType(), c32bppDIB::kBlank);
}

TEST(Surface, DestroyEmptiesEverything)
{
    c32bppDIB surface;
    ASSERT_TRUE(surface.InitializeDIB(4, 3));
    surface.DestroyDIB();
    ExpectEmpty(surface);
}

TEST(Surface, KeepsRowsBottomUp)
{
    c32bppDIB surface;
    ASSERT_TRUE(surface.InitializeDIB(3, 2));
    SetStored(surface, 2, 0, {9, 9, 9, 9});  // top row, last column
    EXPECT_EQ(surface.BitsPointer()[((2 - 0 - 1) * 3 + 2) * 4], 9);
}

// ---- reading pixels ----

TEST(Surface, GetPixelUnpremultipliesUnlessAskedForStoredBytes)
{
    c32bppDIB surface;
    ASSERT_TRUE(surface.InitializeDIB(2, 2));
    SetStored(surface, 1, 0, {40, 60, 80, 128});
    std::int32_t alpha = -7;
    EXPECT_EQ(surface.GetPixel(1, 0, alpha), 0x004F779F);
    EXPECT_EQ(alpha, 128);
    EXPECT_EQ(surface.GetPixel(1, 0, alpha, true), 0x00283C50);
}

TEST(Surface, GetPixelReturnsStoredBytesForOpaqueAndTransparentPixels)
{
    c32bppDIB surface;
    ASSERT_TRUE(surface.InitializeDIB(2, 1));
    SetStored(surface, 0, 0, {1, 2, 3, 255});
    std::int32_t alpha = 0;
    EXPECT_EQ(surface.GetPixel(0, 0, alpha), 0x00010203);
    EXPECT_EQ(alpha, 255);
    EXPECT_EQ(surface.GetPixel(1, 0, alpha), 0);
    EXPECT_EQ(alpha, 0);
}

TEST(Surface, GetPixelOutsideGivesMinusOneAndAlphaZero)
{
    c32bppDIB surface;
    ASSERT_TRUE(surface.InitializeDIB(4, 3));
    surface.PixelBytes()[3] = 255;
    for (auto [x, y] : {std::pair{4, 0}, {0, -1}, {-1, 0}, {0, 3}}) {
        std::int32_t alpha = 99;
        EXPECT_EQ(surface.GetPixel(x, y, alpha), -1);
        EXPECT_EQ(alpha, 0);
    }
    c32bppDIB empty;
    std::int32_t alpha = 99;
    EXPECT_EQ(empty.GetPixel(0, 0, alpha), -1);
}

TEST(Surface, GetPixelKeepsEachChannelAByteWhenColourExceedsAlpha)
{
    c32bppDIB surface;
    ASSERT_TRUE(surface.InitializeDIB(1, 1));
    SetStored(surface, 0, 0, {200, 10, 10, 100});
    std::int32_t alpha = 0;
    EXPECT_EQ(surface.GetPixel(0, 0, alpha), 0x00FF1919);
}

// ---- drawing target ----

TEST(Surface, LendsItsPixelsAsADrawingTargetAndTakesThemBack)
{
    c32bppDIB surface;
    EXPECT_EQ(surface.LoadDIBinDC(true), nullptr);
    ASSERT_TRUE(surface.InitializeDIB(5, 4));
    DeviceContext* dc = surface.LoadDIBinDC(true);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(dc->Target().bits, surface.BitsPointer());
    EXPECT_EQ(dc->Target().width, 5);
    EXPECT_TRUE(dc->Target().bottomUp);
    EXPECT_EQ(surface.LoadDIBinDC(true), dc);  // already lent: the same context
    EXPECT_EQ(surface.LoadDIBinDC(false), nullptr);
}

TEST(Surface, KeepsItsOwnContextOnlyWhileManagingIt)
{
    c32bppDIB surface;
    surface.SetManageOwnDC(true);
    ASSERT_TRUE(surface.InitializeDIB(2, 2));
    DeviceContext* dc = surface.LoadDIBinDC(true);
    surface.LoadDIBinDC(false);
    EXPECT_FALSE(dc->Target());  // the pixels were taken back, the context stays
    EXPECT_EQ(surface.LoadDIBinDC(true), dc);
    surface.LoadDIBinDC(false);
    surface.SetManageOwnDC(false);
    EXPECT_FALSE(surface.ManageOwnDC());
}

// ---- capability properties ----

TEST(Surface, AlphaBlendFriendlinessCanBeSwitchedOffAndOnAgain)
{
    c32bppDIB surface;
    surface.SetIsAlphaBlendFriendly(false);
    EXPECT_FALSE(surface.isAlphaBlendFriendly());
    EXPECT_EQ(surface.CapabilityFlags() & c32bppDIB::kFiltersWhileStretching, c32bppDIB::kFiltersWhileStretching);
    surface.SetIsAlphaBlendFriendly(true);
    EXPECT_TRUE(surface.isAlphaBlendFriendly());
}

TEST(Surface, ImagingServicesCanBeDisabledAndReEnabled)
{
    c32bppDIB surface;
    surface.SetIsGDIplusEnabled(false);
    EXPECT_FALSE(surface.isGDIplusEnabled());
    surface.SetKeepGDIplusActive(true);
    EXPECT_FALSE(surface.KeepGDIplusActive());  // not without the services
    surface.SetIsGDIplusEnabled(true);
    EXPECT_TRUE(surface.isGDIplusEnabled());
    surface.SetKeepGDIplusActive(true);
    EXPECT_TRUE(surface.KeepGDIplusActive());
}

TEST(Surface, HandsOutATokenThatStaysStartedUntilDestroyed)
{
    c32bppDIB surface;
    const std::uint32_t token = surface.CreateGDIplusToken();
    ASSERT_NE(token, 0u);
    EXPECT_TRUE(cGDIPlus::IsStarted(token));
    EXPECT_TRUE(surface.DestroyGDIplusToken(token));
    EXPECT_FALSE(cGDIPlus::IsStarted(token));
    EXPECT_FALSE(surface.DestroyGDIplusToken(token));
    EXPECT_FALSE(surface.DestroyGDIplusToken(0));
}

TEST(Surface, KeepsTagAndTokenAsGiven)
{
    c32bppDIB surface;
    surface.Tag() = std::string("dial");
    surface.SetGdiToken(77);
    EXPECT_EQ(std::any_cast<std::string>(surface.Tag()), "dial");
    EXPECT_EQ(surface.gdiToken(), 77u);
}

} // namespace
} // namespace dorvane
