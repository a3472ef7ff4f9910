#pragma once

#include "platform/Screen.h"

namespace dorvane {

// Where the button strip's pictures and separator lines lie, in pixels from its top-left corner:
// the close, options and drag pictures in one column, a thin line between each two.
struct ButtonStripLayout {
    struct Box {
        int left, top, width, height;
        constexpr bool Contains(int x, int y) const
        {
            return x >= left && x < left + width && y >= top && y < top + height;
        }
    };

    static constexpr int kMargin = 4;
    static constexpr int kPicture = 19;
    static constexpr int kGap = 6;

    static constexpr Box Close() { return {kMargin, kMargin, kPicture, kPicture}; }
    static constexpr Box Options() { return {kMargin, kMargin + kPicture + kGap, kPicture, kPicture}; }
    static constexpr Box Drag() { return {kMargin, kMargin + 2 * (kPicture + kGap), kPicture, kPicture}; }
    // The height of separator line 1 or 2, halfway through the gap above the options or drag picture.
    static constexpr int LineY(int line) { return kMargin + line * (kPicture + kGap) - kGap / 2 - 1; }

    // The strip's size in twips, from the pictures' places: the right margin equals the left one,
    // and the drag picture has 50 twips below it.
    static double WidthTwips(const Screen& screen) { return (2 * kMargin + kPicture) * screen.TwipsPerPixelX(); }
    static double HeightTwips(const Screen& screen)
    {
        return (kMargin + 3 * kPicture + 2 * kGap) * screen.TwipsPerPixelY() + 50;
    }
};

} // namespace dorvane
