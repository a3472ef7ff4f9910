#pragma once

// The Windows side of what the program's start needs before any window exists.
#include "platform/win32/SystemTimeSource.h"
#include "platform/win32/SystemTimeZone.h"
#include "platform/win32/WindowsScreen.h"
#include "platform/win32/WindowsSoundOutput.h"

#include <string>
#include <vector>

namespace dorvane {

// The screen the commands measure with when no clock window runs.
using CommandScreen = WindowsScreen;

// The words after the program's name, as UTF-8, read from the wide command line: the narrow argv
// of a Windows program holds only what the ANSI code page can spell.
std::vector<std::string> ProgramWords(int argc, char** argv);

// The program is a windowed one, which Windows starts without a console; run from a console, its
// output goes to that console, unless the shell sent it elsewhere already.
void ConnectOutputStreams();

} // namespace dorvane
