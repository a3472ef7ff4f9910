#pragma once

#include "platform/Screen.h"

namespace dorvane::testing {

class FakeScreen : public Screen {
public:
    FakeScreen(int width = 1280, int height = 1024, double twipsPerPixel = 15)
        : width_(width), height_(height), twipsPerPixel_(twipsPerPixel) {}
    int WidthPixels() const override { return width_; }
    int HeightPixels() const override { return height_; }
    double TwipsPerPixelX() const override { return twipsPerPixel_; }
    double TwipsPerPixelY() const override { return twipsPerPixel_; }

private:
    int width_, height_;
    double twipsPerPixel_;
};

} // namespace dorvane::testing
