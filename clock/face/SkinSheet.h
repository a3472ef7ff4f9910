#pragma once

#include "image/c32bppDIB.h"

#include <string_view>

namespace dorvane {

// A contact sheet for choosing a skin: clock faces side by side, seven to a row, on a calm slate
// backdrop (so that the glass dials show what they do over a desktop), each with its catalogue
// number and name below it, under a title with a note at its right. A sheet drawn at a scale has
// every length of the layout, the lettering included, that many times its pixels, for faces drawn
// at that scale.
class SkinSheet {
public:
    static constexpr int kColumns = 7;
    // Every dial fits a square of this side (logical pixels).
    static constexpr int kFaceBox = 132;

    SkinSheet(int faces, std::string_view title, std::string_view note = {}, double scale = 1.0);

    // Lays face over the cell at index (0 based, row by row), centred in the cell's face box, and
    // writes number (dimmed; may be empty) and name centred below it.
    void Place(int index, c32bppDIB& face, std::string_view number, std::string_view name);

    const c32bppDIB& Picture() const { return picture_; }

    struct Point {
        int x = 0, y = 0;
    };
    // Where a face of width × height at index is laid: its top-left corner on the sheet, in the
    // pixels of a sheet drawn at scale.
    static Point FacePosition(int index, int width, int height, double scale = 1.0);

private:
    void PaintBackdrop();
    void WriteLabel(int index, std::string_view number, std::string_view name);

    double scale_;
    c32bppDIB picture_;
};

} // namespace dorvane
