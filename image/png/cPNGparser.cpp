#include "image/png/cPNGparser.h"

#include "image/ByteOrder.h"
#include "image/ByteSlice.h"
#include "image/ImageLimits.h"
#include "image/c32bppDIB.h"
#include "image/png/PngFilters.h"
#include "platform/ReadOnlyFile.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <string>
#include <zlib.h>

namespace dorvane {

// Where the chunks are read from. A slice of memory hands out views of the caller's bytes, which
// stay valid; a file hands out a buffer that the next read reuses.
class cPNGparser::ChunkSource {
public:
    virtual ~ChunkSource() = default;
    virtual std::uint64_t Size() const = 0;
    virtual bool Read(std::uint64_t offset, std::size_t length, std::span<const std::uint8_t>& out) = 0;
    virtual bool ViewsStayValid() const = 0;
};

namespace {

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
enum : std::uint8_t { kGrey = 0, kRgb = 2, kIndexed = 3, kGreyAlpha = 4, kRgba = 6 };

// Row start, column start, row step and column step of the seven Adam7 passes, and of the single
// pass of an image that is not interlaced.
struct Pass {
    std::uint32_t rowStart, columnStart, rowStep, columnStep;
};
constexpr std::array<Pass, 7> kAdam7 = {{
    {0, 0, 8, 8}, {0, 4, 8, 8}, {4, 0, 8, 4}, {0, 2, 4, 4}, {2, 0, 4, 2}, {0, 1, 2, 2}, {1, 0, 2, 1},
}};
constexpr Pass kWholeImage = {0, 0, 1, 1};

// How many of count positions a pass with this start and step reaches.
std::uint32_t PassExtent(std::uint32_t count, std::uint32_t start, std::uint32_t step)
{
    return count / step + (count % step > start ? 1 : 0);
}

class MemorySource : public cPNGparser::ChunkSource {
public:
    explicit MemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::uint64_t Size() const override { return bytes_.size(); }
    bool Read(std::uint64_t offset, std::size_t length, std::span<const std::uint8_t>& out) override
    {
        if (offset > bytes_.size() || length > bytes_.size() - offset)
            return false;
        out = bytes_.subspan(static_cast<std::size_t>(offset), length);
        return true;
    }
    bool ViewsStayValid() const override { return true; }

private:
    std::span<const std::uint8_t> bytes_;
};

class FileSource : public cPNGparser::ChunkSource {
public:
    explicit FileSource(const ReadOnlyFile& file) : file_(file) {}
    std::uint64_t Size() const override { return file_.Size(); }
    bool Read(std::uint64_t offset, std::size_t length, std::span<const std::uint8_t>& out) override
    {
        buffer_.resize(length);
        if (!file_.ReadAt(offset, buffer_))
            return false;
        out = buffer_;
        return true;
    }
    bool ViewsStayValid() const override { return false; }

private:
    const ReadOnlyFile& file_;
    std::vector<std::uint8_t> buffer_;
};

bool HasSignature(cPNGparser::ChunkSource& source)
{
    std::span<const std::uint8_t> start;
    return source.Read(0, sizeof kSignature, start) && std::equal(start.begin(), start.end(), kSignature);
}

bool ValidDepthForColorType(std::uint8_t colorType, std::uint8_t depth)
{
    switch (colorType) {
    case kGrey:
        return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case kIndexed:
        return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case kRgb:
    case kGreyAlpha:
    case kRgba:
        return depth == 8 || depth == 16;
    default:
        return false;
    }
}

Status Damaged(const std::string& cause)
{
    return Status::Failure("PNG: " + cause);
}

// The header's fields that decide whether it describes an image this decoder can make.
Status CheckHeaderFields(std::span<const std::uint8_t> data)
{
    const std::uint32_t width = BigEndian32(data.data()), height = BigEndian32(data.data() + 4);
    const std::uint8_t depth = data[8], colorType = data[9];
    if (width < 1 || width > 0x7FFFFFFF)
        return Damaged("IHDR width is " + std::to_string(width));
    if (height < 1 || height > 0x7FFFFFFF)
        return Damaged("IHDR height is " + std::to_string(height));
    if (data[10] != 0 || data[11] != 0 || data[12] > 1)
        return Damaged("IHDR names an unknown compression, filter or interlace method");
    // Depths a colour type cannot have would leave no converter for the samples.
    if (!ValidDepthForColorType(colorType, depth))
        return Damaged("IHDR bit depth " + std::to_string(depth) + " is not allowed with colour type " +
                       std::to_string(colorType));
    // The largest picture of every format.
    if (!ImageLimits::ImageBytes(width, height, 4, ImageLimits::kMaxPictureBytes))
        return Damaged("IHDR size " + std::to_string(width) + "x" + std::to_string(height) +
                       " is larger than the largest picture (" + std::to_string(ImageLimits::kMaxPictureBytes / 4) +
                       " pixels)");
    return Status::Ok();
}

cPNGparser::ChunkKind KindOf(const std::uint8_t* type)
{
    static constexpr struct {
        const char* name;
        cPNGparser::ChunkKind kind;
    } kKinds[] = {
        {"IHDR", cPNGparser::ChunkKind::Header},        {"PLTE", cPNGparser::ChunkKind::Palette},
        {"tRNS", cPNGparser::ChunkKind::Transparency},  {"IDAT", cPNGparser::ChunkKind::ImageData},
        {"IEND", cPNGparser::ChunkKind::End},
    };
    for (const auto& known : kKinds) {
        if (std::memcmp(type, known.name, 4) == 0)
            return known.kind;
    }
    return cPNGparser::ChunkKind::Other;
}

// The IDAT contents, one zlib stream over many chunks, inflated a row at a time into the caller's
// row buffer, so that no more than two rows of inflated data exist at once. A stream that ends early
// gives rows of zeros; one with more data than the rows asked for, or none at its end, is damaged.
class RowInflater {
public:
    explicit RowInflater(const std::vector<std::span<const std::uint8_t>>& pieces) : pieces_(pieces) {}
    ~RowInflater()
    {
        if (started_)
            inflateEnd(&stream_);
    }
    RowInflater(const RowInflater&) = delete;
    RowInflater& operator=(const RowInflater&) = delete;

