#include "image/formats/JpegDecoder.h"

#include "image/ImageLimits.h"

#include <memory>
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
    if (!ImageLimits::PicturePlausible(width, height, bytes.size()))
        return R::Failure("JPEG: size " + std::to_string(width) + "x" + std::to_string(height) + " is not possible");
    StdPicture picture;
    picture.width = width;
    picture.height = height;
    picture.bitCount = colorspace == TJCS_GRAY ? 8 : 24;
    picture.pixels.resize(std::size_t(width) * std::size_t(height) * 4);
    if (tjDecompress2(decoder.get(), bytes.data(), size, picture.pixels.data(), width, 0, height, TJPF_BGRA,
                      TJFLAG_LIMITSCANS) != 0 &&
        tjGetErrorCode(decoder.get()) != TJERR_WARNING)
        return R::Failure(LibraryReason("JPEG: data is damaged", decoder.get()));
    for (std::size_t i = 3; i < picture.pixels.size(); i += 4)
        picture.pixels[i] = 255;
    return picture;
}

} // namespace dorvane::JpegDecoder
