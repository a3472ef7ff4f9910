#pragma once

// A small PNG writer for the tests, written independently of the decoder: it packs samples of any
// colour type and depth, applies a chosen filter to every row, splits into Adam7 passes, and lets a
// test damage chunks on purpose.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>
#include <zlib.h>

namespace dorvane::testing {

struct PngImage {
    std::uint32_t width = 1;
    std::uint32_t height = 1;
    std::uint8_t bitDepth = 8;
    std::uint8_t colorType = 6;
    bool interlaced = false;
    std::vector<std::uint16_t> samples;  // row by row, pixel by pixel, channel by channel
    std::vector<std::uint8_t> palette;   // PLTE data; none when empty
    std::vector<std::uint8_t> trns;      // tRNS data; none when empty
};

inline PngImage MakePng(std::uint32_t width, std::uint32_t height, std::uint8_t colorType, std::uint8_t depth,
                        std::vector<std::uint16_t> samples, std::vector<std::uint8_t> palette = {},
                        std::vector<std::uint8_t> trns = {})
{
    return {width, height, depth, colorType, false, std::move(samples), std::move(palette), std::move(trns)};
}

inline int Channels(std::uint8_t colorType)
{
    constexpr int kChannels[] = {1, 0, 3, 1, 2, 0, 4};  // grey, -, RGB, palette, grey+alpha, -, RGBA
    return kChannels[colorType];
}

using Bytes = std::vector<std::uint8_t>;

inline void PutBigEndian(Bytes& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

inline Bytes Chunk(const std::string& type, const Bytes& data, bool goodCrc = true)
{
    Bytes out;
    PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
    Bytes typed(type.begin(), type.end());
    typed.insert(typed.end(), data.begin(), data.end());
    out.insert(out.end(), typed.begin(), typed.end());
    std::uint32_t crc = static_cast<std::uint32_t>(crc32(0, typed.data(), static_cast<uInt>(typed.size())));
    PutBigEndian(out, goodCrc ? crc : crc ^ 0x5A5A5A5A);
    return out;
}

inline Bytes Signature() { return {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}; }

inline Bytes HeaderData(std::uint32_t width, std::uint32_t height, std::uint8_t depth, std::uint8_t colorType,
                        bool interlaced)
{
    Bytes data;
    PutBigEndian(data, width);
    PutBigEndian(data, height);
    data.insert(data.end(), {depth, colorType, 0, 0, static_cast<std::uint8_t>(interlaced ? 1 : 0)});
    return data;
}

inline int TestPaeth(int a, int b, int c)
{
    int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc)
        return a;
    return pb <= pc ? b : c;
}

// Filters one packed row against the previous packed row of the same pass.
inline Bytes FilterRow(std::uint8_t type, const Bytes& row, const Bytes& previous, std::size_t bpp)
{
    Bytes out{type};
    for (std::size_t i = 0; i < row.size(); ++i) {
        int a = i >= bpp ? row[i - bpp] : 0, b = previous[i], c = i >= bpp ? previous[i - bpp] : 0;
        int predictor = 0;
        switch (type) {
        case 1: predictor = a; break;
        case 2: predictor = b; break;
        case 3: predictor = (a + b) / 2; break;
        case 4: predictor = TestPaeth(a, b, c); break;
        default: break;  // 0, and the unknown types, which leave the row raw
        }
        out.push_back(static_cast<std::uint8_t>(row[i] - predictor));
    }
    return out;
}

// Packs the samples of the pixels at the given columns of one image row.
inline Bytes PackRow(const PngImage& image, std::uint32_t y, const std::vector<std::uint32_t>& columns)
{
    const int channels = Channels(image.colorType);
    Bytes out;
    unsigned accumulator = 0, bits = 0;
    for (std::uint32_t x : columns) {
        for (int c = 0; c < channels; ++c) {
            std::uint16_t sample = image.samples[(std::size_t(y) * image.width + x) * channels + c];
            if (image.bitDepth == 16) {
                out.push_back(static_cast<std::uint8_t>(sample >> 8));
                out.push_back(static_cast<std::uint8_t>(sample));
            } else if (image.bitDepth == 8) {
                out.push_back(static_cast<std::uint8_t>(sample));
            } else {
                accumulator = accumulator << image.bitDepth | sample;
                bits += image.bitDepth;
                if (bits == 8)
                    out.push_back(static_cast<std::uint8_t>(accumulator)), accumulator = 0, bits = 0;
            }
        }
    }
    if (bits > 0)
        out.push_back(static_cast<std::uint8_t>(accumulator << (8 - bits)));
    return out;
}

// The filtered scanlines of every pass; filterFor(rowIndexInFile) picks each row's filter.
inline Bytes Scanlines(const PngImage& image, const std::function<std::uint8_t(std::size_t)>& filterFor)
{
    struct Pass { std::uint32_t y0, x0, dy, dx; };
    const std::vector<Pass> passes = image.interlaced
        ? std::vector<Pass>{{0, 0, 8, 8}, {0, 4, 8, 8}, {4, 0, 8, 4}, {0, 2, 4, 4}, {2, 0, 4, 2}, {0, 1, 2, 2}, {1, 0, 2, 1}}
        : std::vector<Pass>{{0, 0, 1, 1}};
    const std::size_t bitsPerPixel = std::size_t(Channels(image.colorType)) * image.bitDepth;
    const std::size_t bpp = std::max<std::size_t>(1, bitsPerPixel / 8);
    Bytes out;
    std::size_t fileRow = 0;
    for (const Pass& pass : passes) {
        std::vector<std::uint32_t> columns;
        for (std::uint32_t x = pass.x0; x < image.width; x += pass.dx)
            columns.push_back(x);
        if (columns.empty())
            continue;
        Bytes previous((bitsPerPixel * columns.size() + 7) / 8, 0);
        for (std::uint32_t y = pass.y0; y < image.height; y += pass.dy) {
            Bytes row = PackRow(image, y, columns);
            Bytes filtered = FilterRow(filterFor(fileRow++), row, previous, bpp);
            out.insert(out.end(), filtered.begin(), filtered.end());
            previous = row;
        }
    }
    return out;
}

inline Bytes Deflate(const Bytes& raw, int level = 6)
{
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    Bytes out(size);
    compress2(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()), level);
    out.resize(size);
    return out;
}

