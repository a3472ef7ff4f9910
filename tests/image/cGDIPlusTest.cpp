// The imaging bridge: loading and saving bytes through it (its drawing: the Render tests).

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

} // namespace
} // namespace dorvane
