#pragma once

#include "image/c32bppDIB.h"

#include <array>

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

    // All five, for what is done to each alike.
    std::array<c32bppDIB*, 5> All() { return {&iBack, &iHour, &iMin, &iSec, &iClockBorder}; }
    std::array<const c32bppDIB*, 5> All() const { return {&iBack, &iHour, &iMin, &iSec, &iClockBorder}; }
};

} // namespace dorvane
