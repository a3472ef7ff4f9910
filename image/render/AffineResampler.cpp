#include "image/render/AffineResampler.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <cstring>
#include <memory>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace dorvane {
namespace {

using Int128 = __int128;
constexpr std::int64_t kOne16 = 1 << 16;

unsigned Div255(unsigned value)
{
    value += 128;
    return (value + (value >> 8)) >> 8;
}

// Source over with a premultiplied source pixel, after fading it by opacity.
inline void Over(std::uint8_t* d, unsigned b, unsigned g, unsigned r, unsigned a, unsigned opacity)
{
    if (opacity != 255) {
        b = Div255(b * opacity), g = Div255(g * opacity), r = Div255(r * opacity), a = Div255(a * opacity);
    }
    if ((a | b | g | r) == 0)
        return;
    const unsigned keep = 255 - a;
    d[0] = std::uint8_t(std::min(255u, b + Div255(d[0] * keep)));
    d[1] = std::uint8_t(std::min(255u, g + Div255(d[1] * keep)));
    d[2] = std::uint8_t(std::min(255u, r + Div255(d[2] * keep)));
    d[3] = std::uint8_t(std::min(255u, a + Div255(d[3] * keep)));
}

std::uint32_t Word(const std::uint8_t* pixel)
{
    std::uint32_t word;
    std::memcpy(&word, pixel, 4);
    return word;
}

#if defined(__SSE2__)
// Div255 in each 16-bit lane (each at most 255 x 255).
__m128i Div255Lanes(__m128i value)
{
    value = _mm_add_epi16(value, _mm_set1_epi16(128));
    return _mm_srli_epi16(_mm_add_epi16(value, _mm_srli_epi16(value, 8)), 8);
}

// Over for two pixels held as 16-bit lanes (blue, green, red, alpha each), to the same values
// before the final min(255, ...), which packing with saturation does. A source pixel that fades to
// nothing leaves its target pixel as it is here too, since Div255(d x 255) = d.
__m128i OverLanes(__m128i from, __m128i onto, unsigned opacity)
{
    if (opacity != 255)
        from = Div255Lanes(_mm_mullo_epi16(from, _mm_set1_epi16(short(opacity))));
    const __m128i keep = _mm_sub_epi16(_mm_set1_epi16(255), _mm_shufflehi_epi16(_mm_shufflelo_epi16(from, 0xFF), 0xFF));
    return _mm_add_epi16(from, Div255Lanes(_mm_mullo_epi16(onto, keep)));
}

// Over for four pixels at once.
void OverFour(std::uint8_t* d, const std::uint8_t* s, std::uint32_t alphaOr, unsigned opacity)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i source = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s)), _mm_set1_epi32(int(alphaOr)));
    if (_mm_movemask_epi8(_mm_cmpeq_epi8(source, zero)) == 0xFFFF)
        return;
    const __m128i target = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d));
    const __m128i low = OverLanes(_mm_unpacklo_epi8(source, zero), _mm_unpacklo_epi8(target, zero), opacity);
    const __m128i high = OverLanes(_mm_unpackhi_epi8(source, zero), _mm_unpackhi_epi8(target, zero), opacity);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d), _mm_packus_epi16(low, high));
}

// Over for one pixel whose channels are 32-bit sums, brought to bytes with colour kept within alpha
// (a cubic may overshoot either way).
void OverSums(std::uint8_t* d, __m128i sums, unsigned opacity)
{
    const __m128i zero = _mm_setzero_si128();
    __m128i lanes = _mm_max_epi16(_mm_packs_epi32(sums, sums), zero);
    lanes = _mm_min_epi16(lanes, _mm_min_epi16(_mm_shufflelo_epi16(lanes, 0xFF), _mm_set1_epi16(255)));
    if ((_mm_movemask_epi8(_mm_cmpeq_epi16(lanes, zero)) & 0xFF) == 0xFF)
        return;
    const __m128i onto = _mm_unpacklo_epi8(_mm_cvtsi32_si128(int(Word(d))), zero);
    const __m128i blended = OverLanes(lanes, onto, opacity);
    const std::uint32_t word = std::uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(blended, blended)));
    std::memcpy(d, &word, 4);
}
#endif

