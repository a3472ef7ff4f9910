#pragma once

#include <cstdint>
#include <string>

namespace dorvane {

// Why MSubclass refused to intercept a message.
struct InterceptionError {
    enum Code : int32_t {
        CantSubclass = 13081,
        AlreadyHandled = 13082,
        InvalidWindow = 13083,
        ExternalWindow = 13084,
    };

    Code code;
    std::string source;      // "<program name>.WindowProc"
    std::string description; // the text shown to the user

    // The error number the user sees: the code in the range reserved for the program's own errors.
    uint32_t Number() const { return 0x80040000u + static_cast<uint32_t>(code); }
};

} // namespace dorvane
