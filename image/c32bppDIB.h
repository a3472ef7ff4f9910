#pragma once

#include "image/DeviceContext.h"
#include "image/PixelView.h"
#include "image/render/PictureCoverage.h"
#include "platform/Result.h"

#include <any>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace dorvane {

class EmbeddedResources;
class ReadOnlyFile;
class cGDIPlus;
struct RenderRectangles;

// A resource type or name: a text, or a number (numbered resources such as the chime, 101).
using ResourceId = std::variant<std::string, std::int32_t>;

// The one image type of the program: a surface of 32-bit pixels holding blue, green, red and alpha
// bytes, colour premultiplied by alpha, rows stored bottom-up without padding, so the pixel at
// (x, y) from the top lies at byte ((Height - y - 1) * Width + x) * 4. Every decoder delivers this
// form and every drawing relies on it. The surface owns its pixel memory (its "bitmap", whose
// handle is the memory's address) and, on demand, a drawing target (its own device context) that
// has that memory selected so that drawing can land on it.
class c32bppDIB {
public:
    // ImageType: what the last content was.
    static constexpr std::int32_t kNoImage = -1;
    static constexpr std::int32_t kBlank = 0;
    static constexpr std::int32_t kOpaque = 1;
    static constexpr std::int32_t kStraightAlpha = 6;  // arrived with straight alpha, premultiplied on load
    static constexpr std::int32_t kPremultiplied = 7;  // arrived premultiplied, or given a transparent colour
    static constexpr std::int32_t kPng = 10;           // decoded by the PNG decoder or the imaging services

    // CapabilityFlags bits.
    static constexpr std::uint32_t kBlendHandlesAlpha = 1;   // our blend takes premultiplied alpha
    static constexpr std::uint32_t kImagingServices = 2;     // the imaging services are usable
    static constexpr std::uint32_t kFiltersWhileStretching = 64;

    c32bppDIB();
    ~c32bppDIB();
    c32bppDIB(const c32bppDIB&) = delete;
    c32bppDIB& operator=(const c32bppDIB&) = delete;

