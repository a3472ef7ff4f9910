// The imaging bridge's drawing: mirrors through its kept bitmap and flip state, opacity, and the
// bridge a surface keeps between renders.

#include "image/DeviceContext.h"
#include "image/c32bppDIB.h"
#include "image/cGDIPlus.h"
#include "tests/image/RenderTestSupport.h"

#include <gtest/gtest.h>

namespace dorvane {
namespace {

using testing::Bgra;
using testing::StoredPixel;

// 100 x 100: blue counts columns, green rows, so any mirror shows.
void PaintNumbered(c32bppDIB& surface)
{
    testing::Paint(surface, 100, 100, [](int x, int y) { return Bgra{std::uint8_t(x), std::uint8_t(y), 0, 255}; });
}

TEST(ImagingBridge, NegativeSizesMirrorAndTheKeptBitmapFollowsTheLastDraw)
{
    const struct {
        int width, height;
        bool mirrorX, mirrorY;
        int flip;
    } cases[] = {
        {100, -100, false, true, cGDIPlus::kFlipNone},
        {-100, 100, true, false, cGDIPlus::kFlipBoth},  // upright (a vertical flip) and mirrored
        {-100, -100, true, true, cGDIPlus::kFlipX},
        {100, 100, false, false, cGDIPlus::kFlipY},
    };
    c32bppDIB source;
    PaintNumbered(source);
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

TEST(ImagingBridge, OpacityZeroDrawsNothingAndSucceeds)
{
    c32bppDIB source, canvas;
    PaintNumbered(source);
    canvas.InitializeDIB(100, 100);
    DeviceContext dc(canvas.Pixels());
    EXPECT_TRUE(cGDIPlus().DrawViaGdiplus(&dc, source, 30, 0, 0, 0, 100, 100, 0, 0, 100, 100, true, 0));
    EXPECT_EQ(StoredPixel(canvas, 50, 50), (Bgra{0, 0, 0, 0}));
}

TEST(ImagingBridge, ASurfaceKeepsItsBridgeWhenAskedAndDropsItWhenReloaded)
{
    c32bppDIB source, canvas;
    PaintNumbered(source);
    canvas.InitializeDIB(100, 100);
    source.SetKeepGDIplusActive(true);
    ASSERT_TRUE(source.KeepGDIplusActive());
    ASSERT_TRUE(source.Render(nullptr, 0, 0, -100, 100, 0, 0, 0, 0, 100, true, true, &canvas));
    ASSERT_NE(source.GdiBridge(), nullptr);
    EXPECT_EQ(source.GdiBridge()->CurrentFlipState(), cGDIPlus::kFlipBoth);
    ASSERT_TRUE(source.Render(nullptr, 0, 0, 100, 100, 0, 0, 0, 0, 100, true, true, &canvas, 45));
    EXPECT_EQ(source.GdiBridge()->CurrentFlipState(), cGDIPlus::kFlipY);
    source.SetKeepGDIplusActive(false);
    EXPECT_EQ(source.GdiBridge(), nullptr);
}

TEST(ImagingBridge, SavingShowsTheBitmapUprightAndStoppingLetsItGo)
{
    c32bppDIB source;
    PaintNumbered(source);
    cGDIPlus bridge;
    std::uint32_t token = 0;
    ASSERT_TRUE(bridge.isGDIplusOk(token, true));
    std::vector<std::uint8_t> png;
    ASSERT_TRUE(bridge.SaveToPNG({}, png, source, token));
    EXPECT_EQ(bridge.CurrentFlipState(), cGDIPlus::kFlipY);
    EXPECT_TRUE(bridge.StopGdiplus(token));
    EXPECT_FALSE(bridge.HasCachedBitmap());
    EXPECT_EQ(bridge.CurrentFlipState(), cGDIPlus::kFlipNone);
}

TEST(ImagingBridge, FailsWithoutPixelsToDrawOn)
{
    c32bppDIB source, empty;
    PaintNumbered(source);
    DeviceContext unselected;
    EXPECT_FALSE(cGDIPlus().DrawViaGdiplus(&unselected, source, 0, 100, 0, 0, 10, 10, 0, 0, 10, 10, true, 0));
    EXPECT_FALSE(cGDIPlus().DrawViaGdiplus(nullptr, source, 0, 100, 0, 0, 10, 10, 0, 0, 10, 10, true, 0));
    DeviceContext dc(source.Pixels());
    EXPECT_FALSE(cGDIPlus().DrawViaGdiplus(&dc, empty, 0, 100, 0, 0, 10, 10, 0, 0, 10, 10, true, 0));
}

} // namespace
} // namespace dorvane
