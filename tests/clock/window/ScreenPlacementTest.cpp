#include "clock/window/ScreenPlacement.h"

#include "tests/support/Fakes.h"

#include <gtest/gtest.h>

#include <vector>

namespace dorvane {
namespace {

TEST(ScreenPlacement, AClockWhollyOffEveryScreenComesJustInsideTheNearestOneAnyOtherStaysPut)
{
    const std::vector<PixelRect> none;
    const std::vector<PixelRect> one = {{0, 0, 1280, 1024}};
    // Two screens side by side, the right one lower and smaller.
    const std::vector<PixelRect> two = {{0, 0, 1920, 1080}, {1920, 200, 1024, 768}};
    const struct { const char* what; PixelRect clock; const std::vector<PixelRect>& screens; PixelPoint expected; } cases[] = {
        {"wholly on the screen", {300, 200, 129, 128}, one, {300, 200}},
        {"one pixel on it", {-128, 1023, 129, 128}, one, {-128, 1023}},
        {"far right, near the 32-bit limit", {2000000000, 20, 129, 128}, one, {1151, 20}},
        {"far up and left", {-5000, -5000, 129, 128}, one, {0, 0}},
        {"just off the bottom", {600, 1024, 129, 128}, one, {600, 896}},
        {"below the right screen", {2500, 1500, 129, 128}, two, {2500, 840}},
        {"far below both, nearer the left one", {2500, 3000, 129, 128}, two, {1791, 952}},
        {"beside the right screen's top, over nothing", {2100, 50, 129, 128}, two, {2100, 200}},
        {"larger than the screen", {9000, 0, 2000, 128}, one, {0, 0}},
        {"no screens at all", {9000, 9000, 129, 128}, none, {9000, 9000}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReachablePosition(c.clock, c.screens), c.expected) << c.what;
}

TEST(ScreenPlacement, TwipsBecomeTheNearestWholePixelsAndPixelsBecomeTwipsAtTheScreensScale)
{
    const testing::FakeScreen screen(1280, 1024, 12);
    EXPECT_EQ(TwipsToPixels(1207, 1194, screen), (PixelPoint{101, 100}));
    EXPECT_EQ(TwipsToPixels(-22, 5, screen), (PixelPoint{-2, 0}));
    EXPECT_EQ(PixelsToTwips({10, 20, 129, 128}, screen), (TwipsRect{120, 240, 1548, 1536}));
}

} // namespace
} // namespace dorvane
