// The drawing side of the surface: Render, MakeTransparent, Resize and CopyImageTo.

#include "image/c32bppDIB.h"
#include "image/cGDIPlus.h"
#include "image/formats/cBMPparser.h"
#include "image/render/AlphaBlender.h"
#include "image/render/PlainResampler.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace dorvane {

// Render's rectangles after normalisation: the source rectangle lies on the surface with positive
// sizes; a destination size is negative for a mirrored axis.
struct RenderRectangles {
    std::int64_t destX, destY, destWidth, destHeight;
    std::int64_t srcX, srcY, srcWidth, srcHeight;
};

namespace {

// Sizes of 0 mean the surface's; a negative source size mirrors (by negating the destination size)
// and counts by its absolute value; the source rectangle is cut to the surface.
RenderRectangles Normalised(std::int64_t width, std::int64_t height, std::int64_t destX, std::int64_t destY,
                            std::int64_t destWidth, std::int64_t destHeight, std::int64_t srcX, std::int64_t srcY,
                            std::int64_t srcWidth, std::int64_t srcHeight)
{
    RenderRectangles r{destX, destY, destWidth == 0 ? width : destWidth, destHeight == 0 ? height : destHeight,
                       std::max<std::int64_t>(srcX, 0), std::max<std::int64_t>(srcY, 0), srcWidth, srcHeight};
    if (r.srcWidth < 0)
        r.destWidth = -r.destWidth;
    r.srcWidth = r.srcWidth == 0 ? width : std::abs(r.srcWidth);
    if (r.srcHeight < 0)
        r.destHeight = -r.destHeight;
    r.srcHeight = r.srcHeight == 0 ? height : std::abs(r.srcHeight);
    r.srcWidth = std::min(r.srcWidth, width - r.srcX);
    r.srcHeight = std::min(r.srcHeight, height - r.srcY);
    return r;
}

// Whole turns (360, -720) draw as they are; any other angle, 0.5 included, turns the picture.
bool Rotated(float angle)
{
    return std::trunc(angle) != angle || std::fmod(angle, 360.0f) != 0;
}

// |Opacity| mod 100 with 0 meaning 100: 100 stays 100, 150 is 50.
std::int32_t NormalisedOpacity(std::int32_t opacity)
{
    const std::int64_t percent = std::abs(std::int64_t{opacity}) % 100;
    return percent == 0 ? 100 : std::int32_t(percent);
}

// Lends a destination surface's context for the length of a call and always takes it back.
class HostLease {
public:
    explicit HostLease(c32bppDIB* host) : host_(host), dc_(host ? host->LoadDIBinDC(true) : nullptr) {}
    ~HostLease()
    {
        if (host_)
            host_->LoadDIBinDC(false);
    }
    HostLease(const HostLease&) = delete;
    HostLease& operator=(const HostLease&) = delete;
    DeviceContext* dc() const { return dc_; }

private:
    c32bppDIB* host_;
    DeviceContext* dc_;
};

} // namespace

bool c32bppDIB::Render(DeviceContext* destinationDC, std::int32_t destX, std::int32_t destY, std::int32_t destWidth,
                       std::int32_t destHeight, std::int32_t SrcX, std::int32_t SrcY, std::int32_t srcWidth,
                       std::int32_t srcHeight, std::int32_t Opacity, bool /*Blend*/, bool SetHalfTone,
                       c32bppDIB* destHostDIB, float Angle, bool CenterOnDestXY)
{
    if (Opacity < 1)
        return bits_ != nullptr;
    if (!bits_ || (!destinationDC && !destHostDIB))
        return false;
    RenderRectangles r = Normalised(width_, height_, destX, destY, destWidth, destHeight, SrcX, SrcY, srcWidth, srcHeight);
    const std::int32_t opacity = NormalisedOpacity(Opacity);
    if (CenterOnDestXY) {
        r.destX -= std::abs(r.destWidth) / 2;
        r.destY -= std::abs(r.destHeight) / 2;
    }
    const HostLease lease(destHostDIB);
    DeviceContext* dc = destHostDIB ? lease.dc() : destinationDC;
    // A source rectangle off the picture, or an angle that is no number, draws nothing.
    if (!dc || r.srcWidth <= 0 || r.srcHeight <= 0 || !std::isfinite(Angle))
        return false;
    if (Rotated(Angle))
        return DrawImagingOnto(*dc, r, opacity, Angle);
    if (DrawsThroughImaging())
        return DrawImagingOnto(*dc, r, opacity, 0);
    const bool mirrored = r.destWidth < 0 || r.destHeight < 0;
    const bool stretched = std::abs(r.destWidth) != r.srcWidth || std::abs(r.destHeight) != r.srcHeight;
    const bool useBlendPrimitive =
        !keepGDIplusActive_ && isAlphaBlendFriendly() && !mirrored && (!stretched || !highQualityInterpolation_);
    if (isGDIplusEnabled() && !useBlendPrimitive)
        return DrawImagingOnto(*dc, r, opacity, 0);
    return BlendOnto(*dc, r, opacity, SetHalfTone && (capabilityFlags_ & kFiltersWhileStretching));
}

