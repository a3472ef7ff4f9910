#include "clock/face/SkinSheet.h"

#include "clock/face/LabelFont.h"

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

SkinSheet::Point CellOrigin(int index)
{
    return {kMargin + index % SkinSheet::kColumns * kCellWidth, kMargin + kTitleHeight + index / SkinSheet::kColumns * kCellHeight};
}

// Text with a soft shadow one pixel down and to the right, which keeps it legible on any backdrop.
void Write(c32bppDIB& picture, const LabelFont& font, double x, double top, std::string_view text, LabelColour colour)
{
    font.Draw(picture, x + 1, top + 1, text, kTextShadow);
    font.Draw(picture, x, top, text, colour);
}

} // namespace

SkinSheet::SkinSheet(int faces, std::string_view title, std::string_view note)
{
    assert(faces > 0);
    const int width = 2 * kMargin + kColumns * kCellWidth;
    const int height = 2 * kMargin + kTitleHeight + Rows(faces) * kCellHeight - kRowGap;
    picture_.InitializeDIB(width, height);
    PaintBackdrop();
    const LabelFont titleFont(kTitleSize), noteFont(kLabelSize);
    Write(picture_, titleFont, kMargin + 4, kMargin, title, kText);
    const double noteLeft = std::round(width - kMargin - 4 - noteFont.TextWidth(note));
    const double noteTop = std::round(kMargin + titleFont.Ascent() - noteFont.Ascent());
    Write(picture_, noteFont, noteLeft, noteTop, note, kDimText);
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

SkinSheet::Point SkinSheet::FacePosition(int index, int width, int height)
{
    const Point cell = CellOrigin(index);
    return {cell.x + (kCellWidth - width) / 2, cell.y + (kFaceBox - height) / 2};
}

void SkinSheet::Place(int index, c32bppDIB& face, std::string_view number, std::string_view name)
{
    if (face.Handle()) {
        const Point at = FacePosition(index, face.Width(), face.Height());
        face.Render(nullptr, at.x, at.y, face.Width(), face.Height(), 0, 0, 0, 0, 100, true, true, &picture_);
    }
    WriteLabel(index, number, name);
}

void SkinSheet::WriteLabel(int index, std::string_view number, std::string_view name)
{
    const LabelFont font(kLabelSize);
    const std::string numberText = number.empty() ? std::string() : std::string(number) + " ";
    const double width = font.TextWidth(numberText) + font.TextWidth(name);
    const Point cell = CellOrigin(index);
    const double left = std::round(cell.x + (kCellWidth - width) / 2);
    const double top = cell.y + kFaceBox + kLabelGap;
    Write(picture_, font, left, top, numberText, kDimText);
    Write(picture_, font, left + font.TextWidth(numberText), top, name, kText);
}

} // namespace dorvane
