// Turned drawings: quarter turns are exact pixel rotations, the pivot stays on the dial's centre, edges are soft in
// high quality only; and the clock's own hands drawn in high quality against pixman's separable convolution.

#include "image/c32bppDIB.h"
#include "tests/support/RenderTestSupport.h"

#include <gtest/gtest.h>
#include <pixman.h>

#include <cstring>

namespace dorvane {
namespace {

using namespace testing;

// A bar with a knob on its left near the tip: every turn and mirror of it looks different.
void PaintAsymmetricHand(c32bppDIB& hand)
{
    Paint(hand, 196, 196, [](int x, int y) -> Bgra {
        const bool bar = x >= 95 && x < 102 && y >= 20 && y < 110, knob = x >= 80 && x < 95 && y >= 30 && y < 40;
        if (bar || knob)
            return {std::uint8_t(x), std::uint8_t(y), 200, 255};
        return x >= 102 && x < 104 && y >= 20 && y < 110 ? Bgra{20, 20, 20, 96} : Bgra{0, 0, 0, 0};
    });
}

TEST(RenderGeometry, QuarterTurnsAreExactClockwisePixelRotationsOfTheUprightDrawing)
{
    for (bool highQuality : {true, false})
        for (int size : {130, 129}) {
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
                        int ux = x, uy = y;  // the upright pixel the turn moves to (x, y)
                        for (int i = 0; i < quarters; ++i)
                            std::tie(ux, uy) = std::make_pair(uy, size - 1 - ux);
                        differing += StoredPixel(turned, x, y) != StoredPixel(upright, ux, uy);
                    }
                EXPECT_EQ(differing, 0) << 90 * quarters << " degrees, size " << size << (highQuality ? " hq" : " nearest");
            }
        }
}

// On even and odd dials, a hand symmetric under a half turn keeps its weight on the dial's centre at every angle.
TEST(RenderGeometry, AHandTurnsAboutTheDialCentre)
{
    for (int size : {130, 129}) {
        c32bppDIB symmetric, dial;
        PaintHand(symmetric, 6, 80, true);
        for (double angle = 0; angle < 360; angle += 7.3) {
            DrawOnDial(symmetric, dial, size, float(angle));
            const auto [x, y] = AlphaCentroid(dial);
            EXPECT_NEAR(x, size / 2.0, 0.05) << angle << " degrees on " << size;
            EXPECT_NEAR(y, size / 2.0, 0.05) << angle << " degrees on " << size;
        }
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
        for (const Bgra& pixel : AllPixels(dial))
            partial += pixel[3] > 0 && pixel[3] < 255, opaque += pixel[3] == 255;
        EXPECT_EQ(partial > 140, highQuality) << partial;  // the turned square's outline is about 160 pixels long
        EXPECT_EQ(partial == 0, !highQuality) << partial;
        EXPECT_NEAR(opaque + partial / 2.0, 1600, 40) << (highQuality ? "hq" : "nearest");
    }
}

// pixman's drawing of picture over a blank size x size dial, turned clockwise by angle about the centre, as
// top-down premultiplied words (blue in the low byte, as our surfaces store them).
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

// The mean difference per channel over the pixels either drawing touches, and the largest one.
std::pair<double, int> Compare(const c32bppDIB& ours, const std::vector<std::uint32_t>& reference)
{
    long total = 0, channels = 0;
    int largest = 0;
    for (int y = 0; y < ours.Height(); ++y)
        for (int x = 0; x < ours.Width(); ++x) {
            const auto mine = StoredPixel(ours, x, y);
            const std::uint32_t theirs = reference[std::size_t(y) * std::size_t(ours.Width()) + std::size_t(x)];
            for (int c = 0; c < 4 && (mine[3] != 0 || (theirs >> 24) != 0); ++c, ++channels) {
                const int difference = std::abs(int(mine[std::size_t(c)]) - int((theirs >> (8 * c)) & 0xFF));
                total += difference, largest = std::max(largest, difference);
            }
        }
    return {channels ? double(total) / double(channels) : 0, largest};
}

TEST(RenderQuality, HighQualityHandsAgreeWithPixmansSeparableConvolution)
{
    for (const char* name : {"hour", "minute", "second"}) {
        c32bppDIB hand;
        ASSERT_TRUE(hand.LoadPicture_File(std::string(DORVANE_SOURCE_DIR) + "/resources/art/hands/" + name + ".png"));
        for (double angle : {0.0, 37.3, 90.0, 123.4, 180.0, 304.75}) {
            c32bppDIB dial;
            DrawOnDial(hand, dial, 130, float(angle), 80);
            const auto [mean, largest] = Compare(dial, PixmanDraw(hand, 130, angle, 0.8));
            EXPECT_LT(mean, 1.0) << name << " at " << angle;
            EXPECT_LT(largest, 24) << name << " at " << angle;
        }
    }
}

} // namespace
} // namespace dorvane
