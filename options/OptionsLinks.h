#pragma once

#include "clock/state/ClockSurfaces.h"
#include "clock/tick/TickSounds.h"
#include "platform/Autostart.h"
#include "platform/MessagePump.h"
#include "platform/Result.h"
#include "platform/Screen.h"
#include "platform/Shell.h"
#include "platform/TimeSource.h"

#include <string>
#include <vector>

namespace dorvane {

// What the options window's logic asks of its window: show the values that changed, and select
// a minute field's two characters so that the next keystroke replaces them.
class Form2Window {
public:
    virtual ~Form2Window() = default;
    virtual void ControlsChanged() = 0;
    virtual void SelectMinuteText(int row) = 0;
    // A question with OK and Cancel under title; true for OK.
    virtual bool AskOkCancel(const std::string& text, const std::string& title) = 0;
    // Tells the user something went wrong, with OK only.
    virtual void TellFailure(const std::string& text, const std::string& title) = 0;
};

// The clock around the options window.
class OptionsHost {
public:
    virtual ~OptionsHost() = default;
    // The clock window takes mouse and keyboard input only while enabled.
    virtual void SetClockEnabled(bool enabled) = 0;
    // Saves the settings file; a failure is the clock's to show.
    virtual Status SaveSettings() = 0;
    // The reset's steps: the settings file deleted (a missing file is no failure), every setting
    // loaded afresh (the defaults, with the default skin), and the options window closed, which
    // saves, and opened again.
    virtual Status DeleteSettingsFile() = 0;
    virtual void LoadSettings() = 0;
    virtual void ReopenOptions() = 0;
};

// The clock window as the "Options" area changes it.
class ClockLook {
public:
    virtual ~ClockLook() = default;
    virtual void HideClock() = 0;
    // Shows the clock window and brings it to the front.
    virtual void ShowClock() = 0;
    // Loads the skin the state names and shows the clock with it at once.
    virtual void ChangeSkin() = 0;
};

// What the skin preview and the sliders need: the clock window's pictures to draw the preview
// from, the time its hands show, and the screen's twips per pixel.
struct AppearanceParts {
    ClockLook& look;
    ClockSurfaces& surfaces;
    TimeSource& time;
    const Screen& screen;
};

// The calendar that fills an alarm's date (DateEditAlarm names the row). Showing creates it when
// needed; closing only hides it.
class CalendarLink {
public:
    virtual ~CalendarLink() = default;
    virtual void ShowCalendar() = 0;
    virtual void CloseCalendar() = 0;
};

// The command that starts this clock again at logon.
struct StartCommand {
    std::string program;                // absolute path of the running program
    std::vector<std::string> arguments; // "--settings" and its file, when one was given
};

// What the about area's two labels open with the desktop's opener.
struct AboutTargets {
    std::string manual;         // the user manual; empty when none is at hand
    std::string settingsFolder; // the folder that holds the settings file
};

struct Form2Parts {
    TickSounds& sounds;
    MessagePump& pump;
    OptionsHost& host;
    CalendarLink& calendar;
    Autostart& autostart;
    Shell& shell;
    StartCommand startCommand;
    AboutTargets about;
    AppearanceParts appearance;
};

} // namespace dorvane
