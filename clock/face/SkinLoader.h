#pragma once

#include "clock/face/ClockWindowFrame.h"
#include "clock/face/SkinCatalogue.h"
#include "clock/state/ClockState.h"
#include "clock/state/ClockSurfaces.h"
#include "platform/Result.h"
#include "resources/EmbeddedResources.h"

namespace dorvane {

// Fills the clock window's five pictures for the skin the clock state names, and sizes the window
// to the dial. Every picture keeps its PNG bytes, so that the face can be restored from them.
class SkinLoader {
public:
    SkinLoader(const ClockState& state, ClockSurfaces& surfaces, ClockWindowFrame& window,
               const EmbeddedResources& resources = EmbeddedResources::Program());

    // Empties the five pictures and loads the dial, the three hands and the border ring afresh,
    // each with the interpolation HighQuality asks for, then sizes the window to the dial. A Skin
    // that names no dial shows the default dial; that, or a picture that would not load, is told
    // in the result, with the reason each picture gave. Without any dial the window keeps its size.
    Status LoadSkin();

private:
    Status Load(c32bppDIB& surface, const PictureResource& picture);
    Status LoadDial();
    Status LoadHandsAndBorder();

    const ClockState& state_;
    ClockSurfaces& surfaces_;
    ClockWindowFrame& window_;
    const EmbeddedResources& resources_;
};

} // namespace dorvane
