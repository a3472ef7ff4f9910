#include "image/render/PictureCoverage.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace dorvane {
namespace {

bool Clear(const std::uint8_t* pixel)
{
    std::uint32_t word;
    std::memcpy(&word, pixel, 4);
    return word == 0;
}

} // namespace

PictureCoverage PictureCoverage::Of(const PixelView& view)
{
    PictureCoverage coverage;
    coverage.memory_ = view.bits, coverage.width_ = view.width, coverage.stride_ = view.stride;
    coverage.rows_.resize(std::size_t(view.height > 0 ? view.height : 0));
    for (std::size_t r = 0; r < coverage.rows_.size(); ++r) {
        const std::uint8_t* row = view.bits + std::ptrdiff_t(r) * view.stride;
        const std::int64_t first = FirstVisible(row, 0, view.width - 1);
        coverage.rows_[r] = {first, LastVisible(row, first, view.width - 1)};
    }
    return coverage;
}

bool PictureCoverage::Describes(const PixelView& view) const
{
    return view.bits == memory_ && view.width == width_ && view.stride == stride_ &&
           std::size_t(view.height > 0 ? view.height : 0) == rows_.size();
}

std::int64_t PictureCoverage::FirstVisible(const std::uint8_t* row, std::int64_t first, std::int64_t last)
{
#if defined(__SSE2__)
    // Four pixels at a time while they are all zero.
    const __m128i zero = _mm_setzero_si128();
    for (; first + 3 <= last; first += 4) {
        const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + first * 4));
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(four, zero)) != 0xFFFF)
            break;
    }
#endif
    while (first <= last && Clear(row + first * 4))
        ++first;
    return first;
}

std::int64_t PictureCoverage::LastVisible(const std::uint8_t* row, std::int64_t first, std::int64_t last)
{
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    for (; last - 3 >= first; last -= 4) {
        const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + (last - 3) * 4));
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(four, zero)) != 0xFFFF)
            break;
    }
#endif
    while (last >= first && Clear(row + last * 4))
        --last;
    return last;
}

} // namespace dorvane
