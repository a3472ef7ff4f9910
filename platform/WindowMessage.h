#pragma once

#include <cstdint>

namespace dorvane {

// Identifies one of the program's windows to the windowing layer.
using WindowHandle = uintptr_t;

// The timer message that drives the clock once a second.
inline constexpr uint32_t kWmTimer = 275;

// One message sent to a window: its number and two parameters whose meaning depends on it.
struct WindowMessage {
    WindowHandle window = 0;
    uint32_t message = 0;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
};

} // namespace dorvane
