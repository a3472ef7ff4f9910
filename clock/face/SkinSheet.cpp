#include "clock/face/SkinSheet.h"

#include "clock/face/LabelFont.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <string>

namespace dorvane {
namespace {

constexpr int kMargin = 18;
constexpr int kTitleHeight = 40;
constexpr int kCellWidth = 158;
constexpr int kLabelGap = 8;
constexpr int kLabelHeight = 22;
constexpr int kRowGap = 10;
constexpr int kCellHeight = SkinSheet::kFaceBox + kLabelGap + kLabelHeight + kRowGap;

constexpr double kTitleSize = 2.0;
constexpr double kLabelSize = 1.5;

// The backdrop runs from a deep slate at the top to a lighter one at the bottom.
constexpr LabelColour kBackdropTop{44, 56, 72};
constexpr LabelColour kBackdropBottom{82, 98, 118};
constexpr LabelColour kText{244, 246, 250};
constexpr LabelColour kDimText{170, 184, 202};
constexpr LabelColour kTextShadow{10, 14, 20, 150};

int Rows(int faces) { return (faces + SkinSheet::kColumns - 1) / SkinSheet::kColumns; }

// A length of the sheet's layout in the pixels of a sheet drawn at scale.
int Scaled(double length, double scale) { return static_cast<int>(std::lround(length * scale)); }

SkinSheet::Point CellOrigin(int index, double scale)
{
    return {Scaled(kMargin + index % SkinSheet::kColumns * kCellWidth, scale),
            Scaled(kMargin + kTitleHeight + index / SkinSheet::kColumns * kCellHeight, scale)};
}

// Text with a soft shadow one logical pixel down and to the right, which keeps it legible on any
// backdrop.
void Write(c32bppDIB& picture, const LabelFont& font, double x, double top, std::string_view text, LabelColour colour,
           double scale)
{
    const double shadow = std::max(1, Scaled(1, scale));
    font.Draw(picture, x + shadow, top + shadow, text, kTextShadow);
    font.Draw(picture, x, top, text, colour);
}

} // namespace

SkinSheet::SkinSheet(int faces, std::string_view title, std::string_view note, double scale) : scale_(scale)
{
    assert(faces > 0 && scale > 0);
    const int width = Scaled(2 * kMargin + kColumns * kCellWidth, scale);
    const int height = Scaled(2 * kMargin + kTitleHeight + Rows(faces) * kCellHeight - kRowGap, scale);
    picture_.InitializeDIB(width, height);
    PaintBackdrop();
    const LabelFont titleFont(kTitleSize * scale), noteFont(kLabelSize * scale);
    const int margin = Scaled(kMargin, scale), inset = Scaled(4, scale);
    Write(picture_, titleFont, margin + inset, margin, title, kText, scale);
    const double noteLeft = std::round(width - margin - inset - noteFont.TextWidth(note));
    const double noteTop = std::round(margin + titleFont.Ascent() - noteFont.Ascent());
    Write(picture_, noteFont, noteLeft, noteTop, note, kDimText, scale);
}

void SkinSheet::PaintBackdrop()
{
    const PixelView pixels = picture_.Pixels();
    for (int y = 0; y < pixels.height; ++y) {
        const double t = pixels.height > 1 ? double(y) / (pixels.height - 1) : 0;
        const auto mix = [t](std::uint8_t top, std::uint8_t bottom) {
            return static_cast<std::uint8_t>(std::lround(top + (bottom - top) * t));
        };
        const std::uint8_t row[4] = {mix(kBackdropTop.blue, kBackdropBottom.blue),
                                     mix(kBackdropTop.green, kBackdropBottom.green),
                                     mix(kBackdropTop.red, kBackdropBottom.red), 255};
        for (int x = 0; x < pixels.width; ++x)
            std::copy(row, row + 4, pixels.Pixel(x, y));
    }
}

SkinSheet::Point SkinSheet::FacePosition(int index, int width, int height, double scale)
{
    const Point cell = CellOrigin(index, scale);
    return {cell.x + (Scaled(kCellWidth, scale) - width) / 2, cell.y + (Scaled(kFaceBox, scale) - height) / 2};
}

void SkinSheet::Place(int index, c32bppDIB& face, std::string_view number, std::string_view name)
{
    if (face.Handle()) {
        const Point at = FacePosition(index, face.Width(), face.Height(), scale_);
        face.Render(nullptr, at.x, at.y, face.Width(), face.Height(), 0, 0, 0, 0, 100, true, true, &picture_);
    }
    WriteLabel(index, number, name);
}

void SkinSheet::WriteLabel(int index, std::string_view number, std::string_view name)
{
    const LabelFont font(kLabelSize * scale_);
    const std::string numberText = number.empty() ? std::string() : std::string(number) + " ";
    const double width = font.TextWidth(numberText) + font.TextWidth(name);
    const Point cell = CellOrigin(index, scale_);
    const double left = std::round(cell.x + (Scaled(kCellWidth, scale_) - width) / 2);
    const double top = cell.y + Scaled(kFaceBox + kLabelGap, scale_);
    Write(picture_, font, left, top, numberText, kDimText, scale_);
    Write(picture_, font, left + font.TextWidth(numberText), top, name, kText, scale_);
}

} // namespace dorvane
