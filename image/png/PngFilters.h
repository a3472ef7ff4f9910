#pragma once

#include <cstddef>
#include <cstdint>

namespace dorvane {

// Undoes the five PNG row filters in place.
namespace PngFilters {

enum : std::uint8_t { kNone = 0, kSub = 1, kUp = 2, kAverage = 3, kPaeth = 4 };

// Restores row (length bytes) that was filtered with filterType against previous, the restored row
// above it in the same pass (all zero for a pass's first row). bytesPerPixel is the distance to the
// byte on the left. An unknown filter type leaves the row as it is.
void Unfilter(std::uint8_t filterType, std::uint8_t* row, const std::uint8_t* previous, std::size_t length,
              std::size_t bytesPerPixel);

// The Paeth predictor: of left, above and upper-left, the one nearest to left + above - upperLeft,
// preferring left, then above, on ties.
inline std::uint8_t PaethPredictor(int left, int above, int upperLeft)
{
    const int fromLeft = above - upperLeft;   // p - left, where p = left + above - upperLeft
    const int fromAbove = left - upperLeft;   // p - above
    const int pa = fromLeft < 0 ? -fromLeft : fromLeft;
    const int pb = fromAbove < 0 ? -fromAbove : fromAbove;
    const int pc = fromLeft + fromAbove < 0 ? -(fromLeft + fromAbove) : fromLeft + fromAbove;
    if (pa <= pb && pa <= pc)
        return static_cast<std::uint8_t>(left);
    return static_cast<std::uint8_t>(pb <= pc ? above : upperLeft);
}

} // namespace PngFilters
} // namespace dorvane
