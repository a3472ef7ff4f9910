#include "image/png/PngPixelConverter.h"

#include <cstring>

namespace dorvane {
namespace {

enum : std::uint8_t { kGrey = 0, kRgb = 2, kIndexed = 3, kGreyAlpha = 4, kRgba = 6 };

} // namespace

PngPixelConverter::PngPixelConverter(const PngPixelFormat& format)
    : colorType_(format.colorType),
      bitDepth_(format.bitDepth),
      hasTransparency_(format.transColor != -1),
      transColor_(format.transColor),
      transBytes_(format.transBytes)
{
    if ((colorType_ == kGrey || colorType_ == kIndexed) && bitDepth_ <= 8)
        BuildIndexTable(format);
}

// Grey samples get evenly spaced levels (depth 2: 0, 85, 170, 255); palette entries come from PLTE,
// or are black (white for index 1 at depth 1) when there is none. Entries PLTE does not reach are
// black, opaque unless tRNS says otherwise.
void PngPixelConverter::BuildIndexTable(const PngPixelFormat& format)
{
    const unsigned levels = 1u << bitDepth_;
    const unsigned greyStep = 255 / (levels - 1);
    const bool keptPalette = colorType_ == kIndexed && !format.palette.empty();
    for (unsigned i = 0; i < 256; ++i) {
        unsigned red = 0, green = 0, blue = 0, alpha = 255;
        if (colorType_ == kGrey) {
            red = green = blue = i < levels ? i * greyStep : 0;
            if (hasTransparency_ && static_cast<std::int32_t>(i) == transColor_)
                alpha = 0;
        } else {
            if (keptPalette && 3 * i + 2 < format.palette.size()) {
                red = format.palette[3 * i];
                green = format.palette[3 * i + 1];
                blue = format.palette[3 * i + 2];
            } else if (!keptPalette && bitDepth_ == 1 && i == 1) {
                red = green = blue = 255;
            }
            if (hasTransparency_)
                alpha = i < transBytes_.size() ? transBytes_[i] : 255;
        }
        Store(&indexTable_[4 * i], red, green, blue, alpha);
    }
}

void PngPixelConverter::Convert(const std::uint8_t* row, std::size_t count, std::uint8_t* out,
                                std::ptrdiff_t outStep) const
{
    if (bitDepth_ == 16)
        Deep16(row, count, out, outStep);
    else if (colorType_ == kGrey || colorType_ == kIndexed)
        Indexed(row, count, out, outStep);
    else
        TrueColor8(row, count, out, outStep);
}

void PngPixelConverter::TrueColor8(const std::uint8_t* row, std::size_t count, std::uint8_t* out,
                                   std::ptrdiff_t outStep) const
{
    if (colorType_ == kRgba) {
        for (std::size_t i = 0; i < count; ++i, row += 4, out += outStep)
            Store(out, row[0], row[1], row[2], row[3]);
    } else if (colorType_ == kGreyAlpha) {
        for (std::size_t i = 0; i < count; ++i, row += 2, out += outStep)
            Store(out, row[0], row[0], row[0], row[1]);
    } else {
        for (std::size_t i = 0; i < count; ++i, row += 3, out += outStep) {
            const auto word = static_cast<std::int32_t>(row[0] << 16 | row[1] << 8 | row[2]);
            Store(out, row[0], row[1], row[2], hasTransparency_ && word == transColor_ ? 0 : 255);
        }
    }
}

// Samples below 8 bits are packed most significant first.
void PngPixelConverter::Indexed(const std::uint8_t* row, std::size_t count, std::uint8_t* out,
                                std::ptrdiff_t outStep) const
{
    if (bitDepth_ == 8) {
        for (std::size_t i = 0; i < count; ++i, out += outStep)
            std::memcpy(out, &indexTable_[4 * row[i]], 4);
        return;
    }
    const unsigned depth = bitDepth_;
    const unsigned mask = (1u << depth) - 1;
    for (std::size_t i = 0; i < count; ++i, out += outStep) {
        const std::size_t bit = i * depth;
        const unsigned shift = 8 - depth - static_cast<unsigned>(bit % 8);
        const unsigned sample = (row[bit / 8] >> shift) & mask;
        std::memcpy(out, &indexTable_[4 * sample], 4);
    }
}

// tRNS holds 16-bit values; a 16-bit pixel is transparent when its high bytes match theirs.
bool PngPixelConverter::TransparentHighBytes(unsigned red, unsigned green, unsigned blue) const
{
    if (!hasTransparency_)
        return false;
    if (colorType_ == kGrey)
        return !transBytes_.empty() && red == transBytes_[0];
    return transBytes_.size() >= 5 && red == transBytes_[0] && green == transBytes_[2] && blue == transBytes_[4];
}

void PngPixelConverter::Deep16(const std::uint8_t* row, std::size_t count, std::uint8_t* out,
                               std::ptrdiff_t outStep) const
{
    for (std::size_t i = 0; i < count; ++i, out += outStep) {
        switch (colorType_) {
        case kGrey:
            Store(out, row[0], row[0], row[0], TransparentHighBytes(row[0], 0, 0) ? 0 : 255);
            row += 2;
            break;
        case kRgb:
            Store(out, row[0], row[2], row[4], TransparentHighBytes(row[0], row[2], row[4]) ? 0 : 255);
            row += 6;
            break;
        case kGreyAlpha:
            Store(out, row[0], row[0], row[0], row[2]);
            row += 4;
            break;
        default:
            Store(out, row[0], row[2], row[4], row[6]);
            row += 8;
            break;
        }
    }
}

} // namespace dorvane
