#pragma once

// PNG test pictures: whole images written by libpng's encoder (any colour type and depth, a chosen
// filter, Adam7, image data split over many chunks), and hand-assembled chunks for the damaged
// streams and the ones libpng refuses to write.

#include <array>
#include <cstdint>
#include <png.h>
#include <string>
#include <utility>
#include <vector>
#include <zlib.h>

namespace dorvane::testing {

using Bytes = std::vector<std::uint8_t>;

struct PngImage {
    std::uint32_t width = 1;
    std::uint32_t height = 1;
    std::uint8_t bitDepth = 8;
    std::uint8_t colorType = 6;
    bool interlaced = false;
    std::vector<std::uint16_t> samples;  // row by row, pixel by pixel, channel by channel
    std::vector<std::uint8_t> palette;   // PLTE data; none when empty
    std::vector<std::uint8_t> trns;      // tRNS data as stored in the chunk; none when empty
};

inline PngImage MakePng(std::uint32_t width, std::uint32_t height, std::uint8_t colorType, std::uint8_t depth,
                        std::vector<std::uint16_t> samples, std::vector<std::uint8_t> palette = {},
                        std::vector<std::uint8_t> trns = {})
{
    return {width, height, depth, colorType, false, std::move(samples), std::move(palette), std::move(trns)};
}

// grey, -, RGB, palette, grey+alpha, -, RGBA
inline int Channels(std::uint8_t colorType) { return std::array{1, 0, 3, 1, 2, 0, 4}[colorType]; }

struct PngOptions {
    int filters = PNG_FILTER_NONE;  // libpng's filter flags; several let it choose row by row
    std::size_t idatSize = 8192;    // the compressed data goes out in chunks of this size
    bool extraChunks = false;       // add ancillary chunks the decoder must skip
};

inline void SetTransparency(png_structp png, png_infop info, const PngImage& image)
{
    const Bytes& t = image.trns;
    if (image.colorType == 3) {
        png_set_tRNS(png, info, t.data(), int(t.size()), nullptr);
        return;
    }
    auto at = [&t](std::size_t i) { return png_uint_16(t[i] << 8 | t[i + 1]); };
    png_color_16 colour{};
    image.colorType == 0 ? void(colour.gray = at(0)) : void((colour.red = at(0), colour.green = at(2), colour.blue = at(4)));
    png_set_tRNS(png, info, nullptr, 0, &colour);
}

inline Bytes EncodePng(const PngImage& image, const PngOptions& options = {})
{
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, [](png_structp p, png_bytep data, png_size_t n) {
        static_cast<Bytes*>(png_get_io_ptr(p))->insert(static_cast<Bytes*>(png_get_io_ptr(p))->end(), data, data + n);
    }, nullptr);
    png_set_IHDR(png, info, image.width, image.height, image.bitDepth, image.colorType,
                 image.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, 0, 0);
    png_set_filter(png, 0, options.filters);
    png_set_compression_buffer_size(png, options.idatSize);
    if (!image.palette.empty())
        png_set_PLTE(png, info, reinterpret_cast<png_const_colorp>(image.palette.data()), int(image.palette.size() / 3));
    if (!image.trns.empty())
        SetTransparency(png, info, image);
    if (options.extraChunks) {
        png_set_gAMA_fixed(png, info, 45455);
        png_text text{PNG_TEXT_COMPRESSION_NONE, const_cast<char*>("a"), const_cast<char*>("b"), 1, 0, nullptr, nullptr};
        png_set_text(png, info, &text, 1);
    }
    png_write_info(png, info);
    png_set_packing(png);  // below 8 bits, one sample a byte
    const std::size_t perRow = std::size_t(image.width) * Channels(image.colorType);
    std::vector<Bytes> rows(image.height);
    std::vector<png_bytep> pointers;
    for (std::uint32_t y = 0; y < image.height; ++y) {
        for (std::size_t i = 0; i < perRow; ++i) {
            const std::uint16_t sample = image.samples[y * perRow + i];
            if (image.bitDepth == 16)
                rows[y].push_back(std::uint8_t(sample >> 8));
            rows[y].push_back(std::uint8_t(sample));
        }
        pointers.push_back(rows[y].data());
    }
    png_write_image(png, pointers.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

// ---- hand-assembled streams ----

inline void PutBigEndian(Bytes& out, std::uint32_t value)
{
    out.insert(out.end(), {std::uint8_t(value >> 24), std::uint8_t(value >> 16), std::uint8_t(value >> 8), std::uint8_t(value)});
}

inline Bytes Chunk(const std::string& type, const Bytes& data, bool goodCrc = true)
{
    Bytes out, typed(type.begin(), type.end());
    PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
    typed.insert(typed.end(), data.begin(), data.end());
    out.insert(out.end(), typed.begin(), typed.end());
    const auto crc = static_cast<std::uint32_t>(crc32(0, typed.data(), static_cast<uInt>(typed.size())));
    PutBigEndian(out, goodCrc ? crc : crc ^ 0x5A5A5A5A);
    return out;
}

inline Bytes HeaderData(std::uint32_t width, std::uint32_t height, std::uint8_t depth, std::uint8_t colorType)
{
    Bytes data;
    PutBigEndian(data, width), PutBigEndian(data, height);
    data.insert(data.end(), {depth, colorType, 0, 0, 0});
    return data;
}

inline Bytes Deflate(const Bytes& raw, int level = 6)
{
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    Bytes out(size);
    compress2(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()), level);
    out.resize(size);
    return out;
}

// A zlib stream of count copies of row, deflated piece by piece: a large image without its raw bytes.
inline Bytes DeflateRepeated(const Bytes& row, std::size_t count)
{
    z_stream stream{};
    deflateInit(&stream, 9);
    Bytes out, buffer(1 << 16);
    for (std::size_t i = 0; i <= count; ++i) {
        stream.next_in = const_cast<Bytef*>(row.data());
        stream.avail_in = i < count ? static_cast<uInt>(row.size()) : 0;
        do {
            stream.next_out = buffer.data();
            stream.avail_out = static_cast<uInt>(buffer.size());
            deflate(&stream, i < count ? Z_NO_FLUSH : Z_FINISH);
            out.insert(out.end(), buffer.begin(), buffer.end() - stream.avail_out);
        } while (stream.avail_out == 0);
    }
    deflateEnd(&stream);
    return out;
}

// A PNG assembled from the given chunks after the signature.
inline Bytes AssemblePng(const std::vector<Bytes>& chunks)
{
    Bytes png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    for (const Bytes& chunk : chunks)
        png.insert(png.end(), chunk.begin(), chunk.end());
    return png;
}

} // namespace dorvane::testing