// The bytes a view's pixels occupy.
std::pair<const std::uint8_t*, const std::uint8_t*> Extent(const PixelView& view)
{
    const std::ptrdiff_t last = view.stride * (view.height - 1);
    const std::uint8_t* low = view.bits + std::min<std::ptrdiff_t>(0, last);
    const std::uint8_t* high = view.bits + std::max<std::ptrdiff_t>(0, last) + std::ptrdiff_t{view.width} * 4;
    return {low, high};
}

// Where the source holds anything but fully transparent black: per row of the source rectangle the
// first and last such column (first > last for an empty row), and the box around all of them.
struct Content {
    std::vector<std::pair<std::int64_t, std::int64_t>> rows;
    std::vector<const std::uint8_t*> rowStarts;  // where each row's pixels begin
    std::int64_t left = 0, right = -1, top = 0, bottom = -1;
    bool empty() const { return right < left; }
};

Content FindContent(const AffineDraw& draw)
{
    Content content;
    content.rows.resize(std::size_t(draw.srcHeight), {0, -1});
    content.rowStarts.resize(std::size_t(draw.srcHeight));
    content.left = draw.srcX + draw.srcWidth, content.top = draw.srcY + draw.srcHeight;
    const bool known = draw.sourceAlpha && draw.coverage && draw.coverage->Describes(draw.source);
    for (std::int64_t y = draw.srcY; y < draw.srcY + draw.srcHeight; ++y) {
        content.rowStarts[std::size_t(y - draw.srcY)] = draw.source.Row(std::int32_t(y));
        std::int64_t first = draw.srcX, last = draw.srcX + draw.srcWidth - 1;
        if (known) {
            // Clipped to the source rectangle: a row covered on both sides of it only outside it
            // counts as covered across it, which reads transparent pixels that add nothing.
            const auto [from, to] = draw.coverage->Row(draw.source, std::int32_t(y));
            first = std::max(first, from), last = std::min(last, to);
        } else if (draw.sourceAlpha) {  // otherwise every pixel counts as opaque
            const std::uint8_t* row = draw.source.Row(std::int32_t(y));
            first = PictureCoverage::FirstVisible(row, first, last);
            last = PictureCoverage::LastVisible(row, first, last);
        }
        if (first > last)
            continue;
        content.rows[std::size_t(y - draw.srcY)] = {first, last};
        content.left = std::min(content.left, first), content.right = std::max(content.right, last);
        content.top = std::min(content.top, y), content.bottom = y;
    }
    if (content.bottom < content.top)
        content.right = content.left - 1;
    return content;
}

// Destination pixel (x, y) samples the source at
//   u = uCentre + xx * (2x + 1 - twiceCentreX) + xy * (2y + 1 - twiceCentreY)
// and likewise v, in 16.16 fixed point: offsets from the destination centre are counted in half
// pixels, so they are whole numbers and mirror-symmetric about the centre.
struct Mapping {
    std::int64_t uCentre = 0, vCentre = 0;
    std::int64_t xx = 0, xy = 0, yx = 0, yy = 0;
    std::int64_t twiceCentreX = 0, twiceCentreY = 0;

    Int128 U(std::int64_t x, std::int64_t y) const
    {
        return Int128(uCentre) + Int128(xx) * (2 * x + 1 - twiceCentreX) + Int128(xy) * (2 * y + 1 - twiceCentreY);
    }
    Int128 V(std::int64_t x, std::int64_t y) const
    {
        return Int128(vCentre) + Int128(yx) * (2 * x + 1 - twiceCentreX) + Int128(yy) * (2 * y + 1 - twiceCentreY);
    }
};