bool c32bppDIB::DrawsThroughImaging() const
{
    return isGDIplusEnabled() && (keepGDIplusActive_ || gdiToken_ != 0);
}

// The imaging path: through the bridge (kept or for this call) when the services are on, else the
// same drawing directly.
bool c32bppDIB::DrawImagingOnto(DeviceContext& destination, const RenderRectangles& r, std::int32_t opacity, double angle)
{
    if (!isGDIplusEnabled()) {
        return cGDIPlus::DrawImaging(&destination, Pixels(), angle, opacity, r.destX, r.destY, std::abs(r.destWidth),
                                     std::abs(r.destHeight), r.srcX, r.srcY, r.srcWidth, r.srcHeight, r.destWidth < 0,
                                     r.destHeight < 0, highQualityInterpolation_, false, Coverage());
    }
    std::unique_ptr<cGDIPlus> temporary;
    return Bridge(temporary).DrawViaGdiplus(&destination, *this, angle, opacity, r.destX, r.destY, r.destWidth,
                                            r.destHeight, r.srcX, r.srcY, r.srcWidth, r.srcHeight,
                                            highQualityInterpolation_, gdiToken_);
}

// The blend path: constant alpha Opacity * 255 / 100, per-pixel alpha only when the surface has
// transparency, halftone filtering for the length of the call when asked for.
bool c32bppDIB::BlendOnto(DeviceContext& destination, const RenderRectangles& r, std::int32_t opacity, bool halftone)
{
    BlendFunction blend;
    blend.SourceConstantAlpha = std::uint8_t(opacity * 255 / 100);
    blend.AlphaFormat = alpha_ ? BlendFunction::kSourceAlpha : 0;
    const int previousMode = halftone ? destination.SetStretchMode(DeviceContext::kStretchHalftone) : 0;
    const bool drawn = AlphaBlender::AlphaBlend(&destination, r.destX, r.destY, r.destWidth, r.destHeight, Pixels(),
                                                r.srcX, r.srcY, r.srcWidth, r.srcHeight, blend);
    if (halftone)
        destination.SetStretchMode(previousMode);
    return drawn;
}

bool c32bppDIB::MakeTransparent(std::int32_t TransparentColor, bool Revert)
{
    if (!bits_)
        return false;
    const auto colour = std::uint32_t(TransparentColor);
    const std::uint8_t key[4] = {std::uint8_t(colour >> 16), std::uint8_t(colour >> 8), std::uint8_t(colour), 255};
    const std::uint8_t clear[4] = {0, 0, 0, 0};
    const std::uint8_t* from = Revert ? clear : key;
    const std::uint8_t* to = Revert ? key : clear;
    bool changed = false;
    const auto pixels = PixelBytes();
    for (std::size_t i = 0; i < pixels.size(); i += 4) {
        if (std::memcmp(&pixels[i], from, 4) == 0) {
            std::memcpy(&pixels[i], to, 4);
            changed = true;
        }
    }
    if (!Revert) {
        if (changed) {
            PixelsChanged();
            alpha_ = true;
            if (imageType_ == kOpaque)
                imageType_ = kPremultiplied;
        }
        return true;
    }
    PixelsChanged();
    std::int32_t kind = 0;
    cBMPparser::AlphaScan(pixels, false, alpha_, kind);
    if (!alpha_ && (imageType_ == kStraightAlpha || imageType_ == kPremultiplied))
        imageType_ = kOpaque;
    return true;
}

// The whole surface scaled onto (0, 0, newWidth, newHeight) of a blank target, signed sizes
// mirroring: with the imaging services' high-quality drawing when they are on, else with the plain
// resampler.
void c32bppDIB::ScaleInto(c32bppDIB& target, std::int32_t newWidth, std::int32_t newHeight)
{
    if (!isGDIplusEnabled()) {
        PlainResampler::Scale(Pixels(), target.Pixels(), newWidth, newHeight, highQualityInterpolation_);
        return;
    }
    DeviceContext* dc = target.LoadDIBinDC(true);
    std::unique_ptr<cGDIPlus> temporary;
    Bridge(temporary).DrawViaGdiplus(dc, *this, 0, 100, 0, 0, newWidth, newHeight, 0, 0, width_, height_, true, gdiToken_,
                                     true);
    target.LoadDIBinDC(false);
}

