// Turned drawings: the clock's own hands drawn in high quality against pixman's separable convolution.

#include "image/c32bppDIB.h"
#include "tests/support/ImageTestSupport.h"

#include <gtest/gtest.h>
#include <pixman.h>

#include <cmath>
#include <cstring>

namespace dorvane {
namespace {

using namespace testing;

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

// On even and odd dials, so that the pivot stays on the dial's centre in both.
TEST(RenderQuality, HighQualityHandsAgreeWithPixmansSeparableConvolution)
{
    for (const char* name : {"hour", "minute", "second"}) {
        c32bppDIB hand;
        ASSERT_TRUE(hand.LoadPicture_File(std::string(DORVANE_SOURCE_DIR) + "/resources/art/hands/" + name + ".png"));
        for (int size : {130, 129})
            for (double angle : {0.0, 37.3, 90.0, 123.4, 180.0, 304.75}) {
                c32bppDIB dial;
                dial.InitializeDIB(size, size);
                hand.Render(nullptr, 0, 0, size, size, 0, 0, 0, 0, 80, true, true, &dial, float(angle), false);
                const auto [mean, largest] = Compare(dial, PixmanDraw(hand, size, angle, 0.8));
                EXPECT_LT(mean, 1.0) << name << " at " << angle << " on " << size;
                EXPECT_LT(largest, 24) << name << " at " << angle << " on " << size;
            }
    }
}

} // namespace
} // namespace dorvane
