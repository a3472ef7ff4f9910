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

void ClockFace::SetDeviceScale(double scale)
{
    if (scale > 0)
        scale_ = scale;
}

void ClockFace::Draw(const LocalTime& time)
{
    if (scale_ == 1.0) {
        RestoreDial();
        DrawHands(surfaces_.iBack, time);
        return;
    }
    if (!art_.IsReadyFor(surfaces_, state_.Skin, scale_)) {
        RestoreDial();
        art_.Prepare(surfaces_, state_.Skin, scale_);
    }
    DrawHands(art_.RestoredFace(), time);
}

c32bppDIB& ClockFace::Picture() { return scale_ == 1.0 ? surfaces_.iBack : art_.Face(); }

// Wipes last second's hands by decoding the dial's kept bytes again.
void ClockFace::RestoreDial()
{
    surfaces_.iBack.LoadPicture_FromOrignalFormat();
    KeyOutPlainBackground(surfaces_.iBack);
}

void ClockFace::DrawHands(c32bppDIB& face, const LocalTime& time)
{
    const HandAngles angles = HandAnglesAt(time);
    HandLayers::DrawPicture(Source(surfaces_.iHour), face, kHandOpacity, angles.hour);
    // The hour hand turns a little every second; the others come back to the same few angles.
    minuteLayers_.Draw(Source(surfaces_.iMin), face, kHandOpacity, angles.minute);
    if (state_.ShowSeconds == 1)
        secondLayers_.Draw(Source(surfaces_.iSec), face, kSecondHandOpacity, angles.second);
    if (state_.ShowBorder == 1)
        borderLayers_.Draw(Source(surfaces_.iClockBorder), face, kBorderOpacity, 0);
}

c32bppDIB& ClockFace::Source(c32bppDIB& usual) { return scale_ == 1.0 ? usual : art_.Source(usual); }

} // namespace dorvane
