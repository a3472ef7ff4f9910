#pragma once

#include "platform/Result.h"

#include <cstdint>
#include <span>
#include <string>

namespace dorvane {

class c32bppDIB;
struct StdPicture;

// The second loader of a surface: 32-bit uncompressed BMPs are copied straight in, keeping their
// alpha channel; every other picture the picture loader reads (BMP of other depths, icons, cursors,
// GIF, JPEG) is made into a picture object and converted. Also home of the alpha scan that tells
// opaque, premultiplied and straight-alpha 32-bit content apart.
class cBMPparser {
public:
    bool LoadStream(std::span<const std::uint8_t> inStream, c32bppDIB& cHost, std::int64_t streamOffset = 0,
                    std::int64_t streamLength = 0);

    // Brings a picture object into cHost: bitmaps of 32 bits through the alpha scan, bitmaps of
    // fewer bits opaque (but for pixels the format marks transparent), icons with their own
    // transparency and ImageType 3.
    bool ConvertstdPicTo32bpp(const StdPicture& stdPic, c32bppDIB& cHost);

    // Examines 32-bit pixels and, with AllowChanges, fixes them: content whose alpha bytes are all 0
    // or all 255 is opaque (kind 1, alpha set to 255); content with colour never above alpha is
    // premultiplied (kind 7); anything else is straight alpha (kind 6) and gets premultiplied.
    // inOutKind -1 on entry skips the examination and treats the content as opaque.
    static void AlphaScan(std::span<std::uint8_t> pixels, bool AllowChanges, bool& outAlpha, std::int32_t& inOutKind);

    // Why the last LoadStream or ConvertstdPicTo32bpp made no picture, as the format's name and
    // the cause ("BMP: pixel data ends early"); empty after one that made a picture.
    const std::string& LastError() const { return lastError_; }

private:
    bool Finish(Status outcome);
    Status LoadDirect(std::span<const std::uint8_t> bmp, c32bppDIB& cHost);
    Status Convert(StdPicture stdPic, c32bppDIB& cHost);

    std::string lastError_;
};

} // namespace dorvane
