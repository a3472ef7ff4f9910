#include "clock/face/ClockFace.h"

#include "clock/face/HandAngles.h"

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
    HandLayers::DrawPicture(surfaces_.iHour, face, kHandOpacity, angles.hour);
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

} // namespace dorvane
