#include "clock/face/LabelFont.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cmath>
#include <vector>

namespace dorvane {
namespace {

constexpr int kRows = LabelFont::kCapRows + LabelFont::kDescenderRows;
constexpr int kSpaceColumns = 3;
constexpr int kLetterSpacing = 1;
// Samples per output pixel along each axis.
constexpr int kSamples = 6;

// A glyph's rows from the top of the capitals, '#' inked, separated by blanks; rows left out at the
// bottom are empty. Every row of a glyph is equally wide.
struct GlyphDesign {
    char character;
    std::string_view rows;
};

constexpr GlyphDesign kGlyphs[] = {
    {'A', ".###. #...# #...# ##### #...# #...# #...#"},
    {'B', "####. #...# #...# ####. #...# #...# ####."},
    {'C', ".###. #...# #.... #.... #.... #...# .###."},
    {'D', "####. #...# #...# #...# #...# #...# ####."},
    {'E', "##### #.... #.... ####. #.... #.... #####"},
    {'F', "##### #.... #.... ####. #.... #.... #...."},
    {'G', ".###. #...# #.... #.### #...# #...# .####"},
    {'H', "#...# #...# #...# ##### #...# #...# #...#"},
    {'I', "### .#. .#. .#. .#. .#. ###"},
    {'J', "..### ...#. ...#. ...#. ...#. #..#. .##.."},
    {'K', "#...# #..#. #.#.. ##... #.#.. #..#. #...#"},
    {'L', "#.... #.... #.... #.... #.... #.... #####"},
    {'M', "#...# ##.## #.#.# #.#.# #...# #...# #...#"},
    {'N', "#...# #...# ##..# #.#.# #..## #...# #...#"},
    {'O', ".###. #...# #...# #...# #...# #...# .###."},
    {'P', "####. #...# #...# ####. #.... #.... #...."},
    {'Q', ".###. #...# #...# #...# #.#.# #..#. .##.#"},
    {'R', "####. #...# #...# ####. #.#.. #..#. #...#"},
    {'S', ".#### #.... #.... .###. ....# ....# ####."},
    {'T', "##### ..#.. ..#.. ..#.. ..#.. ..#.. ..#.."},
    {'U', "#...# #...# #...# #...# #...# #...# .###."},
    {'V', "#...# #...# #...# #...# #...# .#.#. ..#.."},
    {'W', "#...# #...# #...# #.#.# #.#.# #.#.# .#.#."},
    {'X', "#...# #...# .#.#. ..#.. .#.#. #...# #...#"},
    {'Y', "#...# #...# .#.#. ..#.. ..#.. ..#.. ..#.."},
    {'Z', "##### ....# ...#. ..#.. .#... #.... #####"},
    {'a', "..... ..... .###. ....# .#### #...# .####"},
    {'b', "#.... #.... #.##. ##..# #...# #...# ####."},
    {'c', "..... ..... .###. #.... #.... #...# .###."},
    {'d', "....# ....# .##.# #..## #...# #...# .####"},
    {'e', "..... ..... .###. #...# ##### #.... .###."},
    {'f', "..##. .#..# .#... ###.. .#... .#... .#..."},
    {'g', "..... ..... .#### #...# #...# #...# .#### ....# .###."},
    {'h', "#.... #.... #.##. ##..# #...# #...# #...#"},
    {'i', "# . # # # # #"},
    {'j', "..# ... .## ..# ..# ..# ..# #.# .#."},
    {'k', "#... #... #..# #.#. ##.. #.#. #..#"},
    {'l', "#. #. #. #. #. #. .#"},
    {'m', "..... ..... ##.#. #.#.# #.#.# #.#.# #.#.#"},
    {'n', "..... ..... #.##. ##..# #...# #...# #...#"},
    {'o', "..... ..... .###. #...# #...# #...# .###."},
    {'p', "..... ..... ####. #...# #...# #...# ####. #.... #...."},
    {'q', "..... ..... .#### #...# #...# #...# .#### ....# ....#"},
    {'r', ".... .... #.## ##.. #... #... #..."},
    {'s', "..... ..... .#### #.... .###. ....# ####."},
    {'t', ".#.. .#.. ###. .#.. .#.. .#.. ..##"},
    {'u', "..... ..... #...# #...# #...# #..## .##.#"},
    {'v', "..... ..... #...# #...# #...# .#.#. ..#.."},
    {'w', "..... ..... #...# #...# #.#.# #.#.# .#.#."},
    {'x', "..... ..... #...# .#.#. ..#.. .#.#. #...#"},
    {'y', "..... ..... #...# #...# #...# #...# .#### ....# .###."},
    {'z', "..... ..... ##### ...#. ..#.. .#... #####"},
    {'0', ".##. #..# #..# #..# #..# #..# .##."},
    {'1', ".#. ##. .#. .#. .#. .#. ###"},
    {'2', ".###. #...# ....# ...#. ..#.. .#... #####"},
    {'3', "##### ...#. ..#.. ...#. ....# #...# .###."},
    {'4', "...#. ..##. .#.#. #..#. ##### ...#. ...#."},
    {'5', "##### #.... ####. ....# ....# #...# .###."},
    {'6', "..##. .#... #.... ####. #...# #...# .###."},
    {'7', "##### ....# ...#. ..#.. .#... .#... .#..."},
    {'8', ".###. #...# #...# .###. #...# #...# .###."},
    {'9', ".###. #...# #...# .#### ....# ...#. .##.."},
    {'<', "...# ..#. .#.. #... .#.. ..#. ...#"},
    {'>', "#... .#.. ..#. ...# ..#. .#.. #..."},
    {':', ". . # . . # ."},
    {'-', ".... .... .... #### .... .... ...."},
    {'=', "..... ..... ##### ..... ##### ..... ....."},
    {'.', ". . . . . . #"},
    {',', ". . . . . . # #"},
    {'\'', "# # ."},
    {'(', ".# #. #. #. #. #. .#"},
    {')', "#. .# .# .# .# .# #."},
    {'/', "....# ...#. ...#. ..#.. .#... .#... #...."},
    {'?', ".###. #...# ....# ...#. ..#.. ..... ..#.."},
};

// A glyph as a grid of inked cells, rows from the top of the capitals.
struct Mask {
    int width = 0, height = 0;
    std::vector<std::uint8_t> cells;