// Cosine and sine of a clockwise turn, exact for quarter turns.
std::pair<double, double> Turn(double degrees)
{
    double a = std::fmod(degrees, 360.0);
    if (a < 0)
        a += 360.0;
    if (a == 0)
        return {1, 0};
    if (a == 90)
        return {0, 1};
    if (a == 180)
        return {-1, 0};
    if (a == 270)
        return {0, -1};
    const double radians = a * (std::numbers::pi / 180.0);
    return {std::cos(radians), std::sin(radians)};
}

std::int64_t Fixed(double value) { return std::llround(std::clamp(value, -0x1p60, 0x1p60)); }

Mapping MakeMapping(const AffineDraw& draw)
{
    const auto [c, s] = Turn(draw.angle);
    // Source pixels per destination pixel, signed for mirroring, and halved for half-pixel steps.
    const double su = double(draw.srcWidth) / double(draw.destWidth) * (draw.mirrorX ? -1 : 1) * kOne16 / 2;
    const double sv = double(draw.srcHeight) / double(draw.destHeight) * (draw.mirrorY ? -1 : 1) * kOne16 / 2;
    Mapping m;
    // Source = centre + scale * (inverse turn of the offset from the destination centre).
    m.xx = Fixed(su * c), m.xy = Fixed(su * s);
    m.yx = Fixed(-sv * s), m.yy = Fixed(sv * c);
    m.uCentre = (2 * draw.srcX + draw.srcWidth) * (kOne16 / 2);
    m.vCentre = (2 * draw.srcY + draw.srcHeight) * (kOne16 / 2);
    m.twiceCentreX = 2 * draw.destX + draw.destWidth;
    m.twiceCentreY = 2 * draw.destY + draw.destHeight;
    return m;
}

// A drawing that only moves or quarter-turns pixels at their own size, landing each destination
// centre on a source centre: any filter would only blur it, so its pixels are taken as they are.
bool LandsOnPixelCentres(const Mapping& m)
{
    const auto unitOrZero = [](std::int64_t v) { return v == 0 || v == kOne16 / 2 || v == -kOne16 / 2; };
    if (!unitOrZero(m.xx) || !unitOrZero(m.xy) || !unitOrZero(m.yx) || !unitOrZero(m.yy))
        return false;
    if ((m.xx == 0) != (m.yy == 0) || (m.xy == 0) != (m.yx == 0) || (m.xx == 0) == (m.xy == 0))
        return false;
    const auto centred = [](Int128 v) { return ((std::int64_t(v) - kOne16 / 2) & (kOne16 - 1)) == 0; };
    return centred(m.U(0, 0)) && centred(m.V(0, 0));
}

class Compositor {
public:
    Compositor(const AffineDraw& draw, const PixelView& target) : draw_(draw), target_(target) {}

    void Run();

private:
    struct Bounds {
        double low, high;  // in 16.16 source units
    };
    bool Span(std::int64_t y, std::int64_t& first, std::int64_t& last) const;
    void NearestRow(std::int64_t y, std::int64_t first, std::int64_t last);
    void UnscaledRow(std::int64_t y, std::int64_t first, std::int64_t last);
    template <int kPairs>
    void FilteredRow(std::int64_t y, std::int64_t first, std::int64_t last);

    void ExtendedEdgeRow(std::int64_t y, std::int64_t first, std::int64_t last);

    const AffineDraw& draw_;
    const PixelView& target_;
    Mapping map_;
    Content content_;
    std::shared_ptr<const ResampleFilter> filterX_, filterY_;
    Bounds u_{}, v_{};
};

