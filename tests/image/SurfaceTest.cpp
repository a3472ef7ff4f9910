// The 32-bit surface itself: creation and shape, reading pixels, lending them out as a drawing
// target, and the switches that choose how it draws.

#include "image/c32bppDIB.h"
#include "tests/image/ImageTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace dorvane {
namespace {

using namespace testing;

void ExpectEmpty(const c32bppDIB& surface)
{
    EXPECT_EQ(surface.Handle(), nullptr);
    EXPECT_EQ(surface.BitsPointer(), nullptr);
    EXPECT_EQ(surface.Width(), 0);
    EXPECT_EQ(surface.Height(), 0);
    EXPECT_EQ(surface.ImageType(), c32bppDIB::kNoImage);
    EXPECT_FALSE(surface.Alpha());
}

TEST(Surface, StartsEmptyWithOurCapabilitiesAndHighQualityInterpolation)
{
    c32bppDIB surface;
    ExpectEmpty(surface);
    EXPECT_TRUE(surface.HighQualityInterpolation());
    EXPECT_TRUE(surface.isZlibEnabled());
    EXPECT_EQ(surface.CapabilityFlags(), c32bppDIB::kBlendHandlesAlpha | c32bppDIB::kImagingServices |
                                             c32bppDIB::kFiltersWhileStretching);
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
    const struct {
        int x, y;
        bool stored;
        std::int32_t colour, alpha;
    } cases[] = {
        {0, 0, false, 0x00010203, 255},
        {1, 0, false, 0x004F779F, 128},  // 40, 60, 80 under alpha 128: 79, 119, 159
        {1, 0, true, 0x00283C50, 128},   // the stored bytes when asked
        {2, 0, false, 0, 0},
        {3, 0, false, 0x00FF1919, 100},  // colour above alpha in memory: each channel kept a byte
        {4, 0, false, -1, 0},
        {0, -1, false, -1, 0},
        {-1, 0, false, -1, 0},
        {0, 3, false, -1, 0},
    };
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
    EXPECT_EQ(dc->Target().width, 5);
    EXPECT_TRUE(dc->Target().bottomUp);
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

TEST(Surface, KeepsTheImagingBridgeOnlyWhileTheServicesAreEnabled)
{
    c32bppDIB surface;
    surface.SetIsAlphaBlendFriendly(false);
    EXPECT_EQ(surface.CapabilityFlags(), c32bppDIB::kImagingServices | c32bppDIB::kFiltersWhileStretching);
    surface.SetIsGDIplusEnabled(false);
    surface.SetKeepGDIplusActive(true);
    EXPECT_FALSE(surface.KeepGDIplusActive());
    surface.SetIsGDIplusEnabled(true);
    surface.SetKeepGDIplusActive(true);
    EXPECT_TRUE(surface.KeepGDIplusActive());
}

} // namespace
} // namespace dorvane
