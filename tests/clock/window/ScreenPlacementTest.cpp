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

TEST(ScreenPlacement, AWindowBesideAnotherOpensRightOfItOrLeftWhereTheScreenEndsAndUpToEndOnTheScreen)
{
    const PixelRect screen{0, 0, 1280, 1024};
    const struct { PixelRect owner; int32_t width, height; PixelRect screen; PixelPoint expected; } rows[] = {
        {{100, 100, 400, 300}, 200, 150, screen, {500, 100}},    // to the right, top edges level
        {{880, 0, 200, 300}, 200, 150, screen, {1080, 0}},       // ends exactly at the screen's edge
        {{1000, 100, 200, 300}, 200, 150, screen, {800, 100}},   // the screen ends first: to the left
        {{100, 100, 1100, 300}, 200, 150, screen, {0, 100}},     // no room either side: at the left edge
        {{100, 950, 400, 60}, 200, 150, screen, {500, 874}},     // moved up to end on the screen
        {{100, 100, 400, 300}, 200, 2000, screen, {500, 0}},     // taller than the screen: at its top
        {{1400, -50, 400, 300}, 200, 150, {1280, 0, 1920, 1080}, {1800, 0}}, // a second screen's top
    };
    for (const auto& row : rows)
        EXPECT_EQ(BesideWindow(row.owner, row.width, row.height, row.screen), row.expected)
            << row.owner.x << "," << row.owner.y << " " << row.width << "x" << row.height;
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
