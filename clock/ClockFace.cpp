#include "clock/ClockFace.h"

#include "clock/HandAngles.h"

namespace dorvane {
namespace {

// The hour and minute hands and the border ring let a little of the dial through; the second hand
// is solid.
constexpr std::int32_t kHandOpacity = 80;
constexpr std::int32_t kSecondHandOpacity = 100;
constexpr std::int32_t kBorderOpacity = 80;

} // namespace

void ClockFace::Draw(const LocalTime& time)
{
    c32bppDIB& face = surfaces_.iBack;
    // Wipes last second's hands by decoding the dial's kept bytes again.
    face.LoadPicture_FromOrignalFormat();
    KeyOutBackground();

    const HandAngles angles = HandAnglesAt(time);
    DrawOntoFace(surfaces_.iHour, kHandOpacity, angles.hour);
    // The hour hand turns a little every second; the others come back to the same few angles.
    minuteLayers_.Draw(surfaces_.iMin, face, kHandOpacity, angles.minute);
    if (state_.ShowSeconds == 1)
        secondLayers_.Draw(surfaces_.iSec, face, kSecondHandOpacity, angles.second);
    if (state_.ShowBorder == 1)
        borderLayers_.Draw(surfaces_.iClockBorder, face, kBorderOpacity, 0);
}

// A dial without any transparency is a picture on a plain background: the colour of its top-left
// pixel is taken as that background and cleared wherever it occurs.
void ClockFace::KeyOutBackground()
{
    c32bppDIB& face = surfaces_.iBack;
    if (!face.Handle() || face.Alpha())
        return;
    std::int32_t alpha = 0;
    const std::int32_t background = face.GetPixel(0, 0, alpha);
    face.MakeTransparent(background);
}

// Lays a picture over the whole face, scaled to the face's size and turned clockwise by angle
// degrees about its centre. A picture that is not loaded draws nothing.
void ClockFace::DrawOntoFace(c32bppDIB& picture, std::int32_t opacity, float angle)
{
    c32bppDIB& face = surfaces_.iBack;
    if (!face.Handle() || !picture.Handle())
        return;
    constexpr bool kBlend = true, kHalfTone = true, kCentreOnDestination = false;
    picture.Render(nullptr, 0, 0, face.Width(), face.Height(), 0, 0, 0, 0, opacity, kBlend, kHalfTone, &face, angle,
                   kCentreOnDestination);
}

} // namespace dorvane
