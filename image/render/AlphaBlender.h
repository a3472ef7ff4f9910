#pragma once

#include "image/DeviceContext.h"
#include "image/PixelView.h"

#include <cstdint>

namespace dorvane {

// The four bytes that tell the blend how to mix: source over, a constant alpha applied to the
// whole source, and whether the source's own (premultiplied) alpha counts.
struct BlendFunction {
    static constexpr std::uint8_t kSourceOver = 0;
    static constexpr std::uint8_t kSourceAlpha = 1;  // AlphaFormat: the source carries per-pixel alpha

    std::uint8_t BlendOp = kSourceOver;
    std::uint8_t BlendFlags = 0;
    std::uint8_t SourceConstantAlpha = 255;
    std::uint8_t AlphaFormat = 0;
};

// The blend primitive: lays a rectangle of a source onto a rectangle of a device context's pixels.
// Each source pixel is faded by SourceConstantAlpha; with kSourceAlpha it then covers the
// destination by its own alpha, without it the source counts as opaque and its alpha bytes are
// ignored. A stretch picks the nearest source pixels unless the context's stretch mode is halftone,
// which averages the source area under each destination pixel. A negative destination size mirrors
// that axis, the rectangle staying where its absolute size puts it (as the imaging path does).
class AlphaBlender {
public:
    // False, drawing nothing, when the context has no pixels, a size is 0, the source rectangle does
    // not lie inside the source, or the operation is not source over.
    static bool AlphaBlend(DeviceContext* destination, std::int64_t destX, std::int64_t destY, std::int64_t destWidth,
                           std::int64_t destHeight, const PixelView& source, std::int64_t srcX, std::int64_t srcY,
                           std::int64_t srcWidth, std::int64_t srcHeight, BlendFunction blend);
};

} // namespace dorvane