struct PngOptions {
    std::function<std::uint8_t(std::size_t)> filterFor = [](std::size_t) { return std::uint8_t{0}; };
    std::size_t idatPieces = 1;  // split the compressed data over this many IDAT chunks
    bool extraChunks = false;    // add ancillary chunks the decoder must skip
};

inline Bytes EncodePng(const PngImage& image, const PngOptions& options = {})
{
    Bytes png = Signature();
    auto append = [&png](const Bytes& chunk) { png.insert(png.end(), chunk.begin(), chunk.end()); };
    append(Chunk("IHDR", HeaderData(image.width, image.height, image.bitDepth, image.colorType, image.interlaced)));
    if (options.extraChunks) {
        append(Chunk("gAMA", {0, 0, 0xB1, 0x8F}));
        append(Chunk("tEXt", {'a', 0, 'b'}));
    }
    if (!image.palette.empty())
        append(Chunk("PLTE", image.palette));
    if (!image.trns.empty())
        append(Chunk("tRNS", image.trns));
    const Bytes compressed = Deflate(Scanlines(image, options.filterFor));
    const std::size_t pieceSize = compressed.size() / options.idatPieces + 1;
    for (std::size_t at = 0; at < compressed.size(); at += pieceSize) {
        const std::size_t end = std::min(compressed.size(), at + pieceSize);
        append(Chunk("IDAT", Bytes(compressed.begin() + std::ptrdiff_t(at), compressed.begin() + std::ptrdiff_t(end))));
    }
    append(Chunk("IEND", {}));
    return png;
}

// A PNG assembled from the given chunks after the signature.
inline Bytes AssemblePng(const std::vector<Bytes>& chunks)
{
    Bytes png = Signature();
    for (const Bytes& chunk : chunks)
        png.insert(png.end(), chunk.begin(), chunk.end());
    return png;
}

} // namespace dorvane::testing
