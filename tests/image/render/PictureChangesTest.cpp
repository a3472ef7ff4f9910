#include "image/render/PictureChanges.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace dorvane {
namespace {

using Area = PictureChanges::Area;

// A picture of one colour, its rows kept bottom-up as a surface keeps them.
struct Picture {
    Picture(int size, std::uint32_t colour) : size(size), pixels(std::size_t(size) * size, colour) {}
    PixelView View() { return {reinterpret_cast<std::uint8_t*>(pixels.data()), size, size, size * 4, true}; }
    std::uint32_t& At(int x, int y) { return pixels[static_cast<std::size_t>(size - 1 - y) * size + x]; }

    int size;
    std::vector<std::uint32_t> pixels;
};

constexpr std::uint32_t kRed = 0xFFFF0000, kOther = 0x281E140A;

// Whatever pixels of a row change, one at either end or runs, on widths not a multiple of four too: the kept
// picture takes exactly those.
TEST(PictureChanges, TakesEveryChangedPixelOfARowWhereverItLies)
{
    const struct { int size, first, last; } cases[] = {  // the run of pixels changed in row 30
        {60, 0, 0}, {60, 59, 59}, {61, 60, 60}, {61, 0, 60}, {61, 3, 4}, {61, 7, 56}, {63, 1, 61}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "size " << c.size << ", run " << c.first << ".." << c.last);
        PictureChanges changes;
        Picture face(c.size, kRed);
        changes.Take(face.View());
        std::fill_n(&face.At(c.first, 30), c.last - c.first + 1, kOther);
        EXPECT_EQ(changes.Take(face.View()), (std::vector{Area{c.first, 30, c.last - c.first + 1, 1}}));
        const auto* kept = reinterpret_cast<const std::uint32_t*>(changes.KeptRow(30));
        EXPECT_TRUE(std::equal(kept, kept + c.size, &face.At(0, 30)));
    }
}

// A line slanting down from (from, from) to (to, to) changes one narrow rectangle in each band of
// eight rows it crosses, the last band ending with the picture; a picture taken again changes nothing.
TEST(PictureChanges, FindsTheRectangleAroundTheChangesOfEachBandOfEightRows)
{
    const struct { int size, from, to; } cases[] = {{30, 5, 29}, {32, 0, 7}, {30, 9, 9}, {32, 8, 16}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "size " << c.size << ", " << c.from << ".." << c.to);
        PictureChanges changes;
        Picture face(c.size, kRed);
        changes.Take(face.View());
        std::vector<Area> bands;
        for (int y = c.from; y <= c.to; ++y) {
            face.At(y, y) = kOther;
            if (y == c.from || y % PictureChanges::kBandRows == 0)
                bands.push_back({y, y, 0, 0});
            bands.back().width = bands.back().height = y - bands.back().top + 1;
        }
        EXPECT_EQ(changes.Take(face.View()), bands);
        EXPECT_TRUE(changes.Take(face.View()).empty());
    }
}

// The shape takes in every pixel that is not fully transparent, however faint; it changes only when
// a pixel inside the areas looked at comes or goes.
TEST(PictureChanges, ShapesToEveryVisiblePixelAndTellsWhenTheShapeChanged)
{
    constexpr int kSize = 10; // two bytes of shape to a row
    Picture shown(kSize, 0);
    PictureChanges changes;
    const Area whole{0, 0, kSize, kSize}, corner{0, 0, 2, 2};
    EXPECT_TRUE(changes.UpdateShape(shown.View(), std::vector{whole})) << "a new size";
    const struct { int x, y; std::uint32_t pixel; Area lookedAt; bool changed; } steps[] = {
        {9, 4, 0x01000000, whole, true},  {1, 1, 0x28000028, corner, true}, {1, 1, 0x01000000, whole, false},
        {9, 4, 0x00000000, corner, false}, {9, 4, 0x00000000, whole, true}, {1, 1, 0xFF0000FF, corner, false},
        {8, 9, 0x01000000, whole, true},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(::testing::Message() << step.x << "," << step.y << " = " << std::hex << step.pixel);
        shown.At(step.x, step.y) = step.pixel;
        EXPECT_EQ(changes.UpdateShape(shown.View(), std::vector{step.lookedAt}), step.changed);
    }
    std::vector<std::uint8_t> mask(kSize * 2, 0);
    changes.AddShapeTo(mask.data(), 2);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            EXPECT_EQ((mask[y * 2 + x / 8] >> (x % 8) & 1) == 1, shown.At(x, y) >> 24 != 0) << x << "," << y;
}

} // namespace
} // namespace dorvane
