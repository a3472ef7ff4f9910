#include "clock/ClockFace.h"

namespace dorvane {

void ClockFace::Draw(const LocalTime&)
{
    // Wipes last second's hands. The hands are drawn once the renderer is in.
    surfaces_.iBack.LoadPicture_FromOrignalFormat();
}

} // namespace dorvane
