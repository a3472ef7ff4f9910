#include "options/ButtonStrip.h"
#include "tests/support/Fakes.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace dorvane {
namespace {

constexpr double kScreenWidth = 1280 * 15, kScreenHeight = 1024 * 15;

struct ButtonStripTest : ::testing::Test {
    testing::RecordingStripActions windows{{1000 * 15, 20 * 15, 130 * 15, 130 * 15}};
    ButtonStrip strip{windows, 400, 1200};
};

TEST_F(ButtonStripTest, StandsFiftyTwipsRightOfTheClockAndBelowItsTopDragsTheClockAlongAndItsPicturesAct)
{
    const TwipsRect placed = strip.Place();
    EXPECT_EQ(placed, (TwipsRect{1130 * 15 + 50, 20 * 15 + 50, 400, 1200}));
    EXPECT_EQ(windows.strip, std::make_pair(placed.left, placed.top));

    strip.DragPressed(30.4, 40.6); // rounded to whole twips
    strip.DragMoved(130, 41);
    EXPECT_DOUBLE_EQ(strip.Rect().left, placed.left + 100);
    EXPECT_DOUBLE_EQ(strip.Rect().top, placed.top);
    EXPECT_DOUBLE_EQ(windows.clock.left, 1000 * 15 + 100);
    EXPECT_DOUBLE_EQ(windows.clock.top, 20 * 15);

    strip.PointerMoved();
    strip.OptionsClicked();
    strip.CloseClicked();
    EXPECT_EQ(windows.events, (std::vector<std::string>{"moved", "hide", "options", "close"}));
}

TEST_F(ButtonStripTest, ReleasingBringsThePairBackOnTheScreen)
{
    struct Case {
        const char* what;
        double dragLeft, dragTop;
        double stripLeft, stripTop, clockLeft, clockTop;
    } cases[] = {
        {"inside", 5000, 5000, 5000, 5000, 5000 - 1950 - 50, 4950},
        {"past the right edge", kScreenWidth - 100, 5000, kScreenWidth - 400, 5000, kScreenWidth - 400 - 1950 - 50, 4950},
        {"past the left edge", -300, 5000, 0, 5000, 450, 4950},
        {"above the top", 5000, -200, 5000, 0, 3000, -50},
        {"below the bottom", 5000, kScreenHeight - 1000, 5000, kScreenHeight - 1950 - 500, 3000, kScreenHeight - 1950 - 550},
    };
    for (const auto& c : cases) {
        strip.Place();
        strip.DragPressed(10, 10); // the handle dragged so that the strip's top-left lands at dragLeft, dragTop
        strip.DragMoved(c.dragLeft - strip.Rect().left + 10, c.dragTop - strip.Rect().top + 10);
        strip.DragReleased(kScreenWidth, kScreenHeight);
        EXPECT_EQ(std::tuple(strip.Rect().left, strip.Rect().top, windows.clock.left, windows.clock.top, windows.strip),
                  std::tuple(c.stripLeft, c.stripTop, c.clockLeft, c.clockTop, std::pair(c.stripLeft, c.stripTop)))
            << c.what;
    }
}

} // namespace
} // namespace dorvane