    Status Start()
    {
        started_ = inflateInit(&stream_) == Z_OK;
        return started_ ? Status::Ok() : Damaged("zlib cannot start");
    }

    Status Fill(std::span<std::uint8_t> row)
    {
        stream_.next_out = row.data();
        stream_.avail_out = static_cast<uInt>(row.size());
        while (stream_.avail_out > 0 && !ended_) {
            if (Status inflated = Step(); !inflated)
                return inflated;
        }
        std::fill(row.end() - stream_.avail_out, row.end(), std::uint8_t{0});
        return Status::Ok();
    }

    // After the last row: the stream must end without giving another byte.
    Status Finish()
    {
        std::uint8_t extra = 0;
        while (!ended_) {
            stream_.next_out = &extra;
            stream_.avail_out = 1;
            if (Status inflated = Step(); !inflated)
                return inflated;
            if (stream_.avail_out == 0)
                return Damaged("IDAT data inflates beyond the image");
        }
        return Status::Ok();
    }

private:
    Status Step()
    {
        if (stream_.avail_in == 0) {
            if (next_ == pieces_.size())
                return Damaged("IDAT data ends before its zlib stream");
            stream_.next_in = const_cast<Bytef*>(pieces_[next_].data());
            stream_.avail_in = static_cast<uInt>(pieces_[next_++].size());
        }
        const int status = inflate(&stream_, Z_NO_FLUSH);
        ended_ = status == Z_STREAM_END;
        if (status == Z_OK || ended_ || status == Z_BUF_ERROR)
            return Status::Ok();
        return Damaged(std::string("IDAT data is damaged (zlib: ") + (stream_.msg ? stream_.msg : "") + ")");
    }

