#pragma once

#include "image/c32bppDIB.h"

namespace dorvane {

// The clock window's five pictures. iBack is the canvas the face is drawn on each second (its dial
// bytes are kept so that it can be wiped back to the bare dial); the hands and the border ring are
// the sources drawn onto it.
struct ClockSurfaces {
    c32bppDIB iBack;
    c32bppDIB iHour;
    c32bppDIB iMin;
    c32bppDIB iSec;
    c32bppDIB iClockBorder;
};

} // namespace dorvane