void Compositor::Run()
{
    content_ = FindContent(draw_);
    if (content_.empty())
        return;
    map_ = MakeMapping(draw_);
    AffineDraw::Sampling sampling = draw_.sampling;
    if (sampling != AffineDraw::Sampling::Nearest && LandsOnPixelCentres(map_))
        sampling = AffineDraw::Sampling::Nearest;
    // Sample points farther than the filter's reach (plus a pixel of slack) from the content draw
    // nothing.
    double reachX = 1, reachY = 1;
    if (sampling != AffineDraw::Sampling::Nearest) {
        const auto kind = sampling == AffineDraw::Sampling::Cubic ? ResampleFilter::Kind::Cubic : ResampleFilter::Kind::Box;
        filterX_ = ResampleFilter::For(kind, double(draw_.srcWidth) / double(draw_.destWidth));
        filterY_ = ResampleFilter::For(kind, double(draw_.srcHeight) / double(draw_.destHeight));
        reachX = filterX_->Radius() + 1, reachY = filterY_->Radius() + 1;
    }
    u_ = {(double(content_.left) - reachX) * kOne16, (double(content_.right) + 1 + reachX) * kOne16};
    v_ = {(double(content_.top) - reachY) * kOne16, (double(content_.bottom) + 1 + reachY) * kOne16};
    const bool unscaled = sampling == AffineDraw::Sampling::Nearest && map_.xy == 0 && map_.yx == 0 &&
                          map_.xx == kOne16 / 2 && map_.yy == kOne16 / 2;
    for (std::int64_t y = 0; y < target_.height; ++y) {
        std::int64_t first, last;
        if (!Span(y, first, last))
            continue;
        if (draw_.extendEdges && sampling != AffineDraw::Sampling::Nearest)
            ExtendedEdgeRow(y, first, last);
        else if (unscaled)
            UnscaledRow(y, first, last);
        else if (sampling == AffineDraw::Sampling::Nearest)
            NearestRow(y, first, last);
        else if (filterX_->Taps() == 6)  // a hand shrunk by up to half again: the clock's usual case
            FilteredRow<3>(y, first, last);
        else
            FilteredRow<0>(y, first, last);
    }
}

// The columns of target row y whose sample points fall near the content, with a pixel to spare.
bool Compositor::Span(std::int64_t y, std::int64_t& first, std::int64_t& last) const
{
    double low = -1, high = double(target_.width);
    auto narrow = [&](double start, double step, Bounds bounds) {
        if (step == 0) {
            if (start < bounds.low || start > bounds.high)
                high = -2;
            return;
        }
        double a = (bounds.low - start) / step, b = (bounds.high - start) / step;
        if (a > b)
            std::swap(a, b);
        low = std::max(low, a), high = std::min(high, b);
    };
    narrow(double(map_.U(0, y)), 2.0 * double(map_.xx), u_);
    narrow(double(map_.V(0, y)), 2.0 * double(map_.yx), v_);
    if (!(low <= high))
        return false;
    if (draw_.extendEdges) {
        if (y < draw_.destY || y >= draw_.destY + draw_.destHeight)
            return false;
        first = std::max({std::int64_t(std::floor(low)) - 1, draw_.destX, std::int64_t{0}});
        last = std::min({std::int64_t(std::ceil(high)) + 1, draw_.destX + draw_.destWidth - 1, std::int64_t{target_.width} - 1});
        return first <= last;
    }
    first = std::max<std::int64_t>(0, std::int64_t(std::floor(low)) - 1);
    last = std::min<std::int64_t>(target_.width - 1, std::int64_t(std::ceil(high)) + 1);
    return first <= last;
}

void Compositor::NearestRow(std::int64_t y, std::int64_t first, std::int64_t last)
{
    std::int64_t u = std::int64_t(map_.U(first, y)), v = std::int64_t(map_.V(first, y));
    const std::int64_t du = 2 * map_.xx, dv = 2 * map_.yx;
    std::uint8_t* out = target_.Pixel(std::int32_t(first), std::int32_t(y));
    for (std::int64_t x = first; x <= last; ++x, u += du, v += dv, out += 4) {
        const std::int64_t column = u >> 16, row = v >> 16;
        if (row < content_.top || row > content_.bottom)
            continue;
        const auto [left, right] = content_.rows[std::size_t(row - draw_.srcY)];
        if (column < left || column > right)
            continue;
        const std::uint8_t* p = draw_.source.Row(std::int32_t(row)) + column * 4;
        Over(out, p[0], p[1], p[2], draw_.sourceAlpha ? p[3] : 255u, draw_.opacity);
    }
}

