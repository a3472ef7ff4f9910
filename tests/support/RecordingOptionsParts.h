#pragma once

#include "options/Form2.h"
#include "options/OptionsLinks.h"
#include "tests/support/Fakes.h"
#include "tests/support/TickRig.h"

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace dorvane::testing {

// Everything around the options window's logic, recording what it was asked to do.
struct RecordingOptionsParts : Form2Window, OptionsHost, CalendarLink, Autostart, ClockLook {
    void ControlsChanged() override { ++refreshes; }
    void SelectMinuteText(int row) override { selectedMinutes.insert(row); }
    bool AskOkCancel(const std::string& text, const std::string& title) override
    {
        return asked.push_back(title + ": " + text), answerOk;
    }
    void TellFailure(const std::string& text, const std::string&) override { failures.push_back(text); }
    void SetClockEnabled(bool enabled) override { clockEnabled = enabled; }
    Status SaveSettings() override { return ++saves, Status::Ok(); }
    Status DeleteSettingsFile() override { return ++deletes, deleteFailure.empty() ? Status::Ok() : Status::Failure(deleteFailure); }
    void LoadSettings() override
    {
        ++loads;
        if (onLoad)
            onLoad();
    }
    void ReopenOptions() override { ++reopens; }
    void HideClock() override { clockShown = false; }
    void ShowClock() override { clockShown = true; }
    void ChangeSkin() override { ++skinChanges; }
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

    // These parts, with the given sounds or calendar in place of the recording ones.
    Form2Parts Parts(TickSounds* otherSounds = nullptr, CalendarLink* otherCalendar = nullptr)
    {
        return {otherSounds ? *otherSounds : sounds, pump, *this, otherCalendar ? *otherCalendar : *this, *this, shell,
                {"/opt/dorvane/dorvane", {"--settings", "/home/ann/c.ini"}},
                {"/opt/dorvane/README.md", "/home/ann"}, {*this, surfaces, time, screen}};
    }

    RecordingTickSounds sounds;
    FakeMessagePump pump;
    RecordingShell shell;
    int refreshes = 0, saves = 0, calendarCloses = 0, autostartWrites = 0, deletes = 0, loads = 0, reopens = 0, skinChanges = 0;
    std::set<int> selectedMinutes;
    bool clockEnabled = true, calendarShown = false, clockShown = true;
    std::string autostartCommand;
    std::vector<std::string> asked; // "title: question"
    bool answerOk = true;
    std::vector<std::string> failures;
    std::string deleteFailure; // the reason the settings file cannot be deleted, if any
    std::function<void()> onLoad;
    ClockSurfaces surfaces;
    FakeTimeSource time;
    FakeScreen screen;
};

// An options window over a clock state that prepare set, opened unless told otherwise, its opening
// sounds counted and forgotten.
struct OptionsRig {
    explicit OptionsRig(const std::function<void(ClockState&)>& prepare = {}, bool open = true)
    {
        if (prepare)
            prepare(state);
        if (open)
            form.Open();
        openingClicks = parts.sounds.Count(ToneUse::Click);
        parts.sounds.played.clear();
    }
    ClockState state;
    RecordingOptionsParts parts;
    Form2 form{state, parts.Parts(), parts};
    int openingClicks = 0;
};

} // namespace dorvane::testing
