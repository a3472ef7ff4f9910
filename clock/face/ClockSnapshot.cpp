#include "clock/face/ClockSnapshot.h"

#include "clock/face/WindowOpacity.h"
#include "image/cGDIPlus.h"

namespace dorvane {

ClockSnapshot::ClockSnapshot(const ClockState& state, double scale)
    : state_(state), imagingToken_(cGDIPlus::Startup()), face_(state, surfaces_), loader_(state, surfaces_, *this)
{
    face_.SetDeviceScale(scale);
}

ClockSnapshot::~ClockSnapshot() { cGDIPlus::Shutdown(imagingToken_); }

// The clock hands its imaging start to the five pictures once they are loaded; so does this, so
// that every drawing takes the path it takes in the clock.
Status ClockSnapshot::LoadSkin()
{
    Status loaded = loader_.LoadSkin();
    for (c32bppDIB* surface : surfaces_.All())
        surface->SetGdiToken(imagingToken_);
    return loaded;
}

c32bppDIB& ClockSnapshot::Draw(const LocalTime& time)
{
    face_.Draw(time);
    c32bppDIB& picture = face_.Picture();
    ApplyWindowOpacity(picture, state_.Alpha);
    return picture;
}

} // namespace dorvane
