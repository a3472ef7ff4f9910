#include "image/formats/PictureLoader.h"

#include "image/formats/BmpDecoder.h"
#include "image/formats/GifDecoder.h"
#include "image/formats/IconReader.h"
#include "image/formats/JpegDecoder.h"

#include <cstring>

namespace dorvane::PictureLoader {
namespace {

// Windows metafiles: the placeable header's key, or an enhanced metafile's " EMF" signature.
bool LooksLikeMetafile(std::span<const std::uint8_t> bytes)
{
    static constexpr std::uint8_t kPlaceableKey[4] = {0xD7, 0xCD, 0xC6, 0x9A};
    if (bytes.size() >= 4 && std::memcmp(bytes.data(), kPlaceableKey, 4) == 0)
        return true;
    return bytes.size() >= 44 && bytes[0] == 1 && bytes[1] == 0 && bytes[2] == 0 && bytes[3] == 0 &&
           std::memcmp(bytes.data() + 40, " EMF", 4) == 0;
}

} // namespace

Result<StdPicture> Load(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M')
        return BmpDecoder::Decode(bytes);
    if (GifDecoder::LooksLikeGif(bytes))
        return GifDecoder::Decode(bytes);
    if (JpegDecoder::LooksLikeJpeg(bytes))
        return JpegDecoder::Decode(bytes);
    if (IconReader::LooksLikeIcon(bytes))
        return IconReader::Read(bytes);
    // Metafiles are drawings, not pixels; rendering them is out of scope, so the loader gives up
    // here and leaves them to no one.
    if (LooksLikeMetafile(bytes))
        return Result<StdPicture>::Failure("WMF: metafiles are not supported");
    return Result<StdPicture>::Failure("no format Dorvane reads (not PNG, BMP, GIF, JPEG or an icon)");
}

} // namespace dorvane::PictureLoader