    // Properties.
    bool Alpha() const { return alpha_; }
    void SetAlpha(bool value) { alpha_ = value; }
    bool HighQualityInterpolation() const { return highQualityInterpolation_; }
    void SetHighQualityInterpolation(bool value) { highQualityInterpolation_ = value; }
    std::int32_t ImageType() const { return imageType_; }
    bool ManageOwnDC() const { return manageOwnDC_; }
    void SetManageOwnDC(bool value);
    bool isAlphaBlendFriendly() const { return (capabilityFlags_ & kBlendHandlesAlpha) != 0; }
    void SetIsAlphaBlendFriendly(bool value);
    bool isGDIplusEnabled() const { return (capabilityFlags_ & kImagingServices) != 0; }
    void SetIsGDIplusEnabled(bool value);
    std::uint32_t gdiToken() const { return gdiToken_; }
    void SetGdiToken(std::uint32_t token) { gdiToken_ = token; }
    std::any& Tag() { return tag_; }
    const std::any& Tag() const { return tag_; }
    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }
    std::int32_t scanWidth() const { return width_ * 4; }
    std::uint8_t* BitsPointer() const { return bits_; }
    const void* Handle() const { return bits_; }
    bool isZlibEnabled() const;
    bool KeepGDIplusActive() const { return keepGDIplusActive_; }
    void SetKeepGDIplusActive(bool value);
    std::uint32_t CapabilityFlags() const { return capabilityFlags_; }
    const std::vector<std::uint8_t>& SourceBytes() const { return sourceBytes_; }
    // Changes whenever this class's own methods change the pixels (loading, erasing, restoring,
    // lending them as a drawing target, ...). No two states of any surfaces' pixels share a version.
    std::uint64_t PixelsVersion() const { return pixelsVersion_; }

    // The pixel memory as a view (empty when there is none), and as bytes, bottom row first.
    PixelView Pixels() const;
    std::span<std::uint8_t> PixelBytes() const;

    // Makes a blank (fully transparent) surface of |Height| rows; false, and empty, when Width < 0,
    // Height = 0, the size does not fit, or Width is 0.
    bool InitializeDIB(std::int32_t Width, std::int32_t Height);
    void EraseDIB();
    void DestroyDIB();

    // Lends the surface as a drawing target: with true, the surface's own context with its pixels
    // selected (nullptr when there are none); with false, takes the pixels back (and drops the
    // context unless ManageOwnDC keeps it). Every borrower calls it with true before and false after.
    DeviceContext* LoadDIBinDC(bool bLoad);

    // The colour at (x, y) from the top as 0x00BBGGRR, un-premultiplied unless asPreMultiplied;
    // -1 with AlphaValue 0 outside the surface.
    std::int32_t GetPixel(std::int32_t x, std::int32_t y, std::int32_t& AlphaValue, bool asPreMultiplied = false) const;

    bool GetOrginalFormat(std::vector<std::uint8_t>& outStream) const;
    std::uint32_t CreateGDIplusToken();
    bool DestroyGDIplusToken(std::uint32_t Token);

    // Loading. Each begins by emptying the surface (except the early refusals noted) and keeps the
    // loaded bytes in SourceBytes when SaveFormat is true.
    bool LoadPicture_File(const std::filesystem::path& FileName, bool SaveFormat = false);
    bool LoadPicture_Stream(std::span<const std::uint8_t> inStream, std::int64_t streamStart = 0,
                            std::int64_t streamLength = 0, bool SaveFormat = false);
    bool LoadPicture_Resource(const ResourceId& ResIndex, const ResourceId& ResSection,
                              const EmbeddedResources* HostObject = nullptr, std::int64_t streamStart = 0,
                              std::int64_t streamLength = 0, bool SaveFormat = false);
    bool LoadPicture_FromOrignalFormat();

    // Why the last load made no picture: the format's name and the cause ("PNG: CRC mismatch in
    // IDAT", "BMP: pixel data ends early"), or why no bytes reached a decoder. Empty after a load
    // that made a picture.
    const std::string& LastLoadError() const { return lastLoadError_; }

    // Drawing (c32bppDIBRender.cpp). Render lays a rectangle of this surface (SrcX, SrcY from the
    // top; 0 sizes mean the whole surface, negative ones mirror) onto destinationDC, or onto
    // destHostDIB when given, scaled to the destination rectangle (0 sizes: the source's; negative:
    // mirrored), turned clockwise by Angle degrees about the rectangle's centre and faded to Opacity
    // percent (|Opacity| mod 100, 0 meaning 100; below 1 nothing is drawn and the result tells
    // whether the surface holds pixels). Blend is accepted and not used; SetHalfTone lets the blend
    // primitive filter when it stretches. CenterOnDestXY makes destX, destY the rectangle's centre.
    bool Render(DeviceContext* destinationDC, std::int32_t destX, std::int32_t destY, std::int32_t destWidth,
                std::int32_t destHeight, std::int32_t SrcX, std::int32_t SrcY, std::int32_t srcWidth,
                std::int32_t srcHeight, std::int32_t Opacity = 100, bool Blend = true, bool SetHalfTone = true,
                c32bppDIB* destHostDIB = nullptr, float Angle = 0, bool CenterOnDestXY = false);

    // Whether every drawing of this surface, turned or not, goes through the imaging services (and
    // none through the blend primitive): so it is while the services are on and the surface holds
    // a token or keeps its bridge.
    bool DrawsThroughImaging() const;

    // A picture drawn again and again (a clock hand) can remember where it is not transparent, so
    // that its drawings read only those pixels. What it remembers is dropped with every version of
    // the pixels; a caller that writes through BitsPointer() or Pixels() after drawing the surface
    // must not switch it on.
    void SetRemembersCoverage(bool value) { remembersCoverage_ = value; }
    bool RemembersCoverage() const { return remembersCoverage_; }

    // Makes every pixel of the opaque colour TransparentColor (0x00BBGGRR) fully transparent, or with
    // Revert every fully transparent pixel that colour again (and re-examines the transparency).
    bool MakeTransparent(std::int32_t TransparentColor, bool Revert = false);

    // Rescales the pixels to |newWidth| x |newHeight| (0 keeps a side; negative mirrors it).
    bool Resize(std::int32_t newWidth, std::int32_t newHeight);

    // Copies the pixels into cDIBclass, scaled to |newWidth| x |newHeight| (0: this surface's size;
    // negative mirrors), with Alpha and ImageType, and with CopyOriginalFormat the kept source
    // bytes. The second form first creates an absent target.
    void CopyImageTo(c32bppDIB& cDIBclass, std::int32_t newWidth = 0, std::int32_t newHeight = 0,
                     bool CopyOriginalFormat = false);
    void CopyImageTo(std::unique_ptr<c32bppDIB>& cDIBclass, std::int32_t newWidth = 0, std::int32_t newHeight = 0,
                     bool CopyOriginalFormat = false);

    // The imaging bridge this surface keeps (KeepGDIplusActive), or none.
    const cGDIPlus* GdiBridge() const { return gdiBridge_.get(); }

    // Sources shorter than this are refused before the surface is touched.
    static constexpr std::size_t kMinimumSourceBytes = 57;

