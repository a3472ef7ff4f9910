#include "image/formats/cBMPparser.h"

#include "image/ByteOrder.h"
#include "image/ByteSlice.h"
#include "image/ImageLimits.h"
#include "image/StdPicture.h"
#include "image/c32bppDIB.h"
#include "image/formats/PictureLoader.h"

#include <cstring>
#include <string>
#include <utility>

namespace dorvane {
namespace {

constexpr std::size_t kFieldsEnd = 34;  // file header and the info header up to its compression
constexpr std::uint32_t kInfoHeaderSize = 40;


void Premultiply(std::uint8_t* pixel)
{
    const unsigned alpha = pixel[3];
    if (alpha == 255)
        return;
    for (int c = 0; c < 3; ++c)
        pixel[c] = static_cast<std::uint8_t>(pixel[c] * alpha / 255);
}

// Pixels a bitmap of few bits marks transparent (alpha 0) become all zero; the rest stay opaque.
bool ClearTransparentPixels(std::span<std::uint8_t> pixels)
{
    bool any = false;
    for (std::size_t i = 0; i + 3 < pixels.size(); i += 4) {
        if (pixels[i + 3] == 0) {
            std::memset(&pixels[i], 0, 4);
            any = true;
        }
    }
    return any;
}

} // namespace

bool cBMPparser::LoadStream(std::span<const std::uint8_t> inStream, c32bppDIB& cHost, std::int64_t streamOffset,
                            std::int64_t streamLength)
{
    const auto bytes = ByteSlice(inStream, streamOffset, streamLength);
    std::string directReason = "BMP: the surface already holds a picture";
    // The direct path reads the fields of a version 3 (or later) header; an older header goes to the
    // picture loader, which knows it.
    if (bytes.size() >= kFieldsEnd && bytes[0] == 'B' && bytes[1] == 'M' && LittleEndian32(&bytes[14]) >= kInfoHeaderSize) {
        const auto width = static_cast<std::int32_t>(LittleEndian32(&bytes[18]));
        const auto height = static_cast<std::int32_t>(LittleEndian32(&bytes[22]));
        if (width < 1 || height == 0)
            return Finish(Status::Failure("BMP: size " + std::to_string(width) + "x" + std::to_string(height) +
                                          " has no pixels"));
        const bool plain32Bit = LittleEndian16(&bytes[28]) == 32 && LittleEndian32(&bytes[30]) == 0;
        if (plain32Bit) {
            const Status direct = LoadDirect(bytes, cHost);
            if (direct)
                return Finish(direct);
            directReason = direct.error();
        }
    }
    if (cHost.Handle())
        return Finish(Status::Failure(directReason));
    auto picture = PictureLoader::Load(bytes);
    if (!picture)
        return Finish(Status::Failure(picture.error()));
    return Finish(Convert(picture.take(), cHost));
}

bool cBMPparser::Finish(Status outcome)
{
    lastError_ = outcome.error();
    return outcome.ok();
}

// A 32-bit uncompressed BMP is the surface's own format: its rows are copied as they are (a
// top-down file row by row, so that the surface stays bottom-up) and the alpha scan decides.
Status cBMPparser::LoadDirect(std::span<const std::uint8_t> bmp, c32bppDIB& cHost)
{
    const auto width = static_cast<std::int32_t>(LittleEndian32(&bmp[18]));
    const std::int64_t height = static_cast<std::int32_t>(LittleEndian32(&bmp[22]));
    const std::uint64_t rows = static_cast<std::uint64_t>(height < 0 ? -height : height);
    const std::uint64_t rowBytes = std::uint64_t(width) * 4;
    const std::uint64_t pixelOffset = LittleEndian32(&bmp[10]);
    if (pixelOffset > bmp.size() ||
        !ImageLimits::ImageBytes(width, static_cast<std::int64_t>(rows), 4, bmp.size() - pixelOffset))
        return Status::Failure("BMP: pixel data ends early");
    if (!cHost.InitializeDIB(width, static_cast<std::int32_t>(rows)))
        return Status::Failure("BMP: no surface of " + std::to_string(width) + "x" + std::to_string(rows) + " can be made");
    const std::uint8_t* source = bmp.data() + pixelOffset;
    if (height > 0) {
        std::memcpy(cHost.BitsPointer(), source, static_cast<std::size_t>(rowBytes * rows));
    } else {
        const PixelView surface = cHost.Pixels();
        for (std::uint64_t r = 0; r < rows; ++r)
            std::memcpy(surface.Row(static_cast<std::int32_t>(r)), source + r * rowBytes, static_cast<std::size_t>(rowBytes));
    }
    bool alpha = false;
    std::int32_t kind = 0;
    AlphaScan(cHost.PixelBytes(), true, alpha, kind);
    cHost.SetAlpha(alpha);
    cHost.SetImageType(kind);
    cHost.PixelsChanged();
    return Status::Ok();
}

bool cBMPparser::ConvertstdPicTo32bpp(const StdPicture& stdPic, c32bppDIB& cHost)
{
    return Finish(Convert(stdPic, cHost));
}

// The surface takes the picture's pixels over (the caller's copy, or the decoder's own picture).
Status cBMPparser::Convert(StdPicture stdPic, c32bppDIB& cHost)
{
    if (stdPic.pixels.size() != std::size_t(stdPic.width) * std::size_t(stdPic.height) * 4)
        return Status::Failure("picture: its pixels do not match its size");
    if (!cHost.AdoptTopDownPixels(std::move(stdPic.pixels), stdPic.width, stdPic.height))
        return Status::Failure("picture: no surface of " + std::to_string(stdPic.width) + "x" +
                               std::to_string(stdPic.height) + " can be made");
    cHost.LoadDIBinDC(true);
    const auto pixels = cHost.PixelBytes();
    bool alpha = false;
    std::int32_t kind = 0;
    if (stdPic.Type != StdPicture::kBitmap) {
        // The picture drew itself with its own transparency.
        for (std::size_t i = 3; i < pixels.size() && !alpha; i += 4)
            alpha = pixels[i] != 255;
        kind = stdPic.Type;
    } else if (stdPic.bitCount == 32) {
        AlphaScan(pixels, true, alpha, kind);
    } else if (ClearTransparentPixels(pixels)) {
        alpha = true;
        kind = c32bppDIB::kPremultiplied;  // an opaque bitmap with a transparent colour
    } else {
        kind = -1;
        AlphaScan(pixels, true, alpha, kind);
    }
    cHost.SetAlpha(alpha);
    cHost.SetImageType(kind);
    cHost.LoadDIBinDC(false);
    return Status::Ok();
}

void cBMPparser::AlphaScan(std::span<std::uint8_t> pixels, bool AllowChanges, bool& outAlpha, std::int32_t& inOutKind)
{
    std::size_t transparent = 0, opaque = 0;
    bool premultiplied = true;
    const std::size_t count = pixels.size() / 4;
    if (inOutKind != -1) {
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint8_t* p = &pixels[4 * i];
            if (p[3] == 0)
                ++transparent, premultiplied = premultiplied && (p[0] | p[1] | p[2]) == 0;
            else if (p[3] == 255)
                ++opaque;
            else
                premultiplied = premultiplied && p[0] <= p[3] && p[1] <= p[3] && p[2] <= p[3];
        }
    }
    // Alpha bytes that are all 0 (a BMP that leaves them unused) or all 255 carry no transparency.
    if (inOutKind == -1 || transparent == count || opaque == count) {
        inOutKind = c32bppDIB::kOpaque;
        outAlpha = false;
        for (std::size_t i = 3; AllowChanges && i < pixels.size(); i += 4)
            pixels[i] = 255;
        return;
    }
    outAlpha = true;
    inOutKind = premultiplied ? c32bppDIB::kPremultiplied : c32bppDIB::kStraightAlpha;
    if (!premultiplied && AllowChanges) {
        for (std::size_t i = 0; i + 3 < pixels.size(); i += 4)
            Premultiply(&pixels[i]);
    }
}

} // namespace dorvane
