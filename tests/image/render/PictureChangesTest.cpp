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

} // namespace
} // namespace dorvane
