#pragma once

#include "image/c32bppDIB.h"

#include <cstdint>
#include <string_view>

namespace dorvane {

// A straight (not premultiplied) colour with its opacity.
struct LabelColour {
    std::uint8_t red = 0, green = 0, blue = 0, alpha = 255;
};

// A small proportional font of our own for writing labels onto pictures: letters, digits and a few
// signs designed on a 5 × 7 grid with two rows below the baseline for descenders. The glyphs are
// drawn at any size with antialiasing, their diagonal steps smoothed into slanted strokes, so that
// they do not look like enlarged pixels. Characters it does not have are drawn as "?".
class LabelFont {
public:
    // pixelSize: output pixels per grid cell (1.5 gives letters about 10 pixels high).
    explicit LabelFont(double pixelSize);

    // From the top of the capitals to the baseline, and from there to the bottom of a descender.
    double Ascent() const { return kCapRows * pixelSize_; }
    double Descent() const { return kDescenderRows * pixelSize_; }
    // The advance of the whole text, the spacing after its last glyph left out.
    double TextWidth(std::string_view text) const;

    // Writes text with its left edge at x and the top of its capitals at top (pixels from the
    // picture's top-left), laid over what is there; the parts outside the picture are left out.
    void Draw(c32bppDIB& picture, double x, double top, std::string_view text, LabelColour colour) const;

    static constexpr int kCapRows = 7;
    static constexpr int kDescenderRows = 2;

private:
    double pixelSize_;
};

} // namespace dorvane
