#pragma once

#include <cstddef>
#include <cstdint>

namespace dorvane {

// A window onto 32-bit pixel memory that someone else owns: blue, green, red, alpha bytes,
// premultiplied. Surfaces keep their rows bottom-up without padding; a window view's image may keep
// them top-down with its own row stride, so both are described here.
struct PixelView {
    std::uint8_t* bits = nullptr;  // first byte of memory row 0
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::ptrdiff_t stride = 0;     // bytes from one memory row to the next
    bool bottomUp = true;          // memory row 0 holds the bottom image row

    explicit operator bool() const { return bits != nullptr; }

    // Image row y, counted from the top.
    std::uint8_t* Row(std::int32_t y) const
    {
        const std::ptrdiff_t memoryRow = bottomUp ? height - 1 - y : y;
        return bits + memoryRow * stride;
    }
    std::uint8_t* Pixel(std::int32_t x, std::int32_t y) const { return Row(y) + std::ptrdiff_t{x} * 4; }
};

} // namespace dorvane
