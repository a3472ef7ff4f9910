#pragma once

// Writers of BMP, icon, GIF and JPEG test pictures, independent of the readers under test (JPEG through
// libjpeg-turbo's encoder).

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <turbojpeg.h>
#include <vector>

namespace dorvane::testing {

using Bytes = std::vector<std::uint8_t>;

// Appends the low bytes of v, least significant first.
inline void PutLe(Bytes& out, std::uint32_t v, int bytes = 4)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// A version 3 info header (40 bytes).
inline Bytes InfoHeader(std::int32_t width, std::int32_t height, std::uint16_t bitCount, std::uint32_t compression,
                        std::uint32_t colorsUsed = 0)
{
    Bytes h;
    for (std::uint32_t field : {40u, std::uint32_t(width), std::uint32_t(height)})
        PutLe(h, field);
    PutLe(h, 1, 2);  // planes
    PutLe(h, bitCount, 2);
    for (std::uint32_t field : {compression, 0u, 2835u, 2835u, colorsUsed, 0u})  // ..., image size, dpi x, y, ...
        PutLe(h, field);
    return h;
}

// A BMP file: file header, then header (with palette or masks), then the stored pixel rows.
inline Bytes BmpFile(const Bytes& headerAndPalette, const Bytes& pixels)
{
    Bytes file = {'B', 'M'};
    const std::size_t offset = 14 + headerAndPalette.size();
    for (std::size_t field : {offset + pixels.size(), std::size_t(0), offset})  // size, reserved, pixel offset
        PutLe(file, static_cast<std::uint32_t>(field));
    file.insert(file.end(), headerAndPalette.begin(), headerAndPalette.end());
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

// count copies of bytes, one after the other.
inline Bytes Repeated(const Bytes& bytes, std::size_t count)
{
    Bytes out;
    while (count-- > 0)
        out.insert(out.end(), bytes.begin(), bytes.end());
    return out;
}

// A 32-bit BMP of width x |height| pixels, all stored as the same four bytes.
inline Bytes Bmp32(std::int32_t width, std::int32_t height, const Bytes& pixel)
{
    return BmpFile(InfoHeader(width, height, 32, 0), Repeated(pixel, std::size_t(std::max(width, 0)) * std::abs(height)));
}

// An 8-bit run-length BMP of width x height with a black and an ink-coloured palette entry, its
// pixel data the given runs (pairs of count and index, or 0 and an escape: 0 end of line, 1 end of
// bitmap).
inline Bytes RunLengthBmp(std::int32_t width, std::int32_t height, const Bytes& runs)
{
    Bytes header = InfoHeader(width, height, 8, 1, 2);
    header.insert(header.end(), {0, 0, 0, 0, 9, 8, 7, 0});
    return BmpFile(header, runs);
}

struct IconImage {
    std::uint8_t width, height;  // 0 means 256
    Bytes data;                  // a DIB (header with doubled height, pixels, AND mask) or a PNG
};

inline Bytes IconFile(const std::vector<IconImage>& images, std::uint16_t type = 1)
{
    Bytes file = {0, 0};
    PutLe(file, type, 2);
    PutLe(file, static_cast<std::uint32_t>(images.size()), 2);
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (const auto& image : images) {
        file.insert(file.end(), {image.width, image.height, 0, 0});
        file.insert(file.end(), {1, 0, 32, 0});  // planes, bits
        PutLe(file, static_cast<std::uint32_t>(image.data.size()));
        PutLe(file, offset);
        offset += static_cast<std::uint32_t>(image.data.size());
    }
    for (const auto& image : images)
        file.insert(file.end(), image.data.begin(), image.data.end());
    return file;
}

// Written by giflib: a 2 x 1 GIF89a of (40, 50, 60) then (10, 20, 30) without a transparent colour.
// Its frame's LZW code size is the byte at kOpaqueGifCodeSizeAt.
inline Bytes OpaqueGif()
{
    return {'G',  'I',  'F',  '8',  '9',  'a',  0x02, 0x00, 0x01, 0x00, 0xF0, 0x00, 0x00, 0x0A, 0x14, 0x1E, 0x28, 0x32,
            0x3C, 0x2C, 0x00, 0x00, 0x00, 0x00, 0x02, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x0C, 0x0A, 0x00, 0x3B};
}
inline constexpr std::size_t kOpaqueGifCodeSizeAt = 29;

// OpaqueGif's frame (2 bytes of pixel data) on a logical screen of width x height, after a comment
// of about commentBytes.
inline Bytes GifWithComment(std::uint16_t width, std::uint16_t height, std::size_t commentBytes)
{
    Bytes gif = OpaqueGif();
    gif[6] = std::uint8_t(width), gif[7] = std::uint8_t(width >> 8), gif[8] = std::uint8_t(height), gif[9] = std::uint8_t(height >> 8);
    Bytes comment = {0x21, 0xFE};
    for (std::size_t written = 0; written < commentBytes; written += 255) {
        comment.push_back(255);
        comment.insert(comment.end(), 255, 'c');
    }
    comment.push_back(0);
    constexpr std::size_t kFrameAt = 19;  // after the header, the screen and its two colours
    gif.insert(gif.begin() + kFrameAt, comment.begin(), comment.end());
    return gif;
}

// A JPEG of solid colour, encoded at the highest quality.
inline Bytes JpegFile(int width, int height, std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    const Bytes rgb = Repeated({red, green, blue}, std::size_t(width) * height);
    tjhandle encoder = tjInitCompress();
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    tjCompress2(encoder, rgb.data(), width, 0, height, TJPF_RGB, &jpeg, &size, TJSAMP_444, 100, 0);
    Bytes out(jpeg, jpeg + size);
    tjFree(jpeg);
    tjDestroy(encoder);
    return out;
}

// jpeg with the coded data of its first scan replaced by scan, keeping the end-of-image marker.
inline Bytes WithScanData(const Bytes& jpeg, const Bytes& scan)
{
    std::size_t at = 2;
    while (at + 3 < jpeg.size() && jpeg[at + 1] != 0xDA)  // walk the segments to the first scan's
        at += 2 + (std::size_t{jpeg[at + 2]} << 8 | jpeg[at + 3]);
    Bytes out(jpeg.begin(), jpeg.begin() + std::ptrdiff_t(at + 2 + (std::size_t{jpeg[at + 2]} << 8 | jpeg[at + 3])));
    out.insert(out.end(), scan.begin(), scan.end());
    out.insert(out.end(), {0xFF, 0xD9});
    return out;
}

} // namespace dorvane::testing
