#pragma once

#include "image/PixelView.h"

namespace dorvane {

// A drawing target: whatever drawing is directed at it lands in the pixel memory selected into it.
// A memory context starts with nothing selected and is handed a surface's pixels (the way a surface
// lends itself for drawing); a context made over a window view's image draws straight onto that.
class DeviceContext {
public:
    static constexpr int kStretchColorOnColor = 3;
    static constexpr int kStretchHalftone = 4;

    DeviceContext() = default;
    explicit DeviceContext(PixelView target) : target_(target) {}

    // Makes bitmap the target and gives back the one it replaces (empty when there was none).
    PixelView SelectObject(PixelView bitmap)
    {
        PixelView previous = target_;
        target_ = bitmap;
        return previous;
    }
    const PixelView& Target() const { return target_; }

    // How stretched drawing is sampled: kStretchHalftone filters, the default picks pixels.
    int StretchMode() const { return stretchMode_; }
    int SetStretchMode(int mode)
    {
        int previous = stretchMode_;
        stretchMode_ = mode;
        return previous;
    }

private:
    PixelView target_;
    int stretchMode_ = kStretchColorOnColor;
};

} // namespace dorvane