// The nearest row of a drawing that neither scales, turns nor mirrors: a run of one source row.
void Compositor::UnscaledRow(std::int64_t y, std::int64_t first, std::int64_t last)
{
    const std::int64_t row = std::int64_t(map_.V(first, y)) >> 16;
    if (row < content_.top || row > content_.bottom)
        return;
    const std::int64_t shift = (std::int64_t(map_.U(first, y)) >> 16) - first;  // source column - target column
    const auto [left, right] = content_.rows[std::size_t(row - draw_.srcY)];
    first = std::max(first, left - shift), last = std::min(last, right - shift);
    if (first > last)
        return;
    const std::uint8_t* from = draw_.source.Row(std::int32_t(row)) + (first + shift) * 4;
    std::uint8_t* to = target_.Pixel(std::int32_t(first), std::int32_t(y));
    std::int64_t x = first;
#if defined(__SSE2__)
    const std::uint32_t alphaOr = draw_.sourceAlpha ? 0 : 0xFF000000u;
    for (; x + 3 <= last; x += 4, from += 16, to += 16)
        OverFour(to, from, alphaOr, draw_.opacity);
#endif
    for (; x <= last; ++x, from += 4, to += 4)
        Over(to, from[0], from[1], from[2], draw_.sourceAlpha ? from[3] : 255u, draw_.opacity);
}

std::uint8_t ClampByte(std::int32_t value, std::int32_t ceiling)
{
    return std::uint8_t(std::clamp<std::int32_t>(value, 0, ceiling));
}

// Between the two axes the sums keep 6 bits below the byte and still fit 16 bits, so that the
// second axis multiplies 16-bit values too.
constexpr int kRowShift = ResampleFilter::kWeightBits - 6;
constexpr int kFinalShift = ResampleFilter::kWeightBits + 6;

#if defined(__SSE2__)
__m128i Load(const ResampleFilter::Lanes& lanes) { return _mm_load_si128(reinterpret_cast<const __m128i*>(lanes.lane)); }

// One source row's contribution: sum of weight x pixel over count pixels, per channel, scaled down
// to kRowShift, as four 32-bit lanes. Pixels are taken in pairs, interleaved channel by channel, so
// that one multiply-add covers two of them.
__m128i RowSum(const std::uint8_t* p, const std::int16_t* w, std::int64_t count, std::uint32_t alphaOr)
{
    const __m128i zero = _mm_setzero_si128();
    __m128i sum = _mm_setzero_si128();
    for (; count > 0; count -= 2, p += 8, w += 2) {
        const std::uint32_t first = Word(p) | alphaOr;
        const std::uint32_t second = count > 1 ? Word(p + 4) | alphaOr : 0;
        const std::int16_t secondWeight = count > 1 ? w[1] : 0;
        const __m128i pair = _mm_unpacklo_epi8(_mm_unpacklo_epi8(_mm_cvtsi32_si128(int(first)), _mm_cvtsi32_si128(int(second))), zero);
        const __m128i weights = _mm_set1_epi32(int(std::uint32_t(std::uint16_t(secondWeight)) << 16 | std::uint16_t(w[0])));
        sum = _mm_add_epi32(sum, _mm_madd_epi16(pair, weights));
    }
    return _mm_srai_epi32(_mm_add_epi32(sum, _mm_set1_epi32(1 << (kRowShift - 1))), kRowShift);
}

// The same for a whole window of taps (an even number) inside the source: two pixels per load.
// kPairs, when not 0, is the number of pairs known in advance, so that the loop unrolls.
template <int kPairs>
__m128i WindowSum(const std::uint8_t* p, const ResampleFilter::Lanes* pairs, int pairCount, std::uint32_t alphaOr)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i alpha = _mm_set1_epi32(int(alphaOr));
    __m128i sum = _mm_setzero_si128();
    if constexpr (kPairs != 0)
        pairCount = kPairs;
#pragma GCC unroll 8
    for (int k = 0; k < pairCount; ++k, p += 8) {
        const __m128i two = _mm_or_si128(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)), alpha);
        const __m128i pair = _mm_unpacklo_epi8(_mm_unpacklo_epi8(two, _mm_srli_si128(two, 4)), zero);
        sum = _mm_add_epi32(sum, _mm_madd_epi16(pair, Load(pairs[k])));
    }
    return _mm_srai_epi32(_mm_add_epi32(sum, _mm_set1_epi32(1 << (kRowShift - 1))), kRowShift);
}
#endif

