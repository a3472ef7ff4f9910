#include "image/formats/IconReader.h"

#include "image/ByteOrder.h"
#include "image/ImageLimits.h"
#include "image/c32bppDIB.h"
#include "image/formats/BmpDecoder.h"
#include "image/png/cPNGparser.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <string>
#include <vector>

namespace dorvane::IconReader {
namespace {

constexpr std::size_t kDirectoryHeaderSize = 6;
constexpr std::size_t kEntrySize = 16;
// An icon's directory counts sides up to 256 pixels; a few systems keep larger PNG images, but none
// beyond this. Refusing larger ones first keeps a file of many huge images from being decoded one
// after the other.
constexpr std::int64_t kLargestIconSide = 1024;

Status IconSizeAllowed(std::int64_t width, std::int64_t height)
{
    if (width <= kLargestIconSide && height <= kLargestIconSide)
        return Status::Ok();
    return Status::Failure("ICO: an image of " + std::to_string(width) + "x" + std::to_string(height) +
                           " is larger than an icon can be");
}


struct Entry {
    std::uint32_t area;
    std::uint16_t bitCount;  // for cursors this field holds the hot spot, so it only breaks ties
    std::span<const std::uint8_t> data;
};

std::vector<Entry> Entries(std::span<const std::uint8_t> bytes)
{
    std::vector<Entry> entries;
    const std::size_t count = LittleEndian16(bytes.data() + 4);
    for (std::size_t i = 0; i < count && kDirectoryHeaderSize + (i + 1) * kEntrySize <= bytes.size(); ++i) {
        const std::uint8_t* entry = bytes.data() + kDirectoryHeaderSize + i * kEntrySize;
        const std::uint32_t width = entry[0] ? entry[0] : 256, height = entry[1] ? entry[1] : 256;
        const std::uint64_t size = LittleEndian32(entry + 8), offset = LittleEndian32(entry + 12);
        if (offset >= bytes.size() || size == 0)
            continue;
        const auto available = std::min<std::uint64_t>(size, bytes.size() - offset);
        entries.push_back({width * height, LittleEndian16(entry + 6), bytes.subspan(offset, available)});
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return a.area != b.area ? a.area > b.area : a.bitCount > b.bitCount;
    });
    return entries;
}

Result<StdPicture> ReadPngImage(std::span<const std::uint8_t> png)
{
    constexpr std::size_t kHeaderSizeEnd = 24;  // signature, IHDR's length and type, width, height
    if (png.size() >= kHeaderSizeEnd) {
        if (Status allowed = IconSizeAllowed(BigEndian32(png.data() + 16), BigEndian32(png.data() + 20)); !allowed)
            return Result<StdPicture>::Failure(allowed.error());
    }
    c32bppDIB surface;
    cPNGparser parser;
    parser.LoadStream(png, surface, 0, std::int64_t(png.size()));
    if (!surface.Handle())
        return Result<StdPicture>::Failure(parser.LastError());
    StdPicture picture;
    picture.Type = StdPicture::kIcon;
    picture.width = surface.Width();
    picture.height = surface.Height();
    picture.bitCount = 32;
    const PixelView pixels = surface.Pixels();
    const std::size_t rowBytes = std::size_t(pixels.width) * 4;
    picture.pixels.resize(rowBytes * std::size_t(pixels.height));
    for (std::int32_t y = 0; y < pixels.height; ++y)
        std::memcpy(&picture.pixels[std::size_t(y) * rowBytes], pixels.Row(y), rowBytes);
    return picture;
}

// Transparency from the alpha channel when a 32-bit image has one, else from the AND mask: a set
// bit marks a transparent pixel. Either way the result is premultiplied.
void ApplyTransparency(std::vector<std::uint8_t>& pixels, const BmpDecoder::DibHeader& header,
                       std::span<const std::uint8_t> mask, std::int32_t rows)
{
    bool useAlpha = false;
    if (header.bitCount == 32) {
        for (std::size_t i = 3; i < pixels.size() && !useAlpha; i += 4)
            useAlpha = pixels[i] != 0;
    }
    const auto maskStride = ImageLimits::RowStride(header.width, 1, BmpDecoder::kRowAlignment);
    assert(maskStride);  // the colour rows, at least as wide, had a stride
    const std::uint64_t maskRowBytes = *maskStride;
    const bool haveMask = ImageLimits::ImageBytes(static_cast<std::int64_t>(maskRowBytes), rows, 1, mask.size()).has_value();
    for (std::int32_t y = 0; y < rows; ++y) {
        for (std::int32_t x = 0; x < header.width; ++x) {
            std::uint8_t* pixel = &pixels[(std::size_t(y) * std::size_t(header.width) + std::size_t(x)) * 4];
            unsigned alpha = 255;
            if (useAlpha) {
                alpha = pixel[3];
            } else if (haveMask) {
                const std::uint8_t maskByte = mask[maskRowBytes * std::uint64_t(rows - 1 - y) + std::size_t(x) / 8];
                alpha = (maskByte >> (7 - x % 8)) & 1 ? 0 : 255;
            }
            for (int c = 0; c < 3; ++c)
                pixel[c] = static_cast<std::uint8_t>(pixel[c] * alpha / 255);
            pixel[3] = static_cast<std::uint8_t>(alpha);
        }
    }
}

// A bitmap image: its header's height counts the colour rows and the mask rows together.
Result<StdPicture> ReadBitmapImage(std::span<const std::uint8_t> dib)
{
    using R = Result<StdPicture>;
    auto header = BmpDecoder::ReadHeader(dib);
    if (!header)
        return R::Failure(header.error());
    const BmpDecoder::DibHeader& h = header.value();
    const std::int32_t rows = std::max(h.height / 2, 1);
    if (Status allowed = IconSizeAllowed(h.width, rows); !allowed)
        return R::Failure(allowed.error());
    if (h.endOfHeader > dib.size())
        return R::Failure("BMP: pixel data are missing");
    const auto bits = dib.subspan(h.endOfHeader);
    auto pixels = BmpDecoder::ReadPixels(h, bits, rows);
    if (!pixels)
        return R::Failure(pixels.error());
    const auto stride = ImageLimits::RowStride(h.width, h.bitCount, BmpDecoder::kRowAlignment);
    const auto colourBytes = ImageLimits::ImageBytes(static_cast<std::int64_t>(stride.value_or(0)), rows, 1, bits.size());
    const auto mask = colourBytes ? bits.subspan(static_cast<std::size_t>(*colourBytes)) : bits.last(0);
    StdPicture picture;
    picture.Type = StdPicture::kIcon;
    picture.width = h.width;
    picture.height = rows;
    picture.bitCount = h.bitCount;
    picture.pixels = pixels.take();
    ApplyTransparency(picture.pixels, h, mask, rows);
    return picture;
}

} // namespace

