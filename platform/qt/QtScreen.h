#pragma once

#include "platform/Screen.h"

namespace dorvane {

// The primary screen as Qt reports it, in device-independent pixels; twips per pixel follow from
// the screen's logical dots per inch (15 at 96).
class QtScreen : public Screen {
public:
    int WidthPixels() const override;
    int HeightPixels() const override;
    double TwipsPerPixelX() const override;
    double TwipsPerPixelY() const override;
};

} // namespace dorvane
