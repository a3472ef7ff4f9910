#pragma once

#include "image/PixelView.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace dorvane {

// Where a picture's memory holds anything but fully transparent black: for every memory row, the
// first and last such column (first > last for an empty row). A hand is a thin stroke on a large
// transparent picture, so a drawing that knows this reads a small part of the picture.
class PictureCoverage {
public:
    static PictureCoverage Of(const PixelView& view);

    // Whether this describes view's memory (the same rows, seen either way up).
    bool Describes(const PixelView& view) const;
    // The covered columns of view's image row y, counted from the top.
    std::pair<std::int64_t, std::int64_t> Row(const PixelView& view, std::int32_t y) const
    {
        return rows_[std::size_t(view.bottomUp ? view.height - 1 - y : y)];
    }

    // The first pixel of row from first to last that is not fully transparent black, or last + 1;
    // and the last one from last back to first, or first - 1.
    static std::int64_t FirstVisible(const std::uint8_t* row, std::int64_t first, std::int64_t last);
    static std::int64_t LastVisible(const std::uint8_t* row, std::int64_t first, std::int64_t last);

private:
    const std::uint8_t* memory_ = nullptr;
    std::int32_t width_ = 0;
    std::ptrdiff_t stride_ = 0;
    std::vector<std::pair<std::int64_t, std::int64_t>> rows_;  // by memory row
};

} // namespace dorvane