private:
    friend class cPNGparser;
    friend class cBMPparser;
    friend class cGDIPlus;

    void SetImageType(std::int32_t type) { imageType_ = type; }
    // Makes a surface of width x height (false, and empty, when the size does not fit) whose memory
    // is pixels itself: rows of 32-bit pixels top row first, turned bottom-up in place. A decoder
    // hands its picture over this way, so that the pixels exist once and are never copied.
    bool AdoptTopDownPixels(std::vector<std::uint8_t>&& pixels, std::int32_t width, std::int32_t height);
    void TakeMemory(std::vector<std::uint8_t>&& memory, std::int32_t width, std::int32_t height);
    void PixelsChanged();
    const PictureCoverage* Coverage() const;
    bool OwnBitmapSelected() const;
    void ReleaseOwnDC();
    bool Refuse(std::string reason);
    bool LoadFromSource(const ReadOnlyFile* file, std::span<const std::uint8_t> bytes, bool SaveFormat);
    Status TryLoaders(const ReadOnlyFile* file, std::span<const std::uint8_t>& bytes,
                      std::vector<std::uint8_t>& ownedBytes, bool SaveFormat);
    void KeepSource(const ReadOnlyFile* file, std::span<const std::uint8_t> bytes);
    cGDIPlus& Bridge(std::unique_ptr<cGDIPlus>& temporary);
    bool RestoreFromDecoded();
    void RememberDecoded();
    bool BlendOnto(DeviceContext& destination, const RenderRectangles& r, std::int32_t opacity, bool halftone);
    bool DrawImagingOnto(DeviceContext& destination, const RenderRectangles& r, std::int32_t opacity, double angle);
    void ScaleInto(c32bppDIB& target, std::int32_t newWidth, std::int32_t newHeight);

    std::any tag_;
    bool highQualityInterpolation_ = false;
    std::vector<std::uint8_t> memory_;  // the pixel memory
    std::uint8_t* bits_ = nullptr;      // its first byte; nullptr when there is none
    std::int32_t height_ = 0;
    std::int32_t width_ = 0;
    std::unique_ptr<DeviceContext> ownDC_;
    PixelView prevBitmap_;
    std::uint32_t capabilityFlags_ = 0;
    std::int32_t imageType_ = kNoImage;
    bool manageOwnDC_ = false;
    bool alpha_ = false;
    std::uint32_t gdiToken_ = 0;
    std::vector<std::uint8_t> sourceBytes_;
    std::string lastLoadError_;
    std::unique_ptr<cGDIPlus> gdiBridge_;
    bool keepGDIplusActive_ = false;
    std::uint64_t pixelsVersion_ = 0;
    bool remembersCoverage_ = false;
    mutable std::unique_ptr<PictureCoverage> coverage_;
    mutable std::uint64_t coverageVersion_ = 0;

    // The clock restores its dial from the kept bytes every second. The pixels those bytes decoded
    // to are remembered until other bytes are kept, so that restoring copies instead of decoding.
    struct Decoded {
        std::vector<std::uint8_t> pixels;
        std::int32_t width = 0, height = 0, imageType = kNoImage;
        bool alpha = false;
    };
    std::unique_ptr<Decoded> decoded_;
};

} // namespace dorvane