bool c32bppDIB::Resize(std::int32_t newWidth, std::int32_t newHeight)
{
    if (!bits_)
        return false;
    newWidth = newWidth == 0 ? width_ : newWidth;
    newHeight = newHeight == 0 ? height_ : newHeight;
    if (newWidth == width_ && newHeight == height_)
        return true;
    const std::int64_t width = std::abs(std::int64_t{newWidth}), height = std::abs(std::int64_t{newHeight});
    c32bppDIB scaled;
    scaled.SetGdiToken(gdiToken_);
    scaled.SetIsGDIplusEnabled(isGDIplusEnabled());
    scaled.SetHighQualityInterpolation(highQualityInterpolation_);
    if (width > INT32_MAX || height > INT32_MAX || !scaled.InitializeDIB(std::int32_t(width), std::int32_t(height)))
        return false;
    scaled.imageType_ = imageType_;
    scaled.alpha_ = alpha_;
    scaled.tag_ = tag_;
    scaled.sourceBytes_ = sourceBytes_;
    if (isGDIplusEnabled() && highQualityInterpolation_) {
        ScaleInto(scaled, newWidth, newHeight);
    } else if (isAlphaBlendFriendly() && !highQualityInterpolation_) {
        // Without the blend primitive Render takes the imaging path (nearest pixel) when it can.
        capabilityFlags_ &= ~kBlendHandlesAlpha;
        Render(nullptr, 0, 0, newWidth, newHeight, 0, 0, 0, 0, 100, true, true, &scaled);
        capabilityFlags_ |= kBlendHandlesAlpha;
    } else {
        PlainResampler::Scale(Pixels(), scaled.Pixels(), newWidth, newHeight, highQualityInterpolation_);
    }
    scaled.CopyImageTo(*this, scaled.width_, scaled.height_, true);
    return true;
}

void c32bppDIB::CopyImageTo(std::unique_ptr<c32bppDIB>& cDIBclass, std::int32_t newWidth, std::int32_t newHeight,
                            bool CopyOriginalFormat)
{
    if (!bits_)
        return;
    if (!cDIBclass) {
        cDIBclass = std::make_unique<c32bppDIB>();
        cDIBclass->SetIsGDIplusEnabled(isGDIplusEnabled());
        cDIBclass->SetHighQualityInterpolation(highQualityInterpolation_);
    }
    CopyImageTo(*cDIBclass, newWidth, newHeight, CopyOriginalFormat);
}

void c32bppDIB::CopyImageTo(c32bppDIB& cDIBclass, std::int32_t newWidth, std::int32_t newHeight, bool CopyOriginalFormat)
{
    if (!bits_)
        return;
    newWidth = newWidth == 0 ? width_ : newWidth;
    newHeight = newHeight == 0 ? height_ : newHeight;
    const bool sameSize = newWidth == width_ && newHeight == height_;
    if (&cDIBclass == this) {
        if (!sameSize)
            Resize(newWidth, newHeight);
        return;
    }
    cDIBclass.SetGdiToken(gdiToken_);
    const std::int64_t width = std::abs(std::int64_t{newWidth}), height = std::abs(std::int64_t{newHeight});
    if (!cDIBclass.bits_ || cDIBclass.width_ != width || cDIBclass.height_ != height) {
        if (width > INT32_MAX || height > INT32_MAX || !cDIBclass.InitializeDIB(std::int32_t(width), std::int32_t(height)))
            return;
    } else if (!sameSize) {
        cDIBclass.EraseDIB();  // the scaled copy replaces what was there, it is not laid over it
    }
    cDIBclass.alpha_ = alpha_;
    cDIBclass.imageType_ = imageType_;
    if (sameSize) {
        std::memcpy(cDIBclass.bits_, bits_, PixelBytes().size());
    } else {
        const std::uint32_t flags = capabilityFlags_;
        capabilityFlags_ &= ~kBlendHandlesAlpha;
        ScaleInto(cDIBclass, newWidth, newHeight);
        capabilityFlags_ = flags;
    }
    cDIBclass.PixelsChanged();
    if (CopyOriginalFormat) {
        cDIBclass.sourceBytes_ = sourceBytes_;
        cDIBclass.decoded_.reset();  // remembered from the bytes it kept before
    }
}

} // namespace dorvane
