// The one size check of every decoder, at its limits.

#include "image/ImageLimits.h"

#include <gtest/gtest.h>

namespace dorvane {
namespace {

constexpr std::uint64_t kNone = 0;  // "no size" in the table below
constexpr std::int64_t kHuge = std::int64_t{1} << 40;

TEST(ImageLimits, SizesUpToTheMaximumAndNothingPastItOrOnOverflow)
{
    const struct {
        const char* name;
        std::optional<std::uint64_t> size;
        std::uint64_t expected;
    } cases[] = {
        {"zero width", ImageLimits::ImageBytes(0, 5, 4), kNone},
        {"negative height", ImageLimits::ImageBytes(5, -1, 4), kNone},
        {"exactly the maximum", ImageLimits::ImageBytes(10, 25, 4, 1000), 1000},
        {"one past the maximum", ImageLimits::ImageBytes(10, 25, 4, 999), kNone},
        {"the default maximum", ImageLimits::ImageBytes(ImageLimits::kMaxImageBytes, 1, 1), ImageLimits::kMaxImageBytes},
        {"one past the default", ImageLimits::ImageBytes(ImageLimits::kMaxImageBytes + 1, 1, 1), kNone},
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

} // namespace
} // namespace dorvane
