#pragma once

#include "clock/state/ClockText.h"
#include "platform/LocalTime.h"
#include "platform/Screen.h"
#include "platform/TimeSource.h"

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <variant>

namespace dorvane {

// What "dorvane snapshot" was asked for.
struct SnapshotRequest {
    std::filesystem::path output;
    bool sheet = false;
    std::optional<std::string> skin;
    std::optional<TimeOfDay> time;
    std::optional<std::filesystem::path> settingsFile;
    std::optional<bool> showBorder;
    std::optional<bool> showSeconds;
    double scale = 1.0; // device pixels to a logical pixel
};

// The words after "snapshot"; a one-line reason when they are not a valid request.
std::variant<SnapshotRequest, std::string> ParseSnapshotRequest(std::span<const std::string> args);

// "dorvane snapshot OUT.png [--skin NAME] [--time HH:MM:SS] [--settings FILE] [--border on|off]
// [--seconds on|off]" writes the clock's picture as the clock window would show it at that time
// (default: now) as an 8-bit RGBA PNG: the dial, the hands, the border ring when asked, the whole
// faded by the settings' Alpha. The settings are those the clock would use (or FILE's); the options
// override them. "dorvane snapshot --sheet OUT.png" writes every dial side by side with its
// catalogue number and name, at 10:09:30 unless --time says otherwise; it shows the designs at full
// strength and reads no settings file unless --settings names one. "--scale F" draws either as a
// screen with F device pixels to a logical pixel shows it: F times the pixels, drawn from the sharp
// pictures, exactly what the clock window shows there. Neither needs a display. args
// are the words after "snapshot" ("--help" prints the usage on out); the result is the exit status:
// 0 when the picture was written, 1 when it could not be made or written (with a one-line reason on
// err), 2 for a wrong command line.
int RunSnapshotCommand(std::span<const std::string> args, const Screen& screen, TimeSource& time, std::ostream& out,
                       std::ostream& err);

// The usage lines of "dorvane snapshot", as "dorvane --help" lists them too.
extern const char* const kSnapshotCommandUsage;

} // namespace dorvane
