#include "clock/face/HandLayers.h"

#include "image/render/PictureCoverage.h"

#include <algorithm>
#include <cstring>

namespace dorvane {
namespace {

// More angles than a hand ever takes: a picture turned to ever new angles is drawn from scratch.
constexpr std::size_t kMostLayers = 64;

struct Box {
    std::int32_t left, top, right, bottom;  // right < left when empty
};

// The box around every pixel of view that is not fully transparent black.
Box CoveredBox(const PixelView& view)
{
    const PictureCoverage coverage = PictureCoverage::Of(view);
    Box box{view.width, view.height, -1, -1};
    for (std::int32_t y = 0; y < view.height; ++y) {
        const auto [first, last] = coverage.Row(view, y);
        if (first > last)
            continue;
        box.left = std::min(box.left, std::int32_t(first)), box.right = std::max(box.right, std::int32_t(last));
        box.top = std::min(box.top, y), box.bottom = y;
    }
    return box;
}

} // namespace

void HandLayers::DrawPicture(c32bppDIB& picture, c32bppDIB& face, std::int32_t opacity, float angle)
{
    constexpr bool kBlend = true, kHalfTone = true, kCentreOnDestination = false;
    picture.Render(nullptr, 0, 0, face.Width(), face.Height(), 0, 0, 0, 0, opacity, kBlend, kHalfTone, &face, angle,
                   kCentreOnDestination);
}

void HandLayers::Draw(c32bppDIB& picture, c32bppDIB& face, std::int32_t opacity, float angle)
{
    if (!face.Handle() || !picture.Handle())
        return;
    const Layer* layer = Keepable(picture) ? LayerAt(picture, face, angle) : nullptr;
    if (!layer) {
        DrawPicture(picture, face, opacity, angle);
        return;
    }
    if (layer->pixels) {
        c32bppDIB& pixels = *layer->pixels;
        pixels.Render(nullptr, layer->left, layer->top, pixels.Width(), pixels.Height(), 0, 0, 0, 0, opacity,
                      /*Blend=*/true, /*SetHalfTone=*/true, &face);
    }
}

// A layer drawn unturned at its own size has to take the imaging services' path, as the picture's
// own turned drawing does, so that both end in the same blend.
bool HandLayers::Keepable(const c32bppDIB& picture) const { return picture.DrawsThroughImaging(); }

bool HandLayers::MadeFrom(const c32bppDIB& picture, const c32bppDIB& face) const
{
    return face.Width() == faceWidth_ && face.Height() == faceHeight_ &&
           picture.HighQualityInterpolation() == highQuality_ && picture.PixelsVersion() == pixelsVersion_;
}

void HandLayers::StartAfresh(const c32bppDIB& picture, const c32bppDIB& face)
{
    layers_.clear();
    pixelsVersion_ = picture.PixelsVersion();
    highQuality_ = picture.HighQualityInterpolation();
    faceWidth_ = face.Width(), faceHeight_ = face.Height();
}

const HandLayers::Layer* HandLayers::LayerAt(c32bppDIB& picture, const c32bppDIB& face, float angle)
{
    if (!MadeFrom(picture, face) || layers_.size() == kMostLayers)
        StartAfresh(picture, face);
    const auto kept = std::ranges::find(layers_, angle, &Layer::angle);
    if (kept != layers_.end())
        return &*kept;

    c32bppDIB whole;
    if (!whole.InitializeDIB(face.Width(), face.Height()))
        return nullptr;
    DrawPicture(picture, whole, 100, angle);
    Layer layer;
    layer.angle = angle;
    const Box box = CoveredBox(whole.Pixels());
    if (box.right >= box.left) {
        layer.left = box.left, layer.top = box.top;
        layer.pixels = std::make_unique<c32bppDIB>();
        c32bppDIB& pixels = *layer.pixels;
        if (!pixels.InitializeDIB(box.right - box.left + 1, box.bottom - box.top + 1))
            return nullptr;
        for (std::int32_t y = 0; y < pixels.Height(); ++y)
            std::memcpy(pixels.Pixels().Row(y), whole.Pixels().Pixel(box.left, box.top + y),
                        std::size_t(pixels.Width()) * 4);
        pixels.SetGdiToken(picture.gdiToken());
        pixels.SetHighQualityInterpolation(picture.HighQualityInterpolation());
        pixels.SetKeepGDIplusActive(picture.KeepGDIplusActive());
        pixels.SetRemembersCoverage(true);
        if (!pixels.DrawsThroughImaging())
            return nullptr;
    }
    layers_.push_back(std::move(layer));
    return &layers_.back();
}

} // namespace dorvane
