#pragma once

#include <windows.h>

#include <string_view>

namespace dorvane {

// Gives a control the name (and, when not empty, the description) that screen readers announce,
// for controls whose caption does not name them: fields, sliders, pictures and symbol buttons.
// Through the system's accessibility annotations; where they are missing the control keeps the
// name the system derives itself.
void SetAccessibleName(HWND control, std::string_view name, std::string_view description = {});

} // namespace dorvane
