#pragma once

#include "image/PixelView.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace dorvane {

class c32bppDIB;
class DeviceContext;
class PictureCoverage;

// The door to the imaging services: it starts and stops them (by token), loads any picture they can
// decode into a surface, draws a surface scaled, mirrored, turned and faded, and encodes a surface as
// PNG. Elsewhere this is a system imaging library;
// here the services are Dorvane's own decoders and encoder, always present, and a "start" is only
// bookkeeping that keeps the token rules: a start this object made itself ends with it, a token
// lent by the owner is never ended by it.
class cGDIPlus {
public:
    cGDIPlus() = default;
    ~cGDIPlus();
    cGDIPlus(const cGDIPlus&) = delete;
    cGDIPlus& operator=(const cGDIPlus&) = delete;

    // True when the services can run. Unless this object holds a start of its own, it starts them
    // into gdiToken and, without KeepToken, stops them again at once (a probe).
    bool isGDIplusOk(std::uint32_t& gdiToken, bool KeepToken = false);

    // Whether LoadViaGdiplus reads anything the PNG decoder and the BMP parser cannot. Here it runs
    // those very decoders, so a surface load does not offer it a picture they refused: it would only
    // decode a damaged picture a second time, to the same end.
    static constexpr bool kReadsMoreThanOwnDecoders = false;

    // Decodes the named file, or bytes when fileName is empty, into surface: ImageType 10, Alpha as
    // the picture's format carries it. On failure the surface is left empty.
    bool LoadViaGdiplus(const std::filesystem::path& fileName, std::span<const std::uint8_t> bytes,
                        c32bppDIB& surface, std::uint32_t token);

    // Why the last LoadViaGdiplus made no picture (the format's name and the cause); empty after
    // one that made a picture.
    const std::string& LastLoadError() const { return LastLoadReason; }

    // Writes the surface's pixels as an upright 8-bit RGBA PNG to FileName, or into outStream when
    // FileName is empty. Loading the PNG again gives back exactly the same pixels.
    bool SaveToPNG(const std::filesystem::path& FileName, std::vector<std::uint8_t>& outStream,
                   const c32bppDIB& cHost, std::uint32_t GlobalToken);

    // Draws a rectangle of source (from its top) onto the pixels of destinationDC: scaled onto the
    // rectangle (destX, destY, |destWidth|, |destHeight|), mirrored left to right when destWidth < 0
    // and top to bottom when destHeight < 0, turned clockwise by Angle degrees about the centre of
    // that rectangle, its alpha and colour scaled by Opacity / 100, laid source over. HighQuality
    // picks the widening cubic filter, otherwise the nearest pixel. The mirror is applied to the
    // bitmap this object keeps over the source's memory (CachedBitmap, whose state is FlipState),
    // so that a kept bridge reuses it. Opacity 0 draws nothing and is true. rescalesWholePicture
    // (Resize, CopyImageTo) keeps the picture's edges opaque where a drawing fades them out.
    bool DrawViaGdiplus(DeviceContext* destinationDC, const c32bppDIB& source, double Angle, std::int32_t Opacity,
                        std::int64_t destX, std::int64_t destY, std::int64_t destWidth, std::int64_t destHeight,
                        std::int64_t SrcX, std::int64_t SrcY, std::int64_t srcWidth, std::int64_t srcHeight,
                        bool HighQuality, std::uint32_t token, bool rescalesWholePicture = false);

    // The drawing of DrawViaGdiplus itself, for a surface whose imaging services are off: the same
    // result without a start, a kept bitmap or a flip state. mirrorX and mirrorY are the mirrors
    // asked for; the rectangle sizes are positive. coverage, when given, tells where the source is
    // not transparent.
    static bool DrawImaging(DeviceContext* destinationDC, const PixelView& source, double Angle, std::int32_t Opacity,
                            std::int64_t destX, std::int64_t destY, std::int64_t destWidth, std::int64_t destHeight,
                            std::int64_t SrcX, std::int64_t SrcY, std::int64_t srcWidth, std::int64_t srcHeight,
                            bool mirrorX, bool mirrorY, bool HighQuality, bool rescalesWholePicture = false,
                            const PictureCoverage* coverage = nullptr);

    // Ends the start that token belongs to and lets go of the kept bitmap; false when the start was
    // not running.
    bool StopGdiplus(std::uint32_t token);

    // Rotate-flip codes of the kept bitmap, as the memory is seen from its first row: the surface
    // keeps its rows bottom-up, so kFlipY shows it upright.
    static constexpr int kFlipNone = 0;
    static constexpr int kFlipBoth = 2;
    static constexpr int kFlipX = 4;
    static constexpr int kFlipY = 6;
    bool HasCachedBitmap() const { return bool(CachedBitmap); }
    int CurrentFlipState() const { return FlipState; }

    // The program-wide starts of the services.
    static std::uint32_t Startup();
    static bool Shutdown(std::uint32_t token);
    static bool IsStarted(std::uint32_t token);

private:
    bool MakeSureRunning(std::uint32_t token);
    void MakeCachedBitmap(const c32bppDIB& surface);

    std::uint32_t OwnToken = 0;
    PixelView CachedBitmap;  // over a surface's memory, rows as stored; empty until first used
    int FlipState = kFlipNone;
    std::string LastLoadReason;
};

} // namespace dorvane
