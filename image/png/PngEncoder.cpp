#include "image/png/PngEncoder.h"

#include <algorithm>
#include <span>
#include <zlib.h>

namespace dorvane::PngEncoder {
namespace {

void AppendBigEndian32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void AppendChunk(std::vector<std::uint8_t>& out, const char* type, std::span<const std::uint8_t> data)
{
    AppendBigEndian32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    AppendBigEndian32(out, static_cast<std::uint32_t>(crc32(0, out.data() + typeAt, static_cast<uInt>(data.size() + 4))));
}

// Straight colour from premultiplied, rounded up: the smallest value that premultiplying by
// truncation (as the decoder does) brings back to the stored byte.
std::uint8_t Unpremultiply(unsigned stored, unsigned alpha)
{
    if (alpha == 255 || alpha == 0)
        return static_cast<std::uint8_t>(stored);
    return static_cast<std::uint8_t>(std::min((stored * 255 + alpha - 1) / alpha, 255u));
}

// The rows, top first, as filter-less RGBA scanlines.
std::vector<std::uint8_t> Scanlines(const PixelView& pixels)
{
    std::vector<std::uint8_t> raw;
    raw.reserve((std::size_t(pixels.width) * 4 + 1) * std::size_t(pixels.height));
    for (std::int32_t y = 0; y < pixels.height; ++y) {
        raw.push_back(0);
        const std::uint8_t* pixel = pixels.Row(y);
        for (std::int32_t x = 0; x < pixels.width; ++x, pixel += 4) {
            const unsigned alpha = pixel[3];
            raw.insert(raw.end(), {Unpremultiply(pixel[2], alpha), Unpremultiply(pixel[1], alpha),
                                   Unpremultiply(pixel[0], alpha), pixel[3]});
        }
    }
    return raw;
}

} // namespace

Result<std::vector<std::uint8_t>> Encode(const PixelView& pixels)
{
    using R = Result<std::vector<std::uint8_t>>;
    if (!pixels.bits || pixels.width < 1 || pixels.height < 1)
        return R::Failure("PNG: there are no pixels to write");
    const std::vector<std::uint8_t> raw = Scanlines(pixels);
    std::vector<std::uint8_t> compressed(compressBound(static_cast<uLong>(raw.size())));
    uLongf compressedSize = static_cast<uLongf>(compressed.size());
    if (compress2(compressed.data(), &compressedSize, raw.data(), static_cast<uLong>(raw.size()), 6) != Z_OK)
        return R::Failure("PNG: the pixels cannot be compressed");
    compressed.resize(compressedSize);

    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::vector<std::uint8_t> header;
    AppendBigEndian32(header, static_cast<std::uint32_t>(pixels.width));
    AppendBigEndian32(header, static_cast<std::uint32_t>(pixels.height));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, standard filters, no interlace
    AppendChunk(png, "IHDR", header);
    AppendChunk(png, "IDAT", compressed);
    AppendChunk(png, "IEND", {});
    return png;
}

} // namespace dorvane::PngEncoder