template <int kPairs>
void Compositor::FilteredRow(std::int64_t y, std::int64_t first, std::int64_t last)
{
    std::int64_t u = std::int64_t(map_.U(first, y)), v = std::int64_t(map_.V(first, y));
    const std::int64_t du = 2 * map_.xx, dv = 2 * map_.yx;
    const int tapsX = filterX_->Taps(), tapsY = filterY_->Taps();
    const std::uint32_t alphaOr = draw_.sourceAlpha ? 0 : 0xFF000000u;
    std::uint8_t* out = target_.Pixel(std::int32_t(first), std::int32_t(y));
    for (std::int64_t x = first; x <= last; ++x, u += du, v += dv, out += 4) {
        const auto [px, phaseX] = filterX_->Locate(u);
        const auto [py, phaseY] = filterY_->Locate(v);
        if (px > content_.right || px + tapsX <= content_.left || py > content_.bottom || py + tapsY <= content_.top)
            continue;
        const std::int16_t* wx = filterX_->Weights(phaseX);
        const std::int64_t rowFrom = std::max(py, content_.top), rowTo = std::min(py + tapsY - 1, content_.bottom);
#if defined(__SSE2__)
        // Away from the source rectangle's sides every tap can be read, transparent ones adding 0.
        const bool windowInside = px >= draw_.srcX && px + tapsX <= draw_.srcX + draw_.srcWidth;
        const ResampleFilter::Lanes* pairsX = filterX_->PairLanes(phaseX);
        const ResampleFilter::Lanes* rowWeights = filterY_->WeightLanes(phaseY);
        __m128i sum = _mm_setzero_si128();
#else
        const std::int16_t* wy = filterY_->Weights(phaseY);
        std::int32_t sum[4] = {0, 0, 0, 0};
#endif
        for (std::int64_t row = rowFrom; row <= rowTo; ++row) {
            const auto [left, right] = content_.rows[std::size_t(row - draw_.srcY)];
            const std::int64_t from = std::max(px, left), to = std::min(px + tapsX - 1, right);
            if (from > to)
                continue;
            const std::uint8_t* p = content_.rowStarts[std::size_t(row - draw_.srcY)] + from * 4;
#if defined(__SSE2__)
            // The row's sums fit 16 bits, so a multiply-add against (weight, 0) scales them.
            const __m128i rowSum = windowInside ? WindowSum<kPairs>(p - (from - px) * 4, pairsX, tapsX / 2, alphaOr)
                                                : RowSum(p, wx + (from - px), to - from + 1, alphaOr);
            sum = _mm_add_epi32(sum, _mm_madd_epi16(rowSum, Load(rowWeights[row - py])));
#else
            const std::int16_t weight = wy[row - py];
            std::int32_t rowSum[4] = {0, 0, 0, 0};
            for (std::int64_t i = from; i <= to; ++i, p += 4) {
                const std::int32_t w = wx[i - px];
                const std::uint32_t word = Word(p) | alphaOr;
                for (int c = 0; c < 4; ++c)
                    rowSum[c] += w * std::int32_t((word >> (8 * c)) & 0xFF);
            }
            for (int c = 0; c < 4; ++c)
                sum[c] += weight * ((rowSum[c] + (1 << (kRowShift - 1))) >> kRowShift);
#endif
        }
#if defined(__SSE2__)
        OverSums(out, _mm_srai_epi32(_mm_add_epi32(sum, _mm_set1_epi32(1 << (kFinalShift - 1))), kFinalShift),
                 draw_.opacity);
#else
        std::int32_t channels[4];
        for (int c = 0; c < 4; ++c)
            channels[c] = (sum[c] + (1 << (kFinalShift - 1))) >> kFinalShift;
        // Back to bytes, keeping colour within alpha (a cubic may overshoot either way).
        const std::uint8_t alpha = ClampByte(channels[3], 255);
        Over(out, ClampByte(channels[0], alpha), ClampByte(channels[1], alpha), ClampByte(channels[2], alpha), alpha,
             draw_.opacity);
#endif
    }
}

