#include "image/render/AlphaBlender.h"

#include "image/render/AffineResampler.h"

#include <cstdlib>

namespace dorvane {

bool AlphaBlender::AlphaBlend(DeviceContext* destination, std::int64_t destX, std::int64_t destY,
                              std::int64_t destWidth, std::int64_t destHeight, const PixelView& source,
                              std::int64_t srcX, std::int64_t srcY, std::int64_t srcWidth, std::int64_t srcHeight,
                              BlendFunction blend)
{
    if (!destination || !destination->Target() || blend.BlendOp != BlendFunction::kSourceOver)
        return false;
    if (destWidth == 0 || destHeight == 0)
        return false;
    AffineDraw draw;
    draw.source = source;
    draw.srcX = srcX, draw.srcY = srcY, draw.srcWidth = srcWidth, draw.srcHeight = srcHeight;
    draw.mirrorX = destWidth < 0, draw.mirrorY = destHeight < 0;
    draw.destWidth = std::abs(destWidth), draw.destHeight = std::abs(destHeight);
    draw.destX = destX, draw.destY = destY;
    const bool stretched = draw.destWidth != srcWidth || draw.destHeight != srcHeight;
    draw.sampling = stretched && destination->StretchMode() == DeviceContext::kStretchHalftone
                        ? AffineDraw::Sampling::Box
                        : AffineDraw::Sampling::Nearest;
    draw.opacity = blend.SourceConstantAlpha;
    draw.sourceAlpha = (blend.AlphaFormat & BlendFunction::kSourceAlpha) != 0;
    return AffineResampler::Composite(draw, destination->Target());
}

} // namespace dorvane
