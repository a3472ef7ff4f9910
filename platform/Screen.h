#pragma once

namespace dorvane {

// The desktop the clock floats on. Window geometry in the settings is converted between twips
// (1440 per inch) and pixels with the twips-per-pixel factors (15 at 96 dots per inch).
class Screen {
public:
    virtual ~Screen() = default;
    virtual int WidthPixels() const = 0;
    virtual int HeightPixels() const = 0;
    virtual double TwipsPerPixelX() const = 0;
    virtual double TwipsPerPixelY() const = 0;
};

} // namespace dorvane
