#pragma once

#include "image/PixelView.h"
#include "image/render/PictureCoverage.h"
#include "image/render/ResampleFilter.h"

#include <cstdint>

namespace dorvane {

// One drawing of a picture: a rectangle of the source, mirrored as asked, scaled onto a destination
// rectangle and turned clockwise about that rectangle's centre, faded by a constant alpha and laid
// source over onto the target (all four channels, premultiplied).
struct AffineDraw {
    enum class Sampling {
        Nearest,  // the source pixel under each destination pixel's centre
        Box,      // area averaging (a halftone stretch)
        Cubic,    // high quality: a cubic that widens with the shrink factor
    };

    PixelView source;
    std::int64_t srcX = 0, srcY = 0, srcWidth = 0, srcHeight = 0;  // inside the source, sizes > 0
    bool mirrorX = false, mirrorY = false;
    std::int64_t destX = 0, destY = 0, destWidth = 0, destHeight = 0;  // sizes > 0
    double angle = 0;  // degrees, clockwise on the screen
    Sampling sampling = Sampling::Nearest;
    std::uint8_t opacity = 255;  // constant alpha applied to every source pixel
    bool sourceAlpha = true;     // false: the source's alpha bytes are ignored, every pixel is opaque
    // Rescaling a whole picture: past its sides the source repeats its edge pixels instead of being
    // transparent, so the edges keep their colour and opacity, and nothing is drawn outside the
    // destination rectangle (which must then be unturned).
    bool extendEdges = false;
    // Where the source's memory is covered, when the caller knows it: then only those pixels are
    // looked at. Ignored unless it describes the source.
    const PictureCoverage* coverage = nullptr;
};

// Draws an AffineDraw onto a target. Each destination pixel's centre is mapped back into the source
// in 16.16 fixed point, relative to the rectangles' centres, so that a quarter turn of the
// destination samples exactly the source points of the upright drawing: a hand turned by 90, 180 or
// 270 degrees is the exact pixel rotation of the upright one, and the pivot stays on the centre.
// Outside the source rectangle the picture is transparent, which gives soft edges. Only pixels
// whose filter can reach a non-transparent source pixel are visited, so a thin hand on a large
// transparent picture costs little.
class AffineResampler {
public:
    // False when the draw is malformed (empty rectangles, a source rectangle outside the source,
    // an angle that is not a number); true otherwise, including when nothing lands on the target.
    static bool Composite(const AffineDraw& draw, const PixelView& target);
};

} // namespace dorvane
