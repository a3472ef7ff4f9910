// The imaging bridge: loading and saving through it, its drawing (mirrors through its kept bitmap and flip state,
// opacity), the bridge a surface keeps between renders, and the start tokens it hands out.

#include "image/DeviceContext.h"
#include "image/c32bppDIB.h"
#include "image/cGDIPlus.h"
#include "tests/support/ImageTestSupport.h"
#include "tests/support/PictureBuilders.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace dorvane {
namespace {

using namespace testing;

TEST(ImagingBridge, LoadsBytesOrAFileAsImageTypeTenAndSavesAPngToAFileOrBytes)
{
    TempFolder folder;
    c32bppDIB surface, withAlpha, empty;
    cGDIPlus bridge;
    ASSERT_TRUE(bridge.LoadViaGdiplus({}, Bmp32(2, 2, {10, 20, 30, 255}), surface, 0));
    EXPECT_EQ(surface.ImageType(), c32bppDIB::kPng);
    EXPECT_FALSE(surface.Alpha());
    EXPECT_EQ(AllPixels(surface), std::vector<Bgra>(4, Bgra{10, 20, 30, 255}));

    Fill(withAlpha, 2, 1, {0, 0, 100, 128});
    Bytes untouched = {1, 2, 3}, png;
    ASSERT_TRUE(bridge.SaveToPNG(folder / "p.png", untouched, withAlpha, 0));
    EXPECT_EQ(untouched, (Bytes{1, 2, 3}));  // writing a file leaves the byte output alone
    ASSERT_TRUE(bridge.SaveToPNG({}, png, withAlpha, 0));
    EXPECT_EQ(TempFolder::Read(folder / "p.png"), std::string(png.begin(), png.end()));
    ASSERT_TRUE(bridge.LoadViaGdiplus(folder / "p.png", {}, surface, 0));
    EXPECT_TRUE(surface.Alpha());
    EXPECT_EQ(AllPixels(surface), AllPixels(withAlpha));
    EXPECT_FALSE(bridge.LoadViaGdiplus({}, Bytes(80, 1), surface, 0));
    EXPECT_EQ(surface.Handle(), nullptr);
    EXPECT_FALSE(cGDIPlus().SaveToPNG({}, png, empty, 0));
    EXPECT_FALSE(cGDIPlus().SaveToPNG("/proc/no/such/place.png", png, withAlpha, 0));
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

TEST(ImagingBridge, DrawsNothingAtOpacityZeroAndFailsWithoutPixels)
{
    c32bppDIB source, canvas, empty;
    PaintNumbered(source, 100, 100);
    canvas.InitializeDIB(100, 100);
    DeviceContext dc(canvas.Pixels()), unselected;
    EXPECT_TRUE(cGDIPlus().DrawViaGdiplus(&dc, source, 30, 0, 0, 0, 100, 100, 0, 0, 100, 100, true, 0));
    EXPECT_EQ(StoredPixel(canvas, 50, 50), (Bgra{0, 0, 0, 0}));
    EXPECT_FALSE(cGDIPlus().DrawViaGdiplus(&unselected, source, 0, 100, 0, 0, 10, 10, 0, 0, 10, 10, true, 0));
    EXPECT_FALSE(cGDIPlus().DrawViaGdiplus(nullptr, source, 0, 100, 0, 0, 10, 10, 0, 0, 10, 10, true, 0));
    EXPECT_FALSE(cGDIPlus().DrawViaGdiplus(&dc, empty, 0, 100, 0, 0, 10, 10, 0, 0, 10, 10, true, 0));
}

TEST(ImagingBridge, ASurfaceKeepsItsBridgeWhenAskedAndDropsItWhenNoLonger)
{
    c32bppDIB source, canvas;
    PaintNumbered(source, 100, 100);
    canvas.InitializeDIB(100, 100);
    source.SetIsGDIplusEnabled(false);
    source.SetKeepGDIplusActive(true);
    EXPECT_FALSE(source.KeepGDIplusActive());  // not without the services
    source.SetIsGDIplusEnabled(true);
    source.SetKeepGDIplusActive(true);
    ASSERT_TRUE(source.Render(nullptr, 0, 0, -100, 100, 0, 0, 0, 0, 100, true, true, &canvas));
    ASSERT_NE(source.GdiBridge(), nullptr);
    EXPECT_EQ(source.GdiBridge()->CurrentFlipState(), cGDIPlus::kFlipBoth);
    ASSERT_TRUE(source.Render(nullptr, 0, 0, 100, 100, 0, 0, 0, 0, 100, true, true, &canvas, 45));
    EXPECT_EQ(source.GdiBridge()->CurrentFlipState(), cGDIPlus::kFlipY);
    source.SetKeepGDIplusActive(false);
    EXPECT_EQ(source.GdiBridge(), nullptr);
}

TEST(ImagingBridge, TokensStayStartedUntilStoppedOnceAndALentOneIsNeverStopped)
{
    cGDIPlus bridge;
    std::uint32_t probe = 0, kept = 0;
    EXPECT_TRUE(bridge.isGDIplusOk(probe, false));
    EXPECT_EQ(probe, 0u);  // a probe leaves no start behind
    ASSERT_TRUE(bridge.isGDIplusOk(kept, true));
    c32bppDIB numbered;
    PaintNumbered(numbered, 100, 100);
    Bytes png;
    ASSERT_TRUE(bridge.SaveToPNG({}, png, numbered, kept));
    EXPECT_EQ(bridge.CurrentFlipState(), cGDIPlus::kFlipY);  // saving turns the kept bitmap upright
    EXPECT_TRUE(bridge.StopGdiplus(kept));
    EXPECT_FALSE(cGDIPlus::IsStarted(kept));
    EXPECT_FALSE(bridge.HasCachedBitmap());  // stopping lets the bitmap go
    EXPECT_EQ(bridge.CurrentFlipState(), cGDIPlus::kFlipNone);

    c32bppDIB surface;
    const std::uint32_t token = surface.CreateGDIplusToken();
    ASSERT_TRUE(cGDIPlus::IsStarted(token));
    EXPECT_TRUE(surface.DestroyGDIplusToken(token));
    EXPECT_FALSE(cGDIPlus::IsStarted(token));
    EXPECT_FALSE(surface.DestroyGDIplusToken(token));

    const std::uint32_t lent = cGDIPlus::Startup();
    {
        cGDIPlus borrower;
        EXPECT_TRUE(borrower.LoadViaGdiplus({}, Bmp32(8, 8, {1, 2, 3, 255}), surface, lent));
    }
    EXPECT_TRUE(cGDIPlus::IsStarted(lent));
    EXPECT_TRUE(cGDIPlus::Shutdown(lent));
}

} // namespace
} // namespace dorvane
