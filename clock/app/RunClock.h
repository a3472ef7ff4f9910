#pragma once

#include <filesystem>
#include <optional>

namespace dorvane {

struct ClockRunOptions {
    std::filesystem::path settingsPath;
    bool settingsGiven = false; // named by --settings, so start at logon names it too
    // Where to write one line for every picture the window shows (the wall-clock time of the
    // showing), for checking that the clock keeps step with the seconds.
    std::optional<std::filesystem::path> tickLog;
};

// Runs the clock until it is closed, which saves the settings: from the strip's close picture or the
// end of the desktop session; on Linux also SIGTERM, SIGINT, SIGHUP or a broken X connection; on
// Windows also WM_CLOSE and Ctrl+C, Ctrl+Break or the closing of the console it was started from.
// Only one clock runs on a settings file: a second start brings the first to the front and returns
// 0. Returns the process's exit status: 1 when the last save failed. (RunClock.cpp for Linux,
// win32/RunClockWin32.cpp for Windows.)
int RunClock(int argc, char** argv, const ClockRunOptions& options);

} // namespace dorvane