// The filtered row for a picture whose edge pixels extend past its sides: every tap is read, its
// position held inside the source rectangle.
void Compositor::ExtendedEdgeRow(std::int64_t y, std::int64_t first, std::int64_t last)
{
    std::int64_t u = std::int64_t(map_.U(first, y)), v = std::int64_t(map_.V(first, y));
    const std::int64_t du = 2 * map_.xx, dv = 2 * map_.yx;
    const std::uint32_t alphaOr = draw_.sourceAlpha ? 0 : 0xFF000000u;
    const std::int64_t right = draw_.srcX + draw_.srcWidth - 1, bottom = draw_.srcY + draw_.srcHeight - 1;
    std::uint8_t* out = target_.Pixel(std::int32_t(first), std::int32_t(y));
    for (std::int64_t x = first; x <= last; ++x, u += du, v += dv, out += 4) {
        const auto [px, phaseX] = filterX_->Locate(u);
        const auto [py, phaseY] = filterY_->Locate(v);
        const std::int16_t* wx = filterX_->Weights(phaseX);
        const std::int16_t* wy = filterY_->Weights(phaseY);
        std::int32_t sum[4] = {0, 0, 0, 0};
        for (int j = 0; j < filterY_->Taps(); ++j) {
            const std::uint8_t* row = draw_.source.Row(std::int32_t(std::clamp(py + j, draw_.srcY, bottom)));
            std::int32_t rowSum[4] = {0, 0, 0, 0};
            for (int i = 0; i < filterX_->Taps(); ++i) {
                const std::uint32_t word = Word(row + std::clamp(px + i, draw_.srcX, right) * 4) | alphaOr;
                for (int c = 0; c < 4; ++c)
                    rowSum[c] += wx[i] * std::int32_t((word >> (8 * c)) & 0xFF);
            }
            for (int c = 0; c < 4; ++c)
                sum[c] += wy[j] * ((rowSum[c] + (1 << (kRowShift - 1))) >> kRowShift);
        }
        std::int32_t channels[4];
        for (int c = 0; c < 4; ++c)
            channels[c] = (sum[c] + (1 << (kFinalShift - 1))) >> kFinalShift;
        const std::uint8_t alpha = ClampByte(channels[3], 255);
        Over(out, ClampByte(channels[0], alpha), ClampByte(channels[1], alpha), ClampByte(channels[2], alpha), alpha,
             draw_.opacity);
    }
}

bool WellFormed(const AffineDraw& draw)
{
    const PixelView& s = draw.source;
    return s && draw.srcWidth > 0 && draw.srcHeight > 0 && draw.destWidth > 0 && draw.destHeight > 0 &&
           draw.srcX >= 0 && draw.srcY >= 0 && draw.srcX + draw.srcWidth <= s.width &&
           draw.srcY + draw.srcHeight <= s.height && std::isfinite(draw.angle);
}

} // namespace

bool AffineResampler::Composite(const AffineDraw& draw, const PixelView& target)
{
    if (!WellFormed(draw))
        return false;
    if (!target || target.width <= 0 || target.height <= 0)
        return true;
    // Drawing a picture onto itself reads from a copy, so that no pixel is read after it was drawn.
    const auto [sourceLow, sourceHigh] = Extent(draw.source);
    const auto [targetLow, targetHigh] = Extent(target);
    if (sourceLow < targetHigh && targetLow < sourceHigh) {
        std::vector<std::uint8_t> copy(sourceLow, sourceHigh);
        AffineDraw fromCopy = draw;
        fromCopy.source.bits = copy.data() + (draw.source.bits - sourceLow);
        Compositor(fromCopy, target).Run();
        return true;
    }
    Compositor(draw, target).Run();
    return true;
}

} // namespace dorvane
