#pragma once

#include "platform/Shell.h"

namespace dorvane {

// Opens an alarm's program, document or web address with the shell's "open" verb, as a double
// click in Explorer would. The text is one file name or address, never a command line: nothing
// passes through a command interpreter.
class WindowsShell : public Shell {
public:
    bool Open(const std::string& target) override;
};

} // namespace dorvane
