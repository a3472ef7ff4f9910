#include "image/formats/JpegDecoder.h"

#include "image/ImageLimits.h"

#include <memory>
#include <optional>
#include <string>
#include <turbojpeg.h>

namespace dorvane::JpegDecoder {
namespace {

struct DestroyHandle {
    void operator()(void* handle) const { tjDestroy(handle); }
};

// Our cause, with libjpeg-turbo's own words in brackets.
std::string LibraryReason(const std::string& cause, void* decoder)
{
    return cause + " (" + tjGetErrorStr2(decoder) + ")";
}

bool StandaloneMarker(std::uint8_t marker)
{
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8);  // TEM, the restarts, start of image
}

// Inside a scan's coded data a 0xFF byte is followed by 0 (a stuffed 0xFF), a restart or more fill.
bool EndsCodedData(std::span<const std::uint8_t> bytes, std::size_t at)
{
    const std::uint8_t next = bytes[at + 1];
    return bytes[at] == 0xFF && next != 0 && next != 0xFF && !(next >= 0xD0 && next <= 0xD7);
}

// Bytes from the first scan's coded data to the end-of-image marker: the picture's pixel data. Nothing
// when the data end before that marker (a file cut short) or hold no scan at all.
std::optional<std::uint64_t> PixelDataBytes(std::span<const std::uint8_t> bytes)
{
    std::size_t at = 2, firstScan = 0;
    bool inScan = false;
    while (at + 1 < bytes.size()) {
        if (inScan && !EndsCodedData(bytes, at)) {
            ++at;
            continue;
        }
        if (bytes[at] != 0xFF)
            return std::nullopt;  // between segments only markers may stand
        const std::uint8_t marker = bytes[at + 1];
        if (marker == 0xD9)
            return firstScan ? std::optional<std::uint64_t>(at - firstScan) : std::nullopt;
        if (marker == 0xFF || StandaloneMarker(marker)) {
            at += marker == 0xFF ? 1 : 2;
            continue;
        }
        if (at + 3 >= bytes.size())
            return std::nullopt;
        const std::size_t length = std::size_t{bytes[at + 2]} << 8 | bytes[at + 3];
        at += 2 + length;
        inScan = marker == 0xDA;
        if (inScan && firstScan == 0)
            firstScan = at;
    }
    return std::nullopt;
}

// libjpeg-turbo only warns when the coded data run out before the last block, and fills the rest grey.
bool ScanEndedEarly(void* decoder)
{
    return std::string(tjGetErrorStr2(decoder)).find("remature end") != std::string::npos;
}

} // namespace

bool LooksLikeJpeg(std::span<const std::uint8_t> bytes)
{
    return bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF;
}

Result<StdPicture> Decode(std::span<const std::uint8_t> bytes)
{
    using R = Result<StdPicture>;
    std::unique_ptr<void, DestroyHandle> decoder(tjInitDecompress());
    if (!decoder)
        return R::Failure("JPEG: the decoder cannot start");
    int width = 0, height = 0, subsampling = 0, colorspace = 0;
    const auto size = static_cast<unsigned long>(bytes.size());
    if (tjDecompressHeader3(decoder.get(), bytes.data(), size, &width, &height, &subsampling, &colorspace) != 0)
        return R::Failure(LibraryReason("JPEG: header cannot be read", decoder.get()));
    const auto pixelData = PixelDataBytes(bytes);
    if (!pixelData)
        return R::Failure("JPEG: the data end before the end-of-image marker");
    if (Status allowed = ImageLimits::PictureAllowed(width, height, *pixelData); !allowed)
        return R::Failure("JPEG: " + allowed.error());
    StdPicture picture;
    picture.width = width;
    picture.height = height;
    picture.bitCount = colorspace == TJCS_GRAY ? 8 : 24;
    picture.pixels.resize(std::size_t(width) * std::size_t(height) * 4);
    if (tjDecompress2(decoder.get(), bytes.data(), size, picture.pixels.data(), width, 0, height, TJPF_BGRA,
                      TJFLAG_LIMITSCANS) != 0) {
        if (tjGetErrorCode(decoder.get()) != TJERR_WARNING)
            return R::Failure(LibraryReason("JPEG: data is damaged", decoder.get()));
        if (ScanEndedEarly(decoder.get()))
            return R::Failure(LibraryReason("JPEG: pixel data ends early", decoder.get()));
    }
    for (std::size_t i = 3; i < picture.pixels.size(); i += 4)
        picture.pixels[i] = 255;
    return picture;
}

} // namespace dorvane::JpegDecoder