bool LooksLikeIcon(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < kDirectoryHeaderSize + kEntrySize)
        return false;
    const std::uint16_t type = LittleEndian16(bytes.data() + 2);
    return LittleEndian16(bytes.data()) == 0 && (type == 1 || type == 2) && LittleEndian16(bytes.data() + 4) > 0;
}

Result<StdPicture> Read(std::span<const std::uint8_t> bytes)
{
    if (!LooksLikeIcon(bytes))
        return Result<StdPicture>::Failure("ICO: not an icon or cursor directory");
    static constexpr std::uint8_t kPngSignature[4] = {0x89, 'P', 'N', 'G'};
    // Real icons hold a handful of images; a directory of thousands of broken ones is not worth
    // trying one by one.
    constexpr std::size_t kMostImagesTried = 16;
    const std::vector<Entry> entries = Entries(bytes);
    std::string largestReason = "no image lies within the file";
    for (std::size_t i = 0; i < entries.size() && i < kMostImagesTried; ++i) {
        const Entry& entry = entries[i];
        const bool png = entry.data.size() >= 4 && std::equal(kPngSignature, kPngSignature + 4, entry.data.begin());
        auto picture = png ? ReadPngImage(entry.data) : ReadBitmapImage(entry.data);
        if (picture)
            return picture;
        if (i == 0)
            largestReason = picture.error();
    }
    return Result<StdPicture>::Failure("ICO: no image can be read (" + largestReason + ")");
}

} // namespace dorvane::IconReader
