#include "image/render/PictureChanges.h"

#include <algorithm>
#include <cstring>

namespace dorvane {
namespace {

// Where two rows of width pixels that are known to differ first and last do, looking at four pixels
// at a time while they agree.
std::int32_t FirstDifference(const std::uint32_t* a, const std::uint32_t* b, std::int32_t width)
{
    std::int32_t x = 0;
    while (x + 4 <= width && std::memcmp(a + x, b + x, 16) == 0)
        x += 4;
    while (a[x] == b[x])
        ++x;
    return x;
}

std::int32_t LastDifference(const std::uint32_t* a, const std::uint32_t* b, std::int32_t width)
{
    std::int32_t x = width; // one past the pixels still to look at
    while (x >= 4 && std::memcmp(a + x - 4, b + x - 4, 16) == 0)
        x -= 4;
    while (a[x - 1] == b[x - 1])
        --x;
    return x - 1;
}

} // namespace

void PictureChanges::KeepSize(std::int32_t width, std::int32_t height)
{
    if (width == width_ && height == height_)
        return;
    kept_.assign(static_cast<std::size_t>(width) * height, 0);
    width_ = width;
    height_ = height;
}

const std::vector<PictureChanges::Area>& PictureChanges::Take(const PixelView& picture)
{
    KeepSize(picture.width, picture.height);
    changes_.clear();
    std::int32_t left = width_, right = -1, top = 0, bottom = 0; // the band's changes so far; none while right < left
    for (std::int32_t y = 0; y < height_; ++y) {
        const auto* is = reinterpret_cast<const std::uint32_t*>(picture.Row(y));
        std::uint32_t* was = kept_.data() + static_cast<std::ptrdiff_t>(y) * width_;
        if (std::memcmp(was, is, static_cast<std::size_t>(width_) * 4) != 0) {
            const std::int32_t first = FirstDifference(was, is, width_);
            const std::int32_t last = LastDifference(was, is, width_);
            std::memcpy(was + first, is + first, static_cast<std::size_t>(last - first + 1) * 4);
            if (right < left)
                top = y;
            left = std::min(left, first);
            right = std::max(right, last);
            bottom = y;
        }
        if ((y % kBandRows == kBandRows - 1 || y == height_ - 1) && right >= left) {
            changes_.push_back({left, top, right - left + 1, bottom - top + 1});
            left = width_, right = -1;
        }
    }
    return changes_;
}

bool PictureChanges::UpdateShape(const PixelView& shown, std::span<const Area> areas)
{
    bool changed = false;
    if (shapeWidth_ != shown.width || shapeHeight_ != shown.height) {
        shape_.assign(static_cast<std::size_t>(shown.width) * shown.height, 0);
        shapeWidth_ = shown.width;
        shapeHeight_ = shown.height;
        changed = true;
    }
    for (const Area& area : areas)
        for (std::int32_t y = area.top; y < area.top + area.height; ++y) {
            const std::uint8_t* pixels = shown.Row(y);
            std::uint8_t* marks = shape_.data() + static_cast<std::ptrdiff_t>(y) * shapeWidth_;
            for (std::int32_t x = area.left; x < area.left + area.width; ++x) {
                const std::uint8_t covers = pixels[std::ptrdiff_t{x} * 4 + 3] != 0;
                changed |= marks[x] != covers;
                marks[x] = covers;
            }
        }
    return changed;
}

void PictureChanges::AddShapeTo(std::uint8_t* bits, std::ptrdiff_t stride) const
{
    for (std::int32_t y = 0; y < shapeHeight_; ++y) {
        std::uint8_t* row = bits + y * stride;
        const std::uint8_t* marks = shape_.data() + static_cast<std::ptrdiff_t>(y) * shapeWidth_;
        for (std::int32_t x = 0; x < shapeWidth_; ++x)
            row[x >> 3] |= static_cast<std::uint8_t>(marks[x] << (x & 7));
    }
}

} // namespace dorvane
