// The imaging bridge: loading and saving bytes through it, and its drawing (mirrors through its kept bitmap and
// flip state).

#include "image/DeviceContext.h"
#include "image/c32bppDIB.h"
#include "image/cGDIPlus.h"
#include "tests/support/ImageTestSupport.h"
#include "tests/support/PictureBuilders.h"

#include <gtest/gtest.h>

namespace dorvane {
namespace {

using namespace testing;

TEST(ImagingBridge, LoadsBytesAsImageTypeTenAndSavesAPngItReadsBack)
{
    c32bppDIB surface, withAlpha, empty;
    cGDIPlus bridge;
    ASSERT_TRUE(bridge.LoadViaGdiplus({}, Bmp32(2, 2, {10, 20, 30, 255}), surface, 0));
    EXPECT_EQ(std::tuple(surface.ImageType(), surface.Alpha(), AllPixels(surface)),
              std::tuple(c32bppDIB::kPng, false, std::vector<Bgra>(4, Bgra{10, 20, 30, 255})));
    Fill(withAlpha, 2, 1, {0, 0, 100, 128});
    Bytes png;
    ASSERT_TRUE(bridge.SaveToPNG({}, png, withAlpha, 0));
    ASSERT_TRUE(bridge.LoadViaGdiplus({}, png, surface, 0));
    EXPECT_EQ(std::tuple(surface.Alpha(), AllPixels(surface)), std::tuple(true, AllPixels(withAlpha)));
    EXPECT_FALSE(bridge.LoadViaGdiplus({}, Bytes(80, 1), surface, 0));
    EXPECT_EQ(surface.Handle(), nullptr);
    EXPECT_FALSE(cGDIPlus().SaveToPNG({}, png, empty, 0));
}

TEST(ImagingBridge, NegativeSizesMirrorAndTheKeptBitmapFollowsTheLastDraw)
{
    const struct { int width, height; bool mirrorX, mirrorY; int flip; } cases[] = {
        {100, -100, false, true, cGDIPlus::kFlipNone},  {-100, 100, true, false, cGDIPlus::kFlipBoth},  // upright and mirrored
        {-100, -100, true, true, cGDIPlus::kFlipX}, {100, 100, false, false, cGDIPlus::kFlipY}};
    c32bppDIB source;
    PaintNumbered(source, 100, 100);
    cGDIPlus bridge;  // one bridge for all the draws, as a kept one
    for (const auto& c : cases) {
        c32bppDIB canvas;
        canvas.InitializeDIB(100, 100);
        DeviceContext dc(canvas.Pixels());
        ASSERT_TRUE(bridge.DrawViaGdiplus(&dc, source, 0, 100, 0, 0, c.width, c.height, 0, 0, 100, 100, false, 0));
        EXPECT_TRUE(bridge.HasCachedBitmap());
        EXPECT_EQ(bridge.CurrentFlipState(), c.flip);
        for (int y : {0, 37, 99})
            for (int x : {0, 12, 99})
                EXPECT_EQ(StoredPixel(canvas, x, y), StoredPixel(source, c.mirrorX ? 99 - x : x, c.mirrorY ? 99 - y : y))
                    << c.width << "x" << c.height << " at " << x << "," << y;
    }
}

} // namespace
} // namespace dorvane
