#pragma once

#include "clock/state/ClockSurfaces.h"
#include "image/c32bppDIB.h"
#include "resources/EmbeddedResources.h"

#include <cstdint>
#include <string>

namespace dorvane {

// The clock's pictures for a screen whose pixels are not the clock's logical pixels (a desktop
// scaled by 1.25, 1.5, 2, ...): the bare dial laid out once at the device's resolution, and the
// pictures the hands and the border ring are drawn from. Above scale 1 these are the sharp
// pictures drawn at twice the size and embedded next to the usual ones ("<NAME>-2X"); where the
// device size is not exactly that, the image engine's high-quality resampler fits the dial to it.
// A picture without a sharp version, and every picture below scale 1, comes from the usual one.
class DeviceArt {
public:
    explicit DeviceArt(const EmbeddedResources& resources = EmbeddedResources::Program());

    // Whether the art is made for the dial surfaces hold now, the skin named skin and scale.
    bool IsReadyFor(const ClockSurfaces& surfaces, const std::string& skin, double scale) const;
    // Makes the art for the skin whose pictures surfaces hold, at scale device pixels to a logical
    // pixel (> 0); iBack must hold the bare dial. Without a dial the face stays empty.
    void Prepare(ClockSurfaces& surfaces, const std::string& skin, double scale);

    // The face at the device's size, restored to the bare dial; empty when there is no dial.
    c32bppDIB& RestoredFace();
    c32bppDIB& Face() { return face_; }

    // The picture a hand or the ring is drawn from: its sharp version, else usual itself.
    c32bppDIB& Source(c32bppDIB& usual);

    // The device size of a logical length at scale, rounded as the window system rounds it.
    static std::int32_t DeviceLength(std::int32_t logical, double scale);

private:
    bool LoadSharp(c32bppDIB& target, const std::string& type, const std::string& name, const c32bppDIB& usual);
    void LoadSharpDial(const ClockSurfaces& surfaces, const std::string& skin);
    void LayOutDial(c32bppDIB& back, double scale);

    const EmbeddedResources& resources_;
    std::uint64_t dialVersion_ = 0;
    std::uint32_t gdiToken_ = 0;
    double scale_ = 0;
    std::string skin_;
    ClockSurfaces sharp_;  // the sharp dial, hands and ring; empty where there is none
    const ClockSurfaces* usual_ = nullptr;
    c32bppDIB dial_;  // the bare dial at the device's size
    c32bppDIB face_;
};

// A dial without any transparency is a picture on a plain background: the colour of its top-left
// pixel is taken as that background and cleared wherever it occurs.
void KeyOutPlainBackground(c32bppDIB& dial);

} // namespace dorvane
