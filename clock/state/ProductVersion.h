#pragma once

#include <string>

namespace dorvane {

// The product's version, which the build reads from here too: shown in the options window's about
// area and printed by --version.
inline constexpr int kVersionMajor = 0;
inline constexpr int kVersionMinor = 1;

// "0.1".
inline std::string VersionText() {
    return std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor);
}

} // namespace dorvane