    const std::vector<std::span<const std::uint8_t>>& pieces_;
    std::size_t next_ = 0;
    z_stream stream_{};
    bool started_ = false;
    bool ended_ = false;
};

} // namespace

// A chunk's data and whether its stored CRC matches type and data.
struct cPNGparser::Chunk {
    std::span<const std::uint8_t> data;
    std::uint32_t storedCrc = 0;
    bool crcMatches = false;
};

bool cPNGparser::LoadStream(std::span<const std::uint8_t> Stream, c32bppDIB& dibClass, std::int64_t streamOffset,
                            std::int64_t streamLength)
{
    MemorySource source(ByteSlice(Stream, streamOffset, streamLength));
    return Load(source, dibClass);
}

bool cPNGparser::LoadFile(const ReadOnlyFile& FileHandle, c32bppDIB& dibClass)
{
    if (FileHandle.Size() < c32bppDIB::kMinimumSourceBytes) {
        lastError_ = "PNG: the file is too short";
        return false;
    }
    FileSource source(FileHandle);
    return Load(source, dibClass);
}

// True when the source is a PNG at all; whether a picture came of it LastError tells.
bool cPNGparser::Load(ChunkSource& source, c32bppDIB& target)
{
    if (!HasSignature(source)) {
        lastError_ = "PNG: no PNG signature";
        return false;
    }
    const Status decoded = Decode(source, target);
    lastError_ = decoded.error();
    return true;
}

Status cPNGparser::Decode(ChunkSource& source, c32bppDIB& target)
{
    target.DestroyDIB();
    if (Status walked = WalkChunks(source); !walked)
        return walked;
    if (!headerSeen_)
        return Damaged("no IHDR chunk");
    if (imageDataBytes_ == 0)
        return Damaged("no IDAT chunk");
    // Refuse a header whose image the compressed data could never fill, before allocating for it.
    if (!ImageLimits::CanExpandTo(imageDataBytes_, inflatedSize_, ImageLimits::kDeflateMaxExpansion))
        return Damaged("IDAT holds too little data for a " + std::to_string(Width) + "x" + std::to_string(Height) + " image");
    if (!target.InitializeDIB(Width, Height))
        return Damaged("no memory for a " + std::to_string(Width) + "x" + std::to_string(Height) + " image");
    if (Status filled = InflateRows(target); !filled) {
        target.DestroyDIB();
        return filled;
    }
    target.SetAlpha(format_.colorType == kGreyAlpha || format_.colorType == kRgba || format_.transColor != -1);
    target.SetImageType(c32bppDIB::kPng);
    target.PixelsChanged();
    return Status::Ok();
}

// Walks the chunks after the signature until IEND or the end of the data. A chunk reaching past the
// data, or a bad critical chunk, ends the walk with its reason.
Status cPNGparser::WalkChunks(ChunkSource& source)
{
    std::uint64_t offset = sizeof kSignature;
    while (offset < source.Size()) {
        std::span<const std::uint8_t> header;
        if (source.Size() - offset < 12 || !source.Read(offset, 8, header))
            return Damaged("the data ends inside a chunk header");
        const std::uint32_t length = BigEndian32(header.data());
        const ChunkKind kind = KindOf(header.data() + 4);
        if (length > source.Size() - offset - 12)
            return Damaged("the data ends inside a chunk");
        const std::uint64_t typeOffset = offset + 4;
        offset += std::uint64_t{length} + 12;
        if (kind == ChunkKind::End)
            return Status::Ok();
        if (length == 0 || kind == ChunkKind::Other)
            continue;  // other chunks are skipped unread
        std::span<const std::uint8_t> bytes;  // type, data, CRC
        if (!source.Read(typeOffset, std::size_t{length} + 8, bytes))
            return Damaged("a chunk cannot be read");
        Chunk chunk;
        chunk.data = bytes.subspan(4, length);
        chunk.storedCrc = BigEndian32(bytes.data() + 4 + length);
        chunk.crcMatches = crc32(0, bytes.data(), length + 4) == chunk.storedCrc;
        if (Status handled = Dispatch(kind, chunk, source); !handled)
            return handled;
    }
    return Status::Ok();
}

Status cPNGparser::Dispatch(ChunkKind kind, const Chunk& chunk, const ChunkSource& source)
{
    switch (kind) {
    case ChunkKind::Header:
        return OnHeader(chunk);
    case ChunkKind::Palette:
        return OnPalette(chunk);
    case ChunkKind::Transparency:
        OnTransparency(chunk);
        return Status::Ok();
    case ChunkKind::ImageData:
        return OnImageData(chunk, source);
    default:
        return Status::Ok();
    }
}

Status cPNGparser::OnHeader(const Chunk& chunk)
{
    if (!chunk.crcMatches)
        return Damaged("CRC mismatch in IHDR");
    if (chunk.data.size() < 13)
        return Damaged("IHDR is shorter than 13 bytes");
    if (Status fields = CheckHeaderFields(chunk.data); !fields)
        return fields;
    const std::uint8_t* data = chunk.data.data();
    Width = static_cast<std::int32_t>(BigEndian32(data));
    Height = static_cast<std::int32_t>(BigEndian32(data + 4));
    format_.bitDepth = data[8];
    format_.colorType = data[9];
    Interlace = data[12];
    headerSeen_ = true;
    inflatedSize_ = 0;
    if (Interlace == 0) {
        inflatedSize_ = PassBytes(static_cast<std::uint32_t>(Width), static_cast<std::uint32_t>(Height));
        return Status::Ok();
    }
    for (const Pass& pass : kAdam7) {
        inflatedSize_ += PassBytes(PassExtent(static_cast<std::uint32_t>(Width), pass.columnStart, pass.columnStep),
                                   PassExtent(static_cast<std::uint32_t>(Height), pass.rowStart, pass.rowStep));
    }
    return Status::Ok();
}

// A palette means something only for colour types 2, 3 and 6.
Status cPNGparser::OnPalette(const Chunk& chunk)
{
    if (format_.colorType == kGrey || format_.colorType == kGreyAlpha)
        return Status::Ok();
    if (!chunk.crcMatches)
        return Damaged("CRC mismatch in PLTE");
    if (chunk.data.size() % 3 != 0)
        return Damaged("PLTE length " + std::to_string(chunk.data.size()) + " is not a multiple of 3");
    format_.palette.assign(chunk.data.begin(), chunk.data.end());
    return Status::Ok();
}

// Transparency for colour types 0, 2 and 3; a damaged or short tRNS is ignored, never fatal.
void cPNGparser::OnTransparency(const Chunk& chunk)
{
    if (format_.colorType >= kGreyAlpha || !chunk.crcMatches)
        return;
    const auto& data = chunk.data;
    format_.transBytes.assign(data.begin(), data.end());
    format_.transColor = -1;
    if (format_.colorType == kGrey && data.size() >= 2) {
        format_.transColor = data[1];
    } else if (format_.colorType == kRgb && data.size() >= 6) {
        format_.transColor = data[1] << 16 | data[3] << 8 | data[5];
    } else if (format_.colorType == kIndexed) {
        format_.transBytes.resize(256, 255);
        format_.transColor = 0;
    }
}

Status cPNGparser::OnImageData(const Chunk& chunk, const ChunkSource& source)
{
    // A stored CRC of zero is taken as "not computed".
    if (chunk.storedCrc != 0 && !chunk.crcMatches)
        return Damaged("CRC mismatch in IDAT");
    if (source.ViewsStayValid()) {
        imageData_.push_back(chunk.data);
    } else {
        copiedImageData_.emplace_back(chunk.data.begin(), chunk.data.end());
        imageData_.emplace_back(copiedImageData_.back());
    }
    imageDataBytes_ += chunk.data.size();
    return Status::Ok();
}

std::uint32_t cPNGparser::BitsPerPixel() const
{
    static constexpr std::uint32_t kChannels[7] = {1, 0, 3, 1, 2, 0, 4};
    return kChannels[format_.colorType] * format_.bitDepth;
}

// Bytes of one pass's rows, each with its filter-type byte; nothing for an empty pass.
std::uint64_t cPNGparser::PassBytes(std::uint32_t columns, std::uint32_t rows) const
{
    const auto rowBytes = ImageLimits::RowStride(columns, BitsPerPixel(), 1);
    if (!rowBytes || rows == 0)
        return 0;  // an empty pass; the header check keeps every real row within the limit
    return (*rowBytes + 1) * rows;
}

// Inflates each pass's rows in turn, undoes their filters and converts their pixels into their
// places in the surface: the surface is the only image-sized memory.
Status cPNGparser::InflateRows(c32bppDIB& target) const
{
    RowInflater inflater(imageData_);
    if (Status started = inflater.Start(); !started)
        return started;
    const PngPixelConverter converter(format_);
    const PixelView pixels = target.Pixels();
    const std::size_t bytesPerPixel = std::max<std::size_t>(1, BitsPerPixel() / 8);
    const std::span<const Pass> passes = Interlace ? std::span<const Pass>(kAdam7) : std::span<const Pass>(&kWholeImage, 1);
    std::vector<std::uint8_t> current, previous;  // each a filter-type byte and the row
    for (const Pass& pass : passes) {
        const std::uint32_t columns = PassExtent(static_cast<std::uint32_t>(Width), pass.columnStart, pass.columnStep);
        const std::uint32_t rows = PassExtent(static_cast<std::uint32_t>(Height), pass.rowStart, pass.rowStep);
        if (columns == 0 || rows == 0)
            continue;
        const auto rowBytes = static_cast<std::size_t>(*ImageLimits::RowStride(columns, BitsPerPixel(), 1));
        previous.assign(rowBytes + 1, 0);
        current.resize(rowBytes + 1);
        for (std::uint32_t j = 0; j < rows; ++j) {
            if (Status filled = inflater.Fill(current); !filled)
                return filled;
            PngFilters::Unfilter(current[0], current.data() + 1, previous.data() + 1, rowBytes, bytesPerPixel);
            const auto y = static_cast<std::int32_t>(pass.rowStart + j * pass.rowStep);
            converter.Convert(current.data() + 1, columns, pixels.Pixel(static_cast<std::int32_t>(pass.columnStart), y),
                              std::ptrdiff_t{4} * pass.columnStep);
            current.swap(previous);
        }
    }
    return inflater.Finish();
}

} // namespace dorvane
