#include "image/formats/BmpDecoder.h"

#include "image/ByteOrder.h"
#include "image/ImageLimits.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>

namespace dorvane::BmpDecoder {
namespace {

enum : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6 };
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;


bool ValidFormat(std::uint16_t bitCount, std::uint32_t compression)
{
    switch (compression) {
    case kRgb:
        return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 || bitCount == 32;
    case kRle8:
        return bitCount == 8;
    case kRle4:
        return bitCount == 4;
    case kBitFields:
    case kAlphaBitFields:
        return bitCount == 16 || bitCount == 32;
    default:
        return false;  // JPEG or PNG inside a BMP, and unknown methods
    }
}

// Where each colour mask lies: inside a version 3 header (after it), inside later versions.
Status ReadMasks(DibHeader& header, std::span<const std::uint8_t> dib)
{
    const std::size_t maskCount = header.compression == kAlphaBitFields ? 4 : 3;
    if (header.headerSize == kInfoHeaderSize) {
        if (dib.size() < kInfoHeaderSize + 4 * maskCount)
            return Status::Failure("BMP: colour masks are missing");
        header.endOfHeader += 4 * maskCount;
    }
    const std::size_t available = header.headerSize == kInfoHeaderSize ? maskCount : (header.headerSize - 40) / 4;
    for (std::size_t i = 0; i < maskCount && i < available; ++i)
        header.masks[i] = LittleEndian32(dib.data() + 40 + 4 * i);
    return Status::Ok();
}

// Palette entries present in the data (4 bytes each, or 3 after a core header); the rest are black.
void ReadPalette(DibHeader& header, std::span<const std::uint8_t> dib, std::uint32_t colorsUsed)
{
    std::uint64_t entries = colorsUsed;
    if (header.bitCount <= 8 && (entries == 0 || entries > (1u << header.bitCount)))
        entries = 1u << header.bitCount;
    const std::size_t entrySize = header.headerSize == kCoreHeaderSize ? 3 : 4;
    const std::uint64_t start = header.endOfHeader;
    if (header.bitCount <= 8) {
        for (std::uint64_t i = 0; i < entries && start + (i + 1) * entrySize <= dib.size(); ++i) {
            const std::uint8_t* entry = dib.data() + start + i * entrySize;
            header.palette.insert(header.palette.end(), {entry[0], entry[1], entry[2], 0});
        }
    }
    header.endOfHeader = static_cast<std::size_t>(std::min<std::uint64_t>(start + entries * entrySize, SIZE_MAX));
}

// Scales the bits a mask selects to 0..255; a missing mask gives fallback.
unsigned Channel(std::uint32_t pixel, std::uint32_t mask, unsigned fallback)
{
    if (mask == 0)
        return fallback;
    const unsigned shift = static_cast<unsigned>(std::countr_zero(mask));
    const std::uint32_t value = (pixel & mask) >> shift;
    const unsigned bits = static_cast<unsigned>(std::bit_width(mask >> shift));
    if (bits >= 8)
        return static_cast<unsigned>(value >> (bits - 8)) & 0xFF;
    const std::uint32_t top = (1u << bits) - 1;
    return static_cast<unsigned>((value * 255 + top / 2) / top);
}

void PutIndex(const DibHeader& header, unsigned index, std::uint8_t* out)
{
    if (4 * std::size_t{index} + 3 < header.palette.size())
        std::memcpy(out, &header.palette[4 * std::size_t{index}], 3);
    else
        out[0] = out[1] = out[2] = 0;  // an index past the palette shows black
    out[3] = 255;
}

void DecodeRow(const DibHeader& header, const std::uint8_t* in, std::uint8_t* out)
{
    const unsigned bits = header.bitCount;
    for (std::int32_t x = 0; x < header.width; ++x, out += 4) {
        if (bits <= 8) {
            const std::size_t bit = std::size_t(x) * bits;
            PutIndex(header, (in[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1), out);
        } else if (bits == 24) {
            std::memcpy(out, in + 3 * std::size_t(x), 3);
            out[3] = 255;
        } else if (bits == 32 && header.compression == kRgb) {
            std::memcpy(out, in + 4 * std::size_t(x), 4);
        } else {
            const std::uint32_t pixel = bits == 16 ? LittleEndian16(in + 2 * std::size_t(x)) : LittleEndian32(in + 4 * std::size_t(x));
            out[0] = static_cast<std::uint8_t>(Channel(pixel, header.masks[2], 0));
            out[1] = static_cast<std::uint8_t>(Channel(pixel, header.masks[1], 0));
            out[2] = static_cast<std::uint8_t>(Channel(pixel, header.masks[0], 0));
            out[3] = static_cast<std::uint8_t>(Channel(pixel, header.masks[3], 255));
        }
    }
}

struct RunLengthWalk {
    std::size_t bytesRead = 0;  // up to and with the end-of-bitmap marker
    bool complete = false;      // the marker, or the last row, was reached
};

// Run-length data (bottom-up rows): runs of one index, end of line, end of bitmap, a jump, and
// literal groups padded to 16 bits. With out (top-down pixels), the pixels are written there; pixels
// the data never reach stay as they are (black). Without it the walk only measures the data.
RunLengthWalk WalkRunLengths(const DibHeader& header, std::span<const std::uint8_t> bits, std::int32_t rows,
                             std::uint8_t* out)
{
    const bool fourBit = header.compression == kRle4;
    std::int64_t x = 0, y = 0;  // y counts stored rows, from the bottom
    auto put = [&](unsigned index) {
        if (out && x < header.width && y < rows)
            PutIndex(header, index, &out[(std::size_t(rows - 1 - y) * std::size_t(header.width) + std::size_t(x)) * 4]);
        ++x;
    };
    std::size_t pos = 0;
    while (pos + 1 < bits.size() && y < rows) {
        const unsigned count = bits[pos], value = bits[pos + 1];
        pos += 2;
        if (count > 0) {
            for (unsigned i = 0; i < count; ++i)
                put(fourBit ? (i % 2 == 0 ? value >> 4 : value & 15) : value);
        } else if (value == 0) {
            x = 0, ++y;
        } else if (value == 1) {
            return {pos, true};
        } else if (value == 2) {
            if (pos + 1 >= bits.size())
                break;
            x += bits[pos], y += bits[pos + 1];
            pos += 2;
        } else {
            const std::size_t bytes = fourBit ? (value + 1) / 2 : value;
            for (unsigned i = 0; i < value && pos + (fourBit ? i / 2 : i) < bits.size(); ++i) {
                const unsigned byte = bits[pos + (fourBit ? i / 2 : i)];
                put(fourBit ? (i % 2 == 0 ? byte >> 4 : byte & 15) : byte);
            }
            pos += (bytes + 1) & ~std::size_t{1};
        }
    }
    return {std::min(pos, bits.size()), y >= rows};
}

// How many bytes of bits hold the pixels of rows rows, or why they cannot.
Result<std::uint64_t> PixelDataBytes(const DibHeader& header, std::span<const std::uint8_t> bits, std::int32_t rows,
                                     std::uint64_t rowBytes)
{
    using R = Result<std::uint64_t>;
    if (header.compression != kRle8 && header.compression != kRle4) {
        const auto stored = ImageLimits::ImageBytes(static_cast<std::int64_t>(rowBytes), rows, 1, bits.size());
        return stored ? R(*stored) : R::Failure("BMP: pixel data ends early");
    }
    if (bits.empty())
        return R::Failure("BMP: there is no run-length data");
    const RunLengthWalk walk = WalkRunLengths(header, bits, rows, nullptr);
    if (!walk.complete)
        return R::Failure("BMP: run-length data ends before the end-of-bitmap marker");
    return R(walk.bytesRead);
}

} // namespace

Result<DibHeader> ReadHeader(std::span<const std::uint8_t> dib)
{
    using R = Result<DibHeader>;
    DibHeader header;
    if (dib.size() < 4)
        return R::Failure("BMP: header is missing");
    header.headerSize = LittleEndian32(dib.data());
    const bool core = header.headerSize == kCoreHeaderSize;
    if ((!core && header.headerSize < kInfoHeaderSize) || header.headerSize > dib.size())
        return R::Failure("BMP: header size " + std::to_string(header.headerSize) + " is not valid");
    std::int64_t height;
    std::uint32_t colorsUsed = 0;
    if (core) {
        header.width = LittleEndian16(dib.data() + 4);
        height = LittleEndian16(dib.data() + 6);
        header.bitCount = LittleEndian16(dib.data() + 10);
    } else {
        header.width = static_cast<std::int32_t>(LittleEndian32(dib.data() + 4));
        height = static_cast<std::int32_t>(LittleEndian32(dib.data() + 8));
        header.bitCount = LittleEndian16(dib.data() + 14);
        header.compression = LittleEndian32(dib.data() + 16);
        colorsUsed = LittleEndian32(dib.data() + 32);
    }
    header.topDown = height < 0;
    height = height < 0 ? -height : height;
    if (header.width < 1 || height < 1 || height > INT32_MAX)
        return R::Failure("BMP: size " + std::to_string(header.width) + "x" + std::to_string(height) + " has no pixels");
    header.height = static_cast<std::int32_t>(height);
    if (!ValidFormat(header.bitCount, header.compression))
        return R::Failure("BMP: " + std::to_string(header.bitCount) + " bits with compression " +
                         std::to_string(header.compression) + " is not supported");
    header.endOfHeader = header.headerSize;
    if (header.compression == kBitFields || header.compression == kAlphaBitFields) {
        if (Status masks = ReadMasks(header, dib); !masks)
            return R::Failure(masks.error());
    } else if (header.bitCount == 16) {
        header.masks[0] = 0x7C00, header.masks[1] = 0x03E0, header.masks[2] = 0x001F;
    }
    ReadPalette(header, dib, colorsUsed);
    return header;
}

Result<std::vector<std::uint8_t>> ReadPixels(const DibHeader& header, std::span<const std::uint8_t> bits,
                                             std::int32_t rows)
{
    using R = Result<std::vector<std::uint8_t>>;
    const bool runLengths = header.compression == kRle8 || header.compression == kRle4;
    const auto stride = ImageLimits::RowStride(header.width, header.bitCount, kRowAlignment);
    if (!stride || (runLengths && header.topDown))
        return R::Failure("BMP: size " + std::to_string(header.width) + "x" + std::to_string(rows) + " is not possible");
    const auto pixelData = PixelDataBytes(header, bits, rows, *stride);
    if (!pixelData)
        return R::Failure(pixelData.error());
    // Memory is measured against the pixel data alone: run lengths can claim a picture far larger
    // than what they hold, and the whole file would let a long palette or trailer pay for it.
    if (Status allowed = ImageLimits::PictureAllowed(header.width, rows, pixelData.value()); !allowed)
        return R::Failure("BMP: " + allowed.error());
    std::vector<std::uint8_t> pixels(std::size_t(header.width) * std::size_t(rows) * 4);
    if (runLengths) {
        for (std::size_t i = 3; i < pixels.size(); i += 4)
            pixels[i] = 255;
        WalkRunLengths(header, bits, rows, pixels.data());
        return pixels;
    }
    for (std::int32_t r = 0; r < rows; ++r) {
        const std::int32_t y = header.topDown ? r : rows - 1 - r;
        DecodeRow(header, bits.data() + *stride * std::uint64_t(r), &pixels[std::size_t(y) * std::size_t(header.width) * 4]);
    }
    return pixels;
}

Result<StdPicture> Decode(std::span<const std::uint8_t> file)
{
    using R = Result<StdPicture>;
    constexpr std::size_t kFileHeaderSize = 14;
    if (file.size() < kFileHeaderSize + 4 || file[0] != 'B' || file[1] != 'M')
        return R::Failure("BMP: no BM signature");
    auto header = ReadHeader(file.subspan(kFileHeaderSize));
    if (!header)
        return R::Failure(header.error());
    std::uint64_t pixelOffset = LittleEndian32(file.data() + 10);
    if (pixelOffset == 0)
        pixelOffset = kFileHeaderSize + std::uint64_t{header.value().endOfHeader};
    if (pixelOffset > file.size())
        return R::Failure("BMP: the pixel data offset lies past the end of the file");
    auto pixels = ReadPixels(header.value(), file.subspan(static_cast<std::size_t>(pixelOffset)), header.value().height);
    if (!pixels)
        return R::Failure(pixels.error());
    StdPicture picture;
    picture.width = header.value().width;
    picture.height = header.value().height;
    picture.bitCount = header.value().bitCount;
    picture.pixels = pixels.take();
    return picture;
}

} // namespace dorvane::BmpDecoder
