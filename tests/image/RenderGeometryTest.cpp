// The geometry of turned and shrunk drawings: quarter turns are exact pixel rotations, the pivot
// stays on the dial's centre at every angle, thin lines keep their coverage and their ends, edges
// are soft.

#include "image/c32bppDIB.h"
#include "tests/image/RenderTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace dorvane {
namespace {

using testing::Bgra;
using testing::DrawOnDial;
using testing::PaintHand;
using testing::StoredPixel;

// An asymmetric hand: a bar with a knob on its left near the tip, so that every turn and mirror
// of it looks different.
void PaintAsymmetricHand(c32bppDIB& hand)
{
    testing::Paint(hand, 196, 196, [](int x, int y) -> Bgra {
        const bool bar = x >= 95 && x < 102 && y >= 20 && y < 110;
        const bool knob = x >= 80 && x < 95 && y >= 30 && y < 40;
        const bool shade = x >= 102 && x < 104 && y >= 20 && y < 110;
        if (bar || knob)
            return {std::uint8_t(x), std::uint8_t(y), 200, 255};
        return shade ? Bgra{20, 20, 20, 96} : Bgra{0, 0, 0, 0};
    });
}

// The pixel of an upright drawing that a clockwise quarter turn (quarters times) moves to (x, y).
std::pair<int, int> BeforeTurn(int x, int y, int size, int quarters)
{
    for (int i = 0; i < quarters; ++i)
        std::tie(x, y) = std::make_pair(y, size - 1 - x);
    return {x, y};
}

TEST(RenderGeometry, QuarterTurnsAreExactPixelRotationsOfTheUprightDrawing)
{
    for (bool highQuality : {true, false}) {
        for (int size : {130, 129, 64}) {
            c32bppDIB hand, upright;
            PaintAsymmetricHand(hand);
            hand.SetHighQualityInterpolation(highQuality);
            hand.SetGdiToken(1);  // as the clock's hands: upright ones take the imaging path too
            DrawOnDial(hand, upright, size, 0.0f, 80);
            for (int quarters : {1, 2, 3}) {
                c32bppDIB turned;
                DrawOnDial(hand, turned, size, float(90 * quarters), 80);
                int differing = 0;
                for (int y = 0; y < size; ++y)
                    for (int x = 0; x < size; ++x) {
                        const auto [ux, uy] = BeforeTurn(x, y, size, quarters);
                        differing += StoredPixel(turned, x, y) != StoredPixel(upright, ux, uy);
                    }
                EXPECT_EQ(differing, 0) << 90 * quarters << " degrees, size " << size << (highQuality ? " hq" : " nearest");
            }
        }
    }
}

TEST(RenderGeometry, TheCentreOfAHalfTurnSymmetricHandStaysOnTheDialCentre)
{
    for (int size : {130, 129}) {
        c32bppDIB hand;
        PaintHand(hand, 6, 80, true);
        for (double angle = 0; angle < 360; angle += 7.3) {
            c32bppDIB dial;
            DrawOnDial(hand, dial, size, float(angle));
            const auto centroid = testing::AlphaCentroid(dial);
            EXPECT_NEAR(centroid.x, size / 2.0, 0.05) << angle << " degrees on " << size;
            EXPECT_NEAR(centroid.y, size / 2.0, 0.05) << angle << " degrees on " << size;
        }
    }
}

TEST(RenderGeometry, AHandTurnsAboutTheDialCentre)
{
    c32bppDIB hand, dial;
    PaintHand(hand, 8, 70);
    DrawOnDial(hand, dial, 130, 0);
    const auto upright = testing::AlphaCentroid(dial);
    const double reach = 65 - upright.y;  // how far above the centre the hand's weight sits
    ASSERT_GT(reach, 20);
    for (double angle : {15.0, 37.3, 90.0, 123.4, 180.0, 211.0, 270.0, 304.75, 359.5}) {
        DrawOnDial(hand, dial, 130, float(angle));
        const auto turned = testing::AlphaCentroid(dial);
        const double radians = angle * M_PI / 180;
        EXPECT_NEAR(turned.x, 65 + reach * std::sin(radians), 0.1) << angle;
        EXPECT_NEAR(turned.y, 65 - reach * std::cos(radians), 0.1) << angle;
        EXPECT_NEAR(turned.coverage, upright.coverage, upright.coverage * 0.005) << angle;
    }
}

// A line one source pixel wide shrunk from 196 to 130 covers about 130/196 of a pixel across: in
// high quality it shows along its whole length with even weight, at any angle, tip included.
TEST(RenderGeometry, AThinLineShrunkKeepsItsCoverageAndItsEnd)
{
    const double shrink = 130.0 / 196.0;
    for (double angle : {0.0, 37.3, 45.0, 90.0, 304.75}) {
        c32bppDIB hand, dial;
        PaintHand(hand, 1, 90);
        DrawOnDial(hand, dial, 130, float(angle));
        const auto centroid = testing::AlphaCentroid(dial);
        EXPECT_NEAR(centroid.coverage, 90 * shrink * shrink, 90 * shrink * shrink * 0.03) << angle;
        // Walk along the line: the weight across it stays even (every six pixels of its length
        // carry about 6 x shrink of a pixel), and it reaches its tip.
        const double radians = angle * M_PI / 180, dx = std::sin(radians), dy = -std::cos(radians);
        for (double along = 4; along <= 90 * shrink - 4; along += 1) {
            double weight = 0;
            for (int y = 0; y < 130; ++y)
                for (int x = 0; x < 130; ++x) {
                    const double ox = x + 0.5 - 65, oy = y + 0.5 - 65;
                    if (std::abs(ox * dx + oy * dy - along) < 3 && std::abs(oy * dx - ox * dy) < 4)
                        weight += StoredPixel(dial, x, y)[3] / 255.0;
                }
            EXPECT_GT(weight, 6 * shrink * 0.85) << "a gap at " << along << " along the line at " << angle << " degrees";
            EXPECT_LT(weight, 6 * shrink * 1.15) << "a lump at " << along << " along the line at " << angle << " degrees";
        }
        const int tipX = int(std::floor(65 + (90 * shrink - 1) * dx)), tipY = int(std::floor(65 + (90 * shrink - 1) * dy));
        EXPECT_GT(StoredPixel(dial, tipX, tipY)[3], 40) << "the tip is lost at " << angle;
    }
}

TEST(RenderGeometry, TurnedEdgesAreSoftInHighQualityAndHardByNearestPixel)
{
    for (bool highQuality : {true, false}) {
        c32bppDIB square, dial;
        testing::Fill(square, 40, 40, {0, 0, 255, 255});
        square.SetHighQualityInterpolation(highQuality);
        dial.InitializeDIB(80, 80);
        square.Render(nullptr, 20, 20, 40, 40, 0, 0, 0, 0, 100, true, true, &dial, 30);
        int partial = 0, opaque = 0;
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 80; ++x) {
                const int a = StoredPixel(dial, x, y)[3];
                partial += a > 0 && a < 255, opaque += a == 255;
            }
        // The turned square's outline is about 160 pixels long.
        if (highQuality)
            EXPECT_GT(partial, 140);
        else
            EXPECT_EQ(partial, 0);
        EXPECT_NEAR(opaque + partial / 2.0, 1600, 40) << (highQuality ? "hq" : "nearest");
    }
}

