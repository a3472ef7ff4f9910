#include "clock/WindowOpacity.h"

namespace dorvane {
namespace {

// value × factor / 255, rounded to the nearest, without a division.
std::uint8_t ScaleByte(std::uint32_t value, std::uint32_t factor)
{
    const std::uint32_t product = value * factor;
    return static_cast<std::uint8_t>((product + (product >> 8) + 0x80) >> 8);
}

} // namespace

void ApplyWindowOpacity(c32bppDIB& picture, std::uint8_t alpha) { ApplyWindowOpacity(picture.PixelBytes(), alpha); }

void ApplyWindowOpacity(std::span<std::uint8_t> premultiplied, std::uint8_t alpha)
{
    if (alpha == 255)
        return;
    // The window's painter holds the opacity in 256ths, truncated, and turns that back into
    // 255ths, truncated again, before it scales the pixels; so does this.
    const std::uint32_t in256ths = alpha * 256u / 255u;
    const std::uint32_t factor = in256ths * 255u >> 8;
    for (std::uint8_t& byte : premultiplied)
        byte = ScaleByte(byte, factor);
}

} // namespace dorvane
