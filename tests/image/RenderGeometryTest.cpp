// The geometry of turned and shrunk drawings: quarter turns are exact pixel rotations, the pivot
// stays on the dial's centre at every angle, thin lines keep their coverage and their ends, edges
// are soft; and the high-quality drawing of the clock's own hands measured against an independent
// reference, pixman's separable convolution filter.

#include "image/c32bppDIB.h"
#include "tests/image/RenderTestSupport.h"

#include <gtest/gtest.h>
#include <pixman.h>

#include <cmath>
#include <cstring>

namespace dorvane {
namespace {

using namespace testing;

// An asymmetric hand: a bar with a knob on its left near the tip, so that every turn and mirror
// of it looks different.
void PaintAsymmetricHand(c32bppDIB& hand)
{
    Paint(hand, 196, 196, [](int x, int y) -> Bgra {
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

// On even and odd dials alike: a hand symmetric under a half turn keeps its weight on the dial's
// centre at every angle, and a one-sided hand's weight turns clockwise about it at its reach.
TEST(RenderGeometry, AHandTurnsAboutTheDialCentre)
{
    for (int size : {130, 129}) {
        c32bppDIB symmetric, oneSided, dial;
        PaintHand(symmetric, 6, 80, true);
        PaintHand(oneSided, 8, 70);
        const double centre = size / 2.0;
        DrawOnDial(oneSided, dial, size, 0);
        const auto upright = AlphaCentroid(dial);
        const double reach = centre - upright.y;  // how far above the centre the hand's weight sits
        ASSERT_GT(reach, 20);
        for (double angle = 0; angle < 360; angle += 7.3) {
            SCOPED_TRACE(::testing::Message() << angle << " degrees on " << size);
            DrawOnDial(symmetric, dial, size, float(angle));
            const auto pivot = AlphaCentroid(dial);
            EXPECT_NEAR(pivot.x, centre, 0.05);
            EXPECT_NEAR(pivot.y, centre, 0.05);
            DrawOnDial(oneSided, dial, size, float(angle));
            const auto turned = AlphaCentroid(dial);
            const double radians = angle * M_PI / 180;
            EXPECT_NEAR(turned.x, centre + reach * std::sin(radians), 0.1);
            EXPECT_NEAR(turned.y, centre - reach * std::cos(radians), 0.1);
            EXPECT_NEAR(turned.coverage, upright.coverage, upright.coverage * 0.005);
        }
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
        const auto centroid = AlphaCentroid(dial);
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
        Fill(square, 40, 40, {0, 0, 255, 255});
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
        Fill(source, 16, 16, {9, 9, 9, 255});
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


// pixman's drawing of picture over a blank size x size dial, turned clockwise by angle about the
// centre, as top-down premultiplied words (blue in the low byte, as our surfaces store them).
std::vector<std::uint32_t> PixmanDraw(const c32bppDIB& picture, int size, double angle, double opacity)
{
    const int width = picture.Width(), height = picture.Height();
    std::vector<std::uint32_t> source(std::size_t(width) * std::size_t(height)), dial(std::size_t(size) * std::size_t(size), 0);
    for (int y = 0; y < height; ++y)
        std::memcpy(&source[std::size_t(y) * std::size_t(width)], picture.Pixels().Row(y), std::size_t(width) * 4);
    pixman_image_t* src = pixman_image_create_bits(PIXMAN_a8r8g8b8, width, height, source.data(), width * 4);
    pixman_image_t* dst = pixman_image_create_bits(PIXMAN_a8r8g8b8, size, size, dial.data(), size * 4);
    const double sx = double(width) / size, sy = double(height) / size, r = angle * M_PI / 180;
    pixman_f_transform f;
    pixman_f_transform_init_translate(&f, -size / 2.0, -size / 2.0);
    pixman_f_transform_rotate(&f, nullptr, std::cos(r), -std::sin(r));
    pixman_f_transform_scale(&f, nullptr, sx, sy);
    pixman_f_transform_translate(&f, nullptr, width / 2.0, height / 2.0);
    pixman_transform t;
    pixman_transform_from_pixman_f_transform(&t, &f);
    pixman_image_set_transform(src, &t);
    int count = 0;
    pixman_fixed_t* params = pixman_filter_create_separable_convolution(
        &count, pixman_double_to_fixed(sx), pixman_double_to_fixed(sy), PIXMAN_KERNEL_CUBIC, PIXMAN_KERNEL_CUBIC,
        PIXMAN_KERNEL_BOX, PIXMAN_KERNEL_BOX, 4, 4);
    pixman_image_set_filter(src, PIXMAN_FILTER_SEPARABLE_CONVOLUTION, params, count);
    free(params);
    pixman_color_t alpha{0, 0, 0, std::uint16_t(std::lround(opacity * 0xFFFF))};
    pixman_image_t* mask = pixman_image_create_solid_fill(&alpha);
    pixman_image_composite32(PIXMAN_OP_OVER, src, mask, dst, 0, 0, 0, 0, 0, 0, size, size);
    pixman_image_unref(mask);
    pixman_image_unref(src);
    pixman_image_unref(dst);
    return dial;
}

struct Difference {
    double meanPerChannel = 0;  // over the pixels either drawing touches
    int largest = 0;
};

Difference Compare(const c32bppDIB& ours, const std::vector<std::uint32_t>& reference)
{
    Difference d;
    long total = 0, channels = 0;
    for (int y = 0; y < ours.Height(); ++y)
        for (int x = 0; x < ours.Width(); ++x) {
            const auto mine = StoredPixel(ours, x, y);
            const std::uint32_t theirs = reference[std::size_t(y) * std::size_t(ours.Width()) + std::size_t(x)];
            if (mine[3] == 0 && (theirs >> 24) == 0)
                continue;
            for (int c = 0; c < 4; ++c) {
                const int difference = std::abs(int(mine[std::size_t(c)]) - int((theirs >> (8 * c)) & 0xFF));
                total += difference, ++channels;
                d.largest = std::max(d.largest, difference);
            }
        }
    d.meanPerChannel = channels ? double(total) / double(channels) : 0;
    return d;
}

TEST(RenderQuality, HighQualityHandsAgreeWithPixmansSeparableConvolution)
{
    double worst = 0;
    for (const char* name : {"hour", "minute", "second"}) {
        c32bppDIB hand;
        ASSERT_TRUE(hand.LoadPicture_File(std::string(DORVANE_SOURCE_DIR) + "/resources/art/hands/" + name + ".png"));
        for (double angle : {0.0, 37.3, 90.0, 123.4, 180.0, 304.75}) {
            c32bppDIB dial;
            DrawOnDial(hand, dial, 130, float(angle), 80);
            const Difference d = Compare(dial, PixmanDraw(hand, 130, angle, 0.8));
            EXPECT_LT(d.meanPerChannel, 1.0) << name << " at " << angle;
            EXPECT_LT(d.largest, 24) << name << " at " << angle;
            worst = std::max(worst, d.meanPerChannel);
        }
    }
    RecordProperty("worst_mean_difference_per_channel", std::to_string(worst));
    std::printf("worst mean difference per channel against pixman: %.3f\n", worst);
}

} // namespace
} // namespace dorvane