TEST(RenderGeometry, NothingIsDrawnOutsideTheTarget)
{
    // Huge, mirrored, far-off and tiny rectangles on a small target: the target's neighbours in
    // memory are never touched (AddressSanitizer watches the rest).
    const struct {
        int x, y, width, height;
        float angle;
    } cases[] = {{-1000000000, -1000000000, 2000000000, 2000000000, 0}, {3, 3, -2000000000, 7, 45},
                 {2000000000, 5, 10, 10, 10},                          {1, 1, 1, 1, 1e30f},
                 {-5, -5, 30, 30, 1e-30f},                             {0, 0, INT32_MIN, INT32_MIN, 33}};
    for (const auto& c : cases) {
        c32bppDIB source;
        testing::Fill(source, 16, 16, {9, 9, 9, 255});
        std::vector<std::uint8_t> memory(12 * 12 * 4 + 64, 0xAB);
        PixelView target{memory.data() + 32, 12, 12, 48, true};
        DeviceContext dc(target);
        source.Render(&dc, c.x, c.y, c.width, c.height, 0, 0, 0, 0, 100, true, true, nullptr, c.angle);
        for (std::size_t i = 0; i < 32; ++i) {
            EXPECT_EQ(memory[i], 0xAB) << c.x;
            EXPECT_EQ(memory[memory.size() - 1 - i], 0xAB) << c.x;
        }
    }
}

} // namespace
} // namespace dorvane