    bool At(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height && cells[y * width + x]; }
};

Mask DesignedMask(const GlyphDesign& glyph)
{
    Mask mask;
    mask.width = static_cast<int>(glyph.rows.find(' ') == std::string_view::npos ? glyph.rows.size()
                                                                                 : glyph.rows.find(' '));
    mask.height = kRows;
    mask.cells.assign(std::size_t(mask.width) * kRows, 0);
    int row = 0, column = 0;
    for (char c : glyph.rows) {
        if (c == ' ') {
            assert(column == mask.width && "every row of a glyph is equally wide");
            ++row, column = 0;
            continue;
        }
        mask.cells[std::size_t(row) * mask.width + column++] = c == '#';
    }
    assert(row < kRows);
    return mask;
}

// Whether the point (u, v) of the design grid is inked. Cells are squares, and where a stroke steps
// diagonally (two inked cells meeting at a corner only) the two empty cells beside the step are
// half filled, cut along the diagonal, so that the stroke runs as a straight slanted band. Outer
// corners stay square and inner corners are not filled, so E stays E and D does not turn into O.
bool Inked(const Mask& mask, double u, double v)
{
    const int x = static_cast<int>(std::floor(u)), y = static_cast<int>(std::floor(v));
    if (mask.At(x, y))
        return true;
    const double fx = u - x, fy = v - y;
    const bool left = mask.At(x - 1, y), right = mask.At(x + 1, y), up = mask.At(x, y - 1), down = mask.At(x, y + 1);
    return (left && down && !mask.At(x - 1, y + 1) && fy >= fx) ||
           (left && up && !mask.At(x - 1, y - 1) && fx + fy <= 1) ||
           (right && up && !mask.At(x + 1, y - 1) && fx >= fy) ||
           (right && down && !mask.At(x + 1, y + 1) && fx + fy >= 1);
}

// Every glyph's mask, made once.
struct Glyph {
    int columns = 0;
    Mask mask;
};

const Glyph& GlyphFor(char character)
{
    static const auto table = [] {
        std::array<Glyph, 128> glyphs{};
        for (const GlyphDesign& design : kGlyphs) {
            Mask mask = DesignedMask(design);
            glyphs[static_cast<unsigned char>(design.character)] = {mask.width, std::move(mask)};
        }
        return glyphs;
    }();
    const auto index = static_cast<unsigned char>(character);
    if (index < table.size() && table[index].columns > 0)
        return table[index];
    return table['?'];
}

void Blend(std::uint8_t* pixel, LabelColour colour, double coverage)
{
    const double a = colour.alpha / 255.0 * coverage;
    const double source[4] = {colour.blue * a, colour.green * a, colour.red * a, 255 * a};
    for (int c = 0; c < 4; ++c)
        pixel[c] = static_cast<std::uint8_t>(std::lround(source[c] + pixel[c] * (1 - a)));
}

// The share of the output pixel (px, py) that the glyph placed at (left, top) covers.
double Coverage(const Mask& mask, double pixelSize, double left, double top, int px, int py)
{
    int hits = 0;
    for (int sy = 0; sy < kSamples; ++sy)
        for (int sx = 0; sx < kSamples; ++sx) {
            const double u = (px + (sx + 0.5) / kSamples - left) / pixelSize;
            const double v = (py + (sy + 0.5) / kSamples - top) / pixelSize;
            hits += Inked(mask, u, v);
        }
    return double(hits) / (kSamples * kSamples);
}

void DrawGlyph(c32bppDIB& picture, const Glyph& glyph, double pixelSize, double left, double top,
               LabelColour colour)
{
    const PixelView pixels = picture.Pixels();
    // The glyph's box cut to the picture, in doubles first: the box may lie far outside.
    const auto inside = [](double value, std::int32_t limit) {
        return static_cast<int>(std::clamp(value, 0.0, static_cast<double>(limit)));
    };
    const int x0 = inside(std::floor(left), pixels.width), x1 = inside(std::ceil(left + glyph.columns * pixelSize), pixels.width);
    const int y0 = inside(std::floor(top), pixels.height), y1 = inside(std::ceil(top + kRows * pixelSize), pixels.height);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (const double coverage = Coverage(glyph.mask, pixelSize, left, top, x, y); coverage > 0)
                Blend(pixels.Pixel(x, y), colour, coverage);
}

} // namespace

LabelFont::LabelFont(double pixelSize) : pixelSize_(pixelSize) { assert(pixelSize > 0 && std::isfinite(pixelSize)); }

double LabelFont::TextWidth(std::string_view text) const
{
    int columns = 0;
    for (char c : text)
        columns += (c == ' ' ? kSpaceColumns : GlyphFor(c).columns) + kLetterSpacing;
    return text.empty() ? 0 : (columns - kLetterSpacing) * pixelSize_;
}

void LabelFont::Draw(c32bppDIB& picture, double x, double top, std::string_view text, LabelColour colour) const
{
    if (!picture.Handle() || !std::isfinite(x) || !std::isfinite(top))
        return;
    for (char c : text) {
        if (c == ' ') {
            x += (kSpaceColumns + kLetterSpacing) * pixelSize_;
            continue;
        }
        const Glyph& glyph = GlyphFor(c);
        DrawGlyph(picture, glyph, pixelSize_, x, top, colour);
        x += (glyph.columns + kLetterSpacing) * pixelSize_;
    }
}

} // namespace dorvane
