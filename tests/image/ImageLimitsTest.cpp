// The one size check of every decoder, at its limits.

#include "image/ImageLimits.h"

#include <gtest/gtest.h>

namespace dorvane {
namespace {

constexpr std::uint64_t kNone = 0;  // "no size" in the table below
constexpr std::int64_t kHuge = std::int64_t{1} << 40;

TEST(ImageLimits, SizesUpToTheMaximumAndNothingPastItOrOnOverflow)
{
    const struct { const char* name; std::optional<std::uint64_t> size; std::uint64_t expected; } cases[] = {
        {"zero width", ImageLimits::ImageBytes(0, 5, 4), kNone}, {"negative height", ImageLimits::ImageBytes(5, -1, 4), kNone},
        {"exactly the maximum", ImageLimits::ImageBytes(10, 25, 4, 1000), 1000},
        {"one past the maximum", ImageLimits::ImageBytes(10, 25, 4, 999), kNone},
        {"width x height overflows", ImageLimits::ImageBytes(kHuge, kHuge, 1, ~std::uint64_t{0}), kNone},
        {"x bytes per pixel overflows", ImageLimits::ImageBytes(kHuge, 1 << 20, 1 << 20, ~std::uint64_t{0}), kNone},
        {"a stride pads bits to aligned bytes", ImageLimits::RowStride(3, 1, 4), 4},
        {"a stride at the maximum", ImageLimits::RowStride(250, 32, 4, 1000), 1000},
        {"a stride one past it", ImageLimits::RowStride(251, 32, 1, 1003), kNone},
        {"a stride of no pixels", ImageLimits::RowStride(0, 32, 4), kNone},
        {"a stride whose bits overflow", ImageLimits::RowStride(kHuge, kHuge, 1, ~std::uint64_t{0}), kNone},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.size.value_or(kNone), c.expected) << c.name;
}

TEST(ImageLimits, AllowsPicturesUpToTheLargestAndAsLargeAsTheirPixelDataCanMake)
{
    constexpr std::int64_t kLargest = ImageLimits::kMaxPictureBytes / 4;  // pixels
    constexpr std::int64_t kFreeSide = 1024;  // a square this large needs no pixel data to speak of
    static_assert(kFreeSide * kFreeSide * 4 == ImageLimits::kAlwaysAllowedBytes);
    constexpr std::uint64_t kPlenty = ~std::uint64_t{0} / 2;
    const struct { const char* name; std::int64_t width, height; std::uint64_t pixelData; bool allowed; } cases[] = {
        {"no pixels", 0, 5, kPlenty, false},
        {"the largest picture", kLargest, 1, kPlenty, true},
        {"one pixel more", kLargest + 1, 1, kPlenty, false},
        {"a small picture from no data", kFreeSide, kFreeSide, 0, true},
        {"a row more needs data", kFreeSide, kFreeSide + 1, 0, false},
        {"and has enough", kFreeSide, kFreeSide + 1, kFreeSide * (kFreeSide + 1) * 4 / ImageLimits::kPictureMaxExpansion + 1, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ImageLimits::PictureAllowed(c.width, c.height, c.pixelData).ok(), c.allowed) << c.name;
}

} // namespace
} // namespace dorvane
