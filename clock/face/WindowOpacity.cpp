#include "clock/face/WindowOpacity.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
    std::size_t i = 0;
#if defined(__SSE2__)
    // Sixteen bytes at a time in 16-bit lanes: the product and its rounding stay below 65536.
    const __m128i zero = _mm_setzero_si128(), lanes = _mm_set1_epi16(short(factor)), half = _mm_set1_epi16(0x80);
    const auto scale = [&](__m128i values) {
        const __m128i product = _mm_mullo_epi16(values, lanes);
        return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(product, _mm_srli_epi16(product, 8)), half), 8);
    };
    for (; i + 16 <= premultiplied.size(); i += 16) {
        auto* at = reinterpret_cast<__m128i*>(premultiplied.data() + i);
        const __m128i bytes = _mm_loadu_si128(at);
        _mm_storeu_si128(at, _mm_packus_epi16(scale(_mm_unpacklo_epi8(bytes, zero)), scale(_mm_unpackhi_epi8(bytes, zero))));
    }
#endif
    for (; i < premultiplied.size(); ++i)
        premultiplied[i] = ScaleByte(premultiplied[i], factor);
}

} // namespace dorvane
