#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace dorvane {

// What a PNG's header and palette chunks said about its pixels.
struct PngPixelFormat {
    std::uint8_t colorType = 0;
    std::uint8_t bitDepth = 0;
    std::vector<std::uint8_t> palette;     // PLTE as kept: red, green, blue per entry (may be empty)
    std::vector<std::uint8_t> transBytes;  // tRNS as kept
    std::int32_t transColor = -1;          // -1 when no tRNS was accepted (see cPNGparser)
};

// Turns one unfiltered row of PNG samples into premultiplied blue, green, red, alpha pixels. Three
// converters cover every valid format: 8-bit true colour (with or without alpha, and grey with
// alpha), indexed and grey samples of 1 to 8 bits through a 256-entry table, and 16-bit samples, of
// which only the most significant byte counts. Straight alpha is premultiplied by truncation.
class PngPixelConverter {
public:
    explicit PngPixelConverter(const PngPixelFormat& format);

    // Converts count pixels from row, writing the first at out and each next one outStep bytes on.
    void Convert(const std::uint8_t* row, std::size_t count, std::uint8_t* out, std::ptrdiff_t outStep) const;

    // Stores a straight-alpha colour premultiplied: colour * alpha / 255, truncated.
    static void Store(std::uint8_t* out, unsigned red, unsigned green, unsigned blue, unsigned alpha)
    {
        if (alpha == 255) {
            out[0] = static_cast<std::uint8_t>(blue);
            out[1] = static_cast<std::uint8_t>(green);
            out[2] = static_cast<std::uint8_t>(red);
        } else {
            out[0] = static_cast<std::uint8_t>(blue * alpha / 255);
            out[1] = static_cast<std::uint8_t>(green * alpha / 255);
            out[2] = static_cast<std::uint8_t>(red * alpha / 255);
        }
        out[3] = static_cast<std::uint8_t>(alpha);
    }

private:
    void TrueColor8(const std::uint8_t* row, std::size_t count, std::uint8_t* out, std::ptrdiff_t outStep) const;
    void Indexed(const std::uint8_t* row, std::size_t count, std::uint8_t* out, std::ptrdiff_t outStep) const;
    void Deep16(const std::uint8_t* row, std::size_t count, std::uint8_t* out, std::ptrdiff_t outStep) const;
    void BuildIndexTable(const PngPixelFormat& format);
    bool TransparentHighBytes(unsigned red, unsigned green, unsigned blue) const;

    std::uint8_t colorType_;
    std::uint8_t bitDepth_;
    bool hasTransparency_;
    std::int32_t transColor_;
    std::vector<std::uint8_t> transBytes_;
    std::array<std::uint8_t, 256 * 4> indexTable_{};  // premultiplied pixel per sample value
};

} // namespace dorvane
