#pragma once

#include "image/PixelView.h"

#include <cstdint>

namespace dorvane {

// The surface's own scaler for Resize and CopyImageTo when the imaging services are off: each
// destination pixel (x, y) takes the source point (x * factor, y * factor), factor being source size
// / destination size per axis, either the pixel under it (nearest) or the 2 x 2 pixels around it
// weighted by their nearness (bilinear, each channel truncated). Pixels are written, not blended.
// A negative destination size mirrors that axis.
class PlainResampler {
public:
    static void Scale(const PixelView& source, const PixelView& target, std::int64_t destWidth, std::int64_t destHeight,
                      bool bilinear);
};

} // namespace dorvane
