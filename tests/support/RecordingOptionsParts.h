#pragma once

#include "options/OptionsLinks.h"
#include "tests/support/FakeMessagePump.h"
#include "tests/support/RecordingShell.h"
#include "tests/support/RecordingTickSounds.h"

#include <set>
#include <string>
#include <vector>

namespace dorvane::testing {

// Everything around the options window's logic, recording what it was asked to do.
struct RecordingOptionsParts : Form2Window, OptionsHost, CalendarLink, Autostart {
    void ControlsChanged() override { ++refreshes; }
    void SelectMinuteText(int row) override { selectedMinutes.insert(row); }
    void SetClockEnabled(bool enabled) override { clockEnabled = enabled; }
    Status SaveSettings() override { return ++saves, Status::Ok(); }
    void ShowCalendar() override { calendarShown = true; }
    void CloseCalendar() override { calendarShown = false; ++calendarCloses; }
    bool Enable(const std::string& program, const std::vector<std::string>& arguments) override
    {
        autostartCommand = program;
        for (const std::string& argument : arguments)
            autostartCommand += " " + argument;
        ++autostartWrites;
        return true;
    }
    bool Disable() override { return autostartCommand.clear(), ++autostartWrites, true; }
    bool IsEnabled() const override { return !autostartCommand.empty(); }

    Form2Parts Parts()
    {
        return {sounds, pump, *this, *this, *this, shell, {"/opt/dorvane/dorvane", {"--settings", "/home/ann/c.ini"}},
                {"/opt/dorvane/README.md", "/home/ann"}};
    }

    RecordingTickSounds sounds;
    FakeMessagePump pump;
    RecordingShell shell;
    int refreshes = 0;
    std::set<int> selectedMinutes;
    bool clockEnabled = true;
    int saves = 0;
    bool calendarShown = false;
    int calendarCloses = 0;
    std::string autostartCommand;
    int autostartWrites = 0;
};

} // namespace dorvane::testing
