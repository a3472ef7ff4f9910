#pragma once

#include "platform/Screen.h"

namespace dorvane {

// The X display's first screen, read once; a 1920 x 1080 screen at 96 dots per inch when there is
// no display to ask.
class X11Screen : public Screen {
public:
    X11Screen();

    int WidthPixels() const override { return width_; }
    int HeightPixels() const override { return height_; }
    double TwipsPerPixelX() const override { return kTwipsPerPixel; }
    double TwipsPerPixelY() const override { return kTwipsPerPixel; }

private:
    // Twips per pixel at the 96 dots per inch that desktops assume.
    static constexpr double kTwipsPerPixel = 15;
    int width_ = 1920;
    int height_ = 1080;
};

} // namespace dorvane
