#pragma once

#include "image/PixelView.h"

#include <cstdint>
#include <span>
#include <vector>

namespace dorvane {

// The clock window's work each second, on pixels: where its new picture differs from the last one,
// and which pixels its shape must take in. A clock face changes little from one second to the next
// (mostly the second hand's old and new places), so knowing just where lets the window fade, look
// at and send only those pixels.
class PictureChanges {
public:
    // Columns left .. left + width - 1 of rows top .. top + height - 1.
    struct Area {
        std::int32_t left = 0, top = 0, width = 0, height = 0;
        bool operator==(const Area&) const = default;
    };
    static constexpr std::int32_t kBandRows = 8;

    // Copies picture into the kept picture where the two differ and returns, for each band of
    // kBandRows rows, the rectangle around the pixels that did: a hand slanting across the face
    // changes a narrow strip of each band, far less than the box around all of it. The first
    // picture, and one of a new size, is compared with a transparent picture of its size.
    const std::vector<Area>& Take(const PixelView& picture);
    // Row y of the kept picture, counted from the top.
    const std::uint8_t* KeptRow(std::int32_t y) const
    {
        return reinterpret_cast<const std::uint8_t*>(kept_.data() + static_cast<std::ptrdiff_t>(y) * width_);
    }

    // Marks, inside areas, which pixels of shown (the picture the window shows) it covers at all: every
    // one that is not fully transparent. Returns whether the shape changed; a picture of a new size
    // starts from an empty shape and always changes it.
    bool UpdateShape(const PixelView& shown, std::span<const Area> areas);
    // Adds the shape to zeroed rows of one bit a pixel, lowest bit first, 1 for a covered pixel.
    void AddShapeTo(std::uint8_t* bits, std::ptrdiff_t stride) const;

private:
    void KeepSize(std::int32_t width, std::int32_t height);

    std::int32_t width_ = 0, height_ = 0;
    std::vector<std::uint32_t> kept_; // top-down, one pixel each
    std::vector<Area> changes_;
    std::int32_t shapeWidth_ = 0, shapeHeight_ = 0;
    std::vector<std::uint8_t> shape_; // top-down, 1 for each covered pixel
};

} // namespace dorvane
