#pragma once

#include "options/ButtonStrip.h"
#include "platform/Screen.h"

#include <cstdint>
#include <span>

namespace dorvane {

// A rectangle on the desktop in pixels: its top-left corner and its size.
struct PixelRect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const PixelRect&) const = default;
};

struct PixelPoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const PixelPoint&) const = default;
};

// Where the clock's top-left corner goes at start-up so that it can be seen and reached: where it
// is when any part of it lies on a screen; otherwise moved, by the shortest way, just inside the
// screen nearest to it (flush with that screen's left or top edge when it is larger than the
// screen). Without screens it stays where it is.
PixelPoint ReachablePosition(const PixelRect& clock, std::span<const PixelRect> screens);

// Where a window of the given size opens beside owner on screen (the screen's work area): to the
// right of owner with their top edges level; to its left when the screen ends first, though never
// past the screen's left edge; and moved up as far as it must to end on the screen.
PixelPoint BesideWindow(const PixelRect& owner, int32_t width, int32_t height, const PixelRect& screen);

// Window places are kept in twips and set in pixels: a point in twips to the nearest whole pixels,
// and a rectangle in pixels to twips.
PixelPoint TwipsToPixels(double left, double top, const Screen& screen);
TwipsRect PixelsToTwips(const PixelRect& rect, const Screen& screen);

} // namespace dorvane
