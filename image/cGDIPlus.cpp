#include "image/cGDIPlus.h"

#include "image/DeviceContext.h"
#include "image/c32bppDIB.h"
#include "image/formats/cBMPparser.h"
#include "image/png/PngEncoder.h"
#include "image/png/cPNGparser.h"
#include "image/render/AffineResampler.h"
#include "platform/FileStore.h"
#include "platform/ReadOnlyFile.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <set>
#include <string>

namespace dorvane {
namespace {

struct Starts {
    std::mutex mutex;
    std::set<std::uint32_t> live;
    std::uint32_t next = 1;
};

Starts& ServiceStarts()
{
    static Starts starts;
    return starts;
}

} // namespace

cGDIPlus::~cGDIPlus()
{
    if (OwnToken != 0)
        Shutdown(OwnToken);
}

std::uint32_t cGDIPlus::Startup()
{
    Starts& starts = ServiceStarts();
    std::lock_guard lock(starts.mutex);
    const std::uint32_t token = starts.next++;
    if (starts.next == 0)
        starts.next = 1;  // 0 means "no token"
    starts.live.insert(token);
    return token;
}

bool cGDIPlus::Shutdown(std::uint32_t token)
{
    Starts& starts = ServiceStarts();
    std::lock_guard lock(starts.mutex);
    return starts.live.erase(token) != 0;
}

bool cGDIPlus::IsStarted(std::uint32_t token)
{
    Starts& starts = ServiceStarts();
    std::lock_guard lock(starts.mutex);
    return token != 0 && starts.live.count(token) != 0;
}

bool cGDIPlus::isGDIplusOk(std::uint32_t& gdiToken, bool KeepToken)
{
    if (OwnToken != 0)
        return true;
    const std::uint32_t token = Startup();
    if (KeepToken)
        gdiToken = token;
    else
        Shutdown(token);
    return true;
}

// The owner's token when it is running, else a start of this object's own.
bool cGDIPlus::MakeSureRunning(std::uint32_t token)
{
    if (IsStarted(token) || IsStarted(OwnToken))
        return true;
    OwnToken = Startup();
    return OwnToken != 0;
}

bool cGDIPlus::StopGdiplus(std::uint32_t token)
{
    CachedBitmap = {};
    FlipState = kFlipNone;
    if (token == OwnToken)
        OwnToken = 0;
    return Shutdown(token);
}

bool cGDIPlus::LoadViaGdiplus(const std::filesystem::path& fileName, std::span<const std::uint8_t> bytes,
                              c32bppDIB& surface, std::uint32_t token)
{
    surface.DestroyDIB();
    LastLoadReason = "the imaging services cannot start";
    if (!MakeSureRunning(token))
        return false;
    std::vector<std::uint8_t> fileBytes;
    if (!fileName.empty()) {
        auto file = ReadOnlyFile::Open(fileName);
        auto whole = file ? file.value().ReadAll() : Result<std::vector<std::uint8_t>>::Failure(file.error());
        LastLoadReason = whole.error();
        if (!whole)
            return false;
        fileBytes = whole.take();
        bytes = fileBytes;
    }
    const auto length = static_cast<std::int64_t>(bytes.size());
    cPNGparser png;
    cBMPparser bmp;
    const bool isPng = png.LoadStream(bytes, surface, 0, length);
    if (!isPng)
        bmp.LoadStream(bytes, surface, 0, length);
    LastLoadReason = isPng ? png.LastError() : bmp.LastError();
    if (!surface.Handle()) {
        surface.DestroyDIB();
        return false;
    }
    surface.SetImageType(c32bppDIB::kPng);
    return true;
}

bool cGDIPlus::SaveToPNG(const std::filesystem::path& FileName, std::vector<std::uint8_t>& outStream,
                         const c32bppDIB& cHost, std::uint32_t GlobalToken)
{
    if (!cHost.Handle() || !MakeSureRunning(GlobalToken))
        return false;
    MakeCachedBitmap(cHost);
    FlipState = kFlipY;
    auto png = PngEncoder::Encode(cHost.Pixels());
    if (!png)
        return false;
    if (!FileName.empty())
        return FileStore::Replace(FileName, std::string(png.value().begin(), png.value().end())).ok();
    outStream = png.take();
    return true;
}

// The bitmap is made over the surface's memory once; a surface that was reloaded or resized since
// gets a new one, starting unflipped.
void cGDIPlus::MakeCachedBitmap(const c32bppDIB& surface)
{
    const PixelView pixels = surface.Pixels();
    if (CachedBitmap.bits == pixels.bits && CachedBitmap.width == pixels.width && CachedBitmap.height == pixels.height)
        return;
    CachedBitmap = pixels;
    CachedBitmap.bottomUp = false;
    FlipState = kFlipNone;
}

bool cGDIPlus::DrawViaGdiplus(DeviceContext* destinationDC, const c32bppDIB& source, double Angle,
                              std::int32_t Opacity, std::int64_t destX, std::int64_t destY, std::int64_t destWidth,
                              std::int64_t destHeight, std::int64_t SrcX, std::int64_t SrcY, std::int64_t srcWidth,
                              std::int64_t srcHeight, bool HighQuality, std::uint32_t token, bool rescalesWholePicture)
{
    if (Opacity == 0)
        return true;
    if (!source.Handle() || !MakeSureRunning(token))
        return false;
    MakeCachedBitmap(source);
    // The memory seen from its first row is upside down: showing it upright is a vertical flip,
    // which a mirror top to bottom cancels. A flip here is a way of reading the memory (no pixel
    // moves), so turning the bitmap from its current flip to the wanted one is taking the new state.
    int wanted = destHeight < 0 ? kFlipNone : kFlipY;
    if (destWidth < 0)
        wanted = wanted == kFlipY ? kFlipBoth : kFlipX;
    FlipState = wanted;
    const bool mirrorX = FlipState == kFlipX || FlipState == kFlipBoth;
    const bool mirrorY = FlipState == kFlipNone || FlipState == kFlipX;
    return DrawImaging(destinationDC, source.Pixels(), Angle, Opacity, destX, destY, std::abs(destWidth),
                       std::abs(destHeight), SrcX, SrcY, srcWidth, srcHeight, mirrorX, mirrorY, HighQuality,
                       rescalesWholePicture, source.Coverage());
}

bool cGDIPlus::DrawImaging(DeviceContext* destinationDC, const PixelView& source, double Angle, std::int32_t Opacity,
                           std::int64_t destX, std::int64_t destY, std::int64_t destWidth, std::int64_t destHeight,
                           std::int64_t SrcX, std::int64_t SrcY, std::int64_t srcWidth, std::int64_t srcHeight,
                           bool mirrorX, bool mirrorY, bool HighQuality, bool rescalesWholePicture,
                           const PictureCoverage* coverage)
{
    if (!destinationDC || !destinationDC->Target())
        return false;
    AffineDraw draw;
    draw.source = source;
    // Only the part of the source rectangle that lies on the picture is drawn.
    draw.srcX = std::clamp<std::int64_t>(SrcX, 0, source.width);
    draw.srcY = std::clamp<std::int64_t>(SrcY, 0, source.height);
    draw.srcWidth = std::min<std::int64_t>(SrcX + srcWidth, source.width) - draw.srcX;
    draw.srcHeight = std::min<std::int64_t>(SrcY + srcHeight, source.height) - draw.srcY;
    draw.mirrorX = mirrorX, draw.mirrorY = mirrorY;
    draw.destX = destX, draw.destY = destY, draw.destWidth = destWidth, draw.destHeight = destHeight;
    draw.angle = Angle;
    draw.sampling = HighQuality ? AffineDraw::Sampling::Cubic : AffineDraw::Sampling::Nearest;
    draw.opacity = std::uint8_t((std::clamp(Opacity, 0, 100) * 255 + 50) / 100);
    draw.sourceAlpha = true;
    draw.extendEdges = rescalesWholePicture && Angle == 0;
    draw.coverage = coverage;
    return AffineResampler::Composite(draw, destinationDC->Target());
}

} // namespace dorvane
