#include "clock/face/LabelFont.h"
#include "image/c32bppDIB.h"
#include "tests/support/ImageTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <string_view>

namespace dorvane {
namespace {

using namespace testing;

constexpr LabelColour kWhite{255, 255, 255};

// A 200 x 40 transparent picture with text written in white at size, its left edge at x and its
// capitals' top at top.
struct Written : c32bppDIB {
    explicit Written(std::string_view text, double size = 2, double x = 4, double top = 4)
    {
        InitializeDIB(200, 40);
        LabelFont(size).Draw(*this, x, top, text, kWhite);
    }
};

TEST(LabelFont, InkStaysInsideTheMeasuredTextOnTheBaselineWithCrispStraightStrokesAndSmoothDiagonals)
{
    for (const std::string text : {"GlassGradient1", "<default>", "jumpy"}) {
        SCOPED_TRACE(text);
        const LabelFont font(1.5);
        const InkBox ink = InkOf(Written(text, 1.5, 10, 6));
        EXPECT_GE(ink.left, 10);
        EXPECT_LE(ink.right, 10 + std::ceil(font.TextWidth(text)) - 1);
        EXPECT_GE(ink.top, 6);
        EXPECT_LE(ink.bottom, 6 + std::ceil(font.Ascent() + font.Descent()) - 1);
        EXPECT_GT(ink.right - ink.left, font.TextWidth(text) - 3) << "the measure is not wider than the ink";
    }
    EXPECT_LT(LabelFont(1).TextWidth("ill"), LabelFont(1).TextWidth("mmm")) << "proportional";
    const int baseline = 4 + int(LabelFont(2).Ascent()); // the first row below the capitals
    for (const char* text : {"H", "a", "Black"})
        EXPECT_EQ(InkOf(Written(text)).bottom, baseline - 1) << text;
    for (const char* text : {"g", "y"})
        EXPECT_GT(InkOf(Written(text)).bottom, baseline) << text;
    EXPECT_EQ(InkOf(Written("H")).top, 4);
    EXPECT_GT(InkOf(Written("x")).top, 4 + 3) << "lower case is shorter than the capitals";
    // At a whole size on whole pixels an upright letter's edges fall on pixel edges; slanted
    // strokes are antialiased rather than stepped; between pixels every edge is shared.
    EXPECT_EQ(InkOf(Written("H", 2)).partial + InkOf(Written("T", 3)).partial, 0);
    EXPECT_GT(InkOf(Written("X", 2)).partial, 4);
    EXPECT_GT(InkOf(Written("H", 2, 4.5)).partial, 0);
    EXPECT_EQ(AllPixels(Written("\xC3\xA9")), AllPixels(Written("??"))) << "each byte past ASCII is a question mark";
}

TEST(LabelFont, LaysItsColourOverWhatIsThereAndWritesOnlyInsideThePicture)
{
    c32bppDIB picture;
    const Bgra grey = {100, 100, 100, 255};
    Fill(picture, 20, 20, grey);
    LabelFont(2).Draw(picture, 2, 2, "I", LabelColour{255, 0, 0, 128});
    // The middle of the I's stem is fully covered: half red over the grey.
    const Bgra stem = StoredPixel(picture, 4, 8);
    EXPECT_NEAR(stem[2], 128 + 100 * (1 - 128 / 255.0), 1);
    EXPECT_NEAR(stem[1], 100 * (1 - 128 / 255.0), 1);
    EXPECT_EQ(stem[3], 255);
    EXPECT_EQ(StoredPixel(picture, 15, 15), grey) << "away from the letter nothing changes";
    // Past every edge (the sanitizers watch the writes), and on no picture at all.
    const auto before = AllPixels(picture);
    LabelFont(2).Draw(picture, -7, -5, "Wall", kWhite);
    LabelFont(2).Draw(picture, 17, 15, "GlassGradient", kWhite);
    EXPECT_NE(AllPixels(picture), before) << "what falls inside is written";
    c32bppDIB empty;
    LabelFont(2).Draw(empty, 0, 0, "Wall", kWhite);
    EXPECT_EQ(empty.Handle(), nullptr);
}

} // namespace
} // namespace dorvane
