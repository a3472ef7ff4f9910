#pragma once

#include "image/png/PngPixelConverter.h"
#include "platform/Result.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace dorvane {

class ReadOnlyFile;
class c32bppDIB;

// Decodes a PNG (a slice of bytes, read in place, or a file) into the premultiplied pixels of a
// surface. It answers true whenever the data carry the PNG signature, whether or not a picture
// could be made of them; a PNG it cannot decode leaves the surface empty. It reads IHDR, PLTE, tRNS
// and IDAT (checking their CRCs), skips every other chunk, and applies no gamma or colour-space
// correction. LastError tells why the last load made no picture.
class cPNGparser {
public:
    // zlib is linked into the program, so it is always found and CRCs are always checked.
    static constexpr std::int32_t ZlibFound = 1;

    bool LoadStream(std::span<const std::uint8_t> Stream, c32bppDIB& dibClass, std::int64_t streamOffset = 0,
                    std::int64_t streamLength = 0);
    bool LoadFile(const ReadOnlyFile& FileHandle, c32bppDIB& dibClass);

    // Why the last load made no picture, as "PNG: " and the cause; empty after a picture was made.
    const std::string& LastError() const { return lastError_; }

    class ChunkSource;
    enum class ChunkKind { Header, Palette, Transparency, ImageData, End, Other };

private:
    struct Chunk;

    bool Load(ChunkSource& source, c32bppDIB& target);
    Status Decode(ChunkSource& source, c32bppDIB& target);
    Status WalkChunks(ChunkSource& source);
    Status Dispatch(ChunkKind kind, const Chunk& chunk, const ChunkSource& source);
    Status OnHeader(const Chunk& chunk);
    Status OnPalette(const Chunk& chunk);
    void OnTransparency(const Chunk& chunk);
    Status OnImageData(const Chunk& chunk, const ChunkSource& source);
    Status InflateRows(c32bppDIB& target) const;
    std::uint64_t PassBytes(std::uint32_t columns, std::uint32_t rows) const;
    std::uint32_t BitsPerPixel() const;

    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::uint8_t Interlace = 0;
    bool headerSeen_ = false;
    PngPixelFormat format_;
    std::uint64_t inflatedSize_ = 0;
    std::vector<std::span<const std::uint8_t>> imageData_;  // IDAT contents, in order
    std::vector<std::vector<std::uint8_t>> copiedImageData_;  // owns them when read from a file
    std::uint64_t imageDataBytes_ = 0;
    std::string lastError_;
};

} // namespace dorvane
