#pragma once

#include "clock/settings/IniFile.h"
#include "clock/settings/SettingsHost.h"
#include "clock/state/ClockState.h"
#include "platform/MessagePump.h"
#include "platform/Result.h"
#include "platform/Screen.h"

#include <filesystem>
#include <iosfwd>
#include <string>

namespace dorvane {

// "ClockSettings.ini": fills the clock state from the file and writes it back.
class SettingsFile {
public:
    // Failures to load or save are told on errors as well as returned: the clock has no window
    // of its own to show them in.
    SettingsFile(std::filesystem::path path, ClockState& state, SettingsHost& host, const Screen& screen,
                 std::ostream& errors);

    const std::filesystem::path& Path() const { return path_; }

    // Reads every key in order, each missing or unusable value taking its default, then loads the
    // skin. A file that cannot be read gives every default and a failure with the reason, so that
    // the caller can tell the user; such a file is then never overwritten by SaveSettings.
    Status LoadSettings();

    // Writes every key in order, keeping whatever else the file holds; the file is replaced whole
    // or not at all. A file the user made read-only is left alone, which is no failure: the first
    // such save says so on errors, later ones say nothing.
    Status SaveSettings();

    // Deletes the file, lets pending messages run and loads the defaults.
    Status ResetToDefaults(MessagePump& pump);

    // The bytes SaveSettings would write into the file now: its unknown keys, sections, comments and
    // line ends kept, every key of "[Settings]" and "[Alarm0]".."[Alarm6]" updated. Changes nothing.
    std::string SettingsText();

private:
    void LoadAlarms(const IniFile& file);
    void LoadKeys(const IniFile& file, int first, int last);
    void LoadPosition(const IniFile& file);
    void WriteInto(IniFile& file);
    Status Reported(Status status);

    std::filesystem::path path_;
    ClockState& state_;
    SettingsHost& host_;
    const Screen& screen_;
    std::ostream& errors_;
    std::string unreadableReason_; // set while the file on disk could not be read
    bool toldReadOnly_ = false;
};

} // namespace dorvane
