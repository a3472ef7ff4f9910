#pragma once

#include "image/c32bppDIB.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace dorvane {

// One picture that is drawn over the dial again and again at the same few angles: the minute and
// second hands stand at one of 60, the border ring always at 0. The first drawing at an angle
// resamples the picture at full strength onto a clear layer of the face's size, cropped to what it
// covers; every later drawing at that angle lays the layer over the face at the hand's opacity, one
// layer pixel per face pixel. That gives exactly the pixels drawing the picture itself would (the
// fade and the blend come after the sampling either way), for a small part of the work.
//
// Layers are only kept for a picture whose drawings all go through the imaging services; a new
// version of the picture's pixels, another face size or other sampling starts afresh.
class HandLayers {
public:
    // Draws picture onto face as the clock does: scaled to the face, turned clockwise by angle
    // degrees about its centre, faded to opacity percent.
    void Draw(c32bppDIB& picture, c32bppDIB& face, std::int32_t opacity, float angle);
    // The same drawing without layers: the picture itself resampled onto the face.
    static void DrawPicture(c32bppDIB& picture, c32bppDIB& face, std::int32_t opacity, float angle);

    std::size_t LayerCount() const { return layers_.size(); }

private:
    struct Layer {
        float angle = 0;
        std::int32_t left = 0, top = 0;
        std::unique_ptr<c32bppDIB> pixels;  // none when the picture covers nothing at this angle
    };

    bool Keepable(const c32bppDIB& picture) const;
    bool MadeFrom(const c32bppDIB& picture, const c32bppDIB& face) const;
    void StartAfresh(const c32bppDIB& picture, const c32bppDIB& face);
    const Layer* LayerAt(c32bppDIB& picture, const c32bppDIB& face, float angle);

    std::uint64_t pixelsVersion_ = 0;
    bool highQuality_ = false;
    std::int32_t faceWidth_ = 0, faceHeight_ = 0;
    std::vector<Layer> layers_;
};

} // namespace dorvane
