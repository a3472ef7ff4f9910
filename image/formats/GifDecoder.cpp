#include "image/formats/GifDecoder.h"

#include "image/ImageLimits.h"

#include <algorithm>
#include <cstring>
#include <gif_lib.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace dorvane::GifDecoder {
namespace {

struct Reader {
    std::span<const std::uint8_t> bytes;
    std::size_t position = 0;
};

int ReadBytes(GifFileType* gif, GifByteType* out, int wanted)
{
    auto* reader = static_cast<Reader*>(gif->UserData);
    const std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(std::max(wanted, 0)),
                                                    reader->bytes.size() - reader->position);
    std::memcpy(out, reader->bytes.data() + reader->position, count);
    reader->position += count;
    return static_cast<int>(count);
}

struct CloseGif {
    void operator()(GifFileType* gif) const
    {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};
using GifHandle = std::unique_ptr<GifFileType, CloseGif>;

// Skips a colour table of 2^(size bits + 1) entries when the flag of packed says there is one.
std::size_t ColourTableBytes(std::uint8_t packed)
{
    return (packed & 0x80) ? 3 * (std::size_t{2} << (packed & 7)) : 0;
}

// The bytes of a chain of data sub-blocks from at, and where the chain ends.
std::uint64_t SubBlockBytes(std::span<const std::uint8_t> bytes, std::size_t& at)
{
    std::uint64_t total = 0;
    while (at < bytes.size() && bytes[at] != 0) {
        total += bytes[at];
        at += 1 + std::size_t{bytes[at]};
    }
    ++at;
    return total;
}

// The compressed pixels of the first frame: the only bytes that can make a picture (a comment or
// any other extension, however long, makes none). Nothing when the data hold no frame.
std::optional<std::uint64_t> FirstFramePixelDataBytes(std::span<const std::uint8_t> bytes)
{
    constexpr std::size_t kScreenEnd = 13, kDescriptorSize = 10;
    if (bytes.size() < kScreenEnd)
        return std::nullopt;
    std::size_t at = kScreenEnd + ColourTableBytes(bytes[10]);
    while (at < bytes.size()) {
        if (bytes[at] == 0x21) {  // an extension: its label, then its sub-blocks
            at += 2;
            SubBlockBytes(bytes, at);
        } else if (bytes[at] == 0x2C && at + kDescriptorSize < bytes.size()) {
            at += kDescriptorSize + ColourTableBytes(bytes[at + 9]) + 1;  // and the LZW code size
            return SubBlockBytes(bytes, at);
        } else {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

// The transparent colour index a graphic control extension names, or -1.
int TransparentIndex(GifFileType* gif, int& transparent)
{
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) == GIF_ERROR)
        return GIF_ERROR;
    if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4)
        transparent = (block[1] & 1) ? block[4] : -1;
    while (block) {
        if (DGifGetExtensionNext(gif, &block) == GIF_ERROR)
            return GIF_ERROR;
    }
    return GIF_OK;
}

// Interlaced frames store rows 0, 8, 16..., then 4, 12..., then 2, 6..., then 1, 3...
std::vector<int> RowOrder(int height, bool interlaced)
{
    std::vector<int> order;
    if (!interlaced) {
        for (int y = 0; y < height; ++y)
            order.push_back(y);
        return order;
    }
    constexpr int kStart[4] = {0, 4, 2, 1}, kStep[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int y = kStart[pass]; y < height; y += kStep[pass])
            order.push_back(y);
    return order;
}

Status DrawFrame(GifFileType* gif, int transparent, std::uint64_t pixelDataBytes, StdPicture& picture)
{
    const GifImageDesc& frame = gif->Image;
    const ColorMapObject* colours = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
    if (Status allowed = ImageLimits::PictureAllowed(frame.Width, frame.Height, pixelDataBytes); !allowed)
        return Status::Failure("GIF: frame " + allowed.error());
    std::vector<GifPixelType> line(static_cast<std::size_t>(frame.Width));
    for (int y : RowOrder(frame.Height, frame.Interlace)) {
        if (DGifGetLine(gif, line.data(), frame.Width) == GIF_ERROR)
            return Status::Failure("GIF: pixel data is damaged");
        const int screenY = frame.Top + y;
        for (int x = 0; x < frame.Width; ++x) {
            const int screenX = frame.Left + x;
            if (screenX >= picture.width || screenY >= picture.height || line[x] == transparent)
                continue;
            std::uint8_t* out = &picture.pixels[(std::size_t(screenY) * std::size_t(picture.width) + std::size_t(screenX)) * 4];
            const bool known = colours && line[x] < colours->ColorCount;
            const GifColorType colour = known ? colours->Colors[line[x]] : GifColorType{0, 0, 0};
            out[0] = colour.Blue, out[1] = colour.Green, out[2] = colour.Red, out[3] = 255;
        }
    }
    return Status::Ok();
}

} // namespace

bool LooksLikeGif(std::span<const std::uint8_t> bytes)
{
    return bytes.size() >= 6 && (std::memcmp(bytes.data(), "GIF87a", 6) == 0 || std::memcmp(bytes.data(), "GIF89a", 6) == 0);
}

Result<StdPicture> Decode(std::span<const std::uint8_t> bytes)
{
    using R = Result<StdPicture>;
    Reader reader{bytes};
    int error = 0;
    GifHandle gif(DGifOpen(&reader, ReadBytes, &error));
    if (!gif)
        return R::Failure(std::string("GIF: cannot be opened (") + GifErrorString(error) + ")");
    // The screen is measured against the frame's pixel data, so that a screen claimed large and
    // filled with a comment is refused before it is allocated.
    const std::uint64_t pixelDataBytes = FirstFramePixelDataBytes(bytes).value_or(0);
    if (Status allowed = ImageLimits::PictureAllowed(gif->SWidth, gif->SHeight, pixelDataBytes); !allowed)
        return R::Failure("GIF: screen " + allowed.error());
    StdPicture picture;
    picture.width = gif->SWidth;
    picture.height = gif->SHeight;
    picture.bitCount = 8;
    picture.pixels.assign(std::size_t(picture.width) * std::size_t(picture.height) * 4, 0);
    int transparent = -1;
    GifRecordType record;
    do {
        if (DGifGetRecordType(gif.get(), &record) == GIF_ERROR)
            return R::Failure("GIF: a record is damaged");
        if (record == EXTENSION_RECORD_TYPE && TransparentIndex(gif.get(), transparent) == GIF_ERROR)
            return R::Failure("GIF: an extension block is damaged");
        if (record == IMAGE_DESC_RECORD_TYPE) {
            if (DGifGetImageDesc(gif.get()) == GIF_ERROR)
                return R::Failure("GIF: the image descriptor is damaged");
            if (Status drawn = DrawFrame(gif.get(), transparent, pixelDataBytes, picture); !drawn)
                return R::Failure(drawn.error());
            return picture;
        }
    } while (record != TERMINATE_RECORD_TYPE);
    return R::Failure("GIF: no frame before the trailer");
}

} // namespace dorvane::GifDecoder
