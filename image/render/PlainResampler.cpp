#include "image/render/PlainResampler.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace dorvane {
namespace {

// Where a destination index lands in the source: the pixel at or before the point, the next one
// (the same at the last pixel, so that samples stay inside the source) and the weight of the next.
struct Tap {
    std::int32_t at, next;
    std::uint32_t nextWeight;  // of 256
};

Tap Locate(std::int64_t index, double factor, std::int32_t sourceSize)
{
    const double point = std::min(double(index) * factor, double(sourceSize - 1));
    const auto at = std::int32_t(point);
    const auto weight = std::uint32_t((point - at) * 256);
    return {at, std::min(at + 1, sourceSize - 1), weight};
}

} // namespace

void PlainResampler::Scale(const PixelView& source, const PixelView& target, std::int64_t destWidth,
                           std::int64_t destHeight, bool bilinear)
{
    const std::int64_t width = std::min<std::int64_t>(std::abs(destWidth), target.width);
    const std::int64_t height = std::min<std::int64_t>(std::abs(destHeight), target.height);
    if (!source || !target || width == 0 || height == 0)
        return;
    const double factorX = double(source.width) / double(std::abs(destWidth));
    const double factorY = double(source.height) / double(std::abs(destHeight));
    for (std::int64_t y = 0; y < height; ++y) {
        const Tap ty = Locate(y, factorY, source.height);
        const std::uint8_t* upper = source.Row(ty.at);
        const std::uint8_t* lower = source.Row(ty.next);
        std::uint8_t* out = target.Row(std::int32_t(destHeight < 0 ? height - 1 - y : y));
        for (std::int64_t x = 0; x < width; ++x) {
            const Tap tx = Locate(x, factorX, source.width);
            std::uint8_t* pixel = out + (destWidth < 0 ? width - 1 - x : x) * 4;
            for (int c = 0; c < 4; ++c) {
                if (!bilinear) {
                    pixel[c] = upper[tx.at * 4 + c];
                    continue;
                }
                const std::uint32_t top = upper[tx.at * 4 + c] * (256 - tx.nextWeight) + upper[tx.next * 4 + c] * tx.nextWeight;
                const std::uint32_t bottom = lower[tx.at * 4 + c] * (256 - tx.nextWeight) + lower[tx.next * 4 + c] * tx.nextWeight;
                pixel[c] = std::uint8_t((top * (256 - ty.nextWeight) + bottom * ty.nextWeight) >> 16);
            }
        }
    }
}

} // namespace dorvane
