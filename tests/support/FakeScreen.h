#pragma once

#include "platform/Screen.h"

namespace dorvane::testing {

struct FakeScreen : Screen {
    FakeScreen(int width = 1280, int height = 1024, double twipsPerPixel = 15)
        : width(width), height(height), twipsPerPixel(twipsPerPixel) {}
    int WidthPixels() const override { return width; }
    int HeightPixels() const override { return height; }
    double TwipsPerPixelX() const override { return twipsPerPixel; }
    double TwipsPerPixelY() const override { return twipsPerPixel; }
    int width, height;
    double twipsPerPixel;
};

} // namespace dorvane::testing
