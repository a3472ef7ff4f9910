#pragma once

#include "platform/Screen.h"

namespace dorvane {

// The primary screen in pixels; twips per pixel follow from the screen device's dots per inch
// (1440 / 96 = 15 at the usual setting).
class WindowsScreen : public Screen {
public:
    int WidthPixels() const override;
    int HeightPixels() const override;
    double TwipsPerPixelX() const override;
    double TwipsPerPixelY() const override;

private:
    static double TwipsPerPixel(int deviceCapability);
};

} // namespace dorvane
