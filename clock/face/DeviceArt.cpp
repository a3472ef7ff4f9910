#include "clock/face/DeviceArt.h"

#include "clock/face/SkinCatalogue.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace dorvane {
namespace {

// The sharp version of a picture is embedded under its name with this ending.
constexpr std::string_view kSharpEnding = "-2X";

struct SharpPicture {
    c32bppDIB ClockSurfaces::*surface;
    std::string_view type, name;
};
constexpr std::array<SharpPicture, 4> kHandsAndRing = {{
    {&ClockSurfaces::iHour, "PNG", "HOUR"},
    {&ClockSurfaces::iMin, "PNG", "MINUTE"},
    {&ClockSurfaces::iSec, "PNG", "SECOND"},
    {&ClockSurfaces::iClockBorder, "CUSTOM", "BORDER"},
}};

// Gives picture the drawing settings of the usual picture it stands in for.
void DrawLike(c32bppDIB& picture, const c32bppDIB& usual)
{
    picture.SetGdiToken(usual.gdiToken());
    picture.SetKeepGDIplusActive(usual.KeepGDIplusActive());
    picture.SetHighQualityInterpolation(usual.HighQualityInterpolation());
}

} // namespace

void KeyOutPlainBackground(c32bppDIB& dial)
{
    if (!dial.Handle() || dial.Alpha())
        return;
    std::int32_t alpha = 0;
    const std::int32_t background = dial.GetPixel(0, 0, alpha);
    dial.MakeTransparent(background);
}

DeviceArt::DeviceArt(const EmbeddedResources& resources) : resources_(resources) {}

std::int32_t DeviceArt::DeviceLength(std::int32_t logical, double scale)
{
    return std::max<std::int32_t>(1, static_cast<std::int32_t>(std::lround(logical * scale)));
}

bool DeviceArt::IsReadyFor(const ClockSurfaces& surfaces, const std::string& skin, double scale) const
{
    return usual_ == &surfaces && surfaces.iBack.PixelsVersion() == dialVersion_ &&
           surfaces.iBack.gdiToken() == gdiToken_ && scale == scale_ && skin == skin_;
}

void DeviceArt::Prepare(ClockSurfaces& surfaces, const std::string& skin, double scale)
{
    usual_ = &surfaces, skin_ = skin, scale_ = scale;
    dialVersion_ = surfaces.iBack.PixelsVersion(), gdiToken_ = surfaces.iBack.gdiToken();
    for (c32bppDIB* picture : sharp_.All())
        picture->DestroyDIB();
    dial_.DestroyDIB(), face_.DestroyDIB();
    if (!surfaces.iBack.Handle())
        return;
    if (scale > 1) {
        LoadSharpDial(surfaces, skin);
        for (const SharpPicture& picture : kHandsAndRing)
            LoadSharp(sharp_.*picture.surface, std::string(picture.type), std::string(picture.name),
                      surfaces.*picture.surface);
    }
    LayOutDial(sharp_.iBack.Handle() ? sharp_.iBack : surfaces.iBack, scale);
}

bool DeviceArt::LoadSharp(c32bppDIB& target, const std::string& type, const std::string& name, const c32bppDIB& usual)
{
    if (!usual.Handle() || !target.LoadPicture_Resource(name + std::string(kSharpEnding), type, &resources_))
        return false;
    DrawLike(target, usual);
    target.SetRemembersCoverage(usual.RemembersCoverage());
    return true;
}

// The sharp dial of the dial iBack holds: the skin's own, or the default dial it fell back to.
void DeviceArt::LoadSharpDial(const ClockSurfaces& surfaces, const std::string& skin)
{
    for (const PictureResource& dial : {SkinCatalogue::DialOf(skin), SkinCatalogue::DefaultDial()}) {
        const auto bytes = resources_.Find(dial.type, dial.name);
        if (!bytes || !std::ranges::equal(*bytes, surfaces.iBack.SourceBytes()))
            continue;
        if (LoadSharp(sharp_.iBack, dial.type, dial.name, surfaces.iBack))
            KeyOutPlainBackground(sharp_.iBack);
        return;
    }
}

// The bare dial at the device's size: the picture itself when it has that size, else resampled
// with the high-quality filter, once.
void DeviceArt::LayOutDial(c32bppDIB& back, double scale)
{
    const std::int32_t width = DeviceLength(usual_->iBack.Width(), scale);
    const std::int32_t height = DeviceLength(usual_->iBack.Height(), scale);
    if (back.Width() == width && back.Height() == height) {
        back.CopyImageTo(dial_);
    } else {
        c32bppDIB source;
        back.CopyImageTo(source);
        DrawLike(source, back);
        source.SetHighQualityInterpolation(true);
        if (!dial_.InitializeDIB(width, height))
            return;
        source.Render(nullptr, 0, 0, width, height, 0, 0, 0, 0, 100, /*Blend=*/true, /*SetHalfTone=*/true, &dial_);
    }
    face_.InitializeDIB(width, height);
}

c32bppDIB& DeviceArt::RestoredFace()
{
    const auto dial = dial_.PixelBytes();
    const auto face = face_.PixelBytes();
    if (!dial.empty() && dial.size() == face.size())
        std::memcpy(face.data(), dial.data(), dial.size());
    return face_;
}

c32bppDIB& DeviceArt::Source(c32bppDIB& usual)
{
    for (const SharpPicture& picture : kHandsAndRing)
        if (usual_ && &usual == &(usual_->*picture.surface) && (sharp_.*picture.surface).Handle())
            return sharp_.*picture.surface;
    return usual;
}

} // namespace dorvane
