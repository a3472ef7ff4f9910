#pragma once

#include "clock/tick/AlarmPopups.h"

#include <windows.h>

#include <vector>

namespace dorvane {

// The "Missed alarms" pop-up: one line per alarm that was found too late to ring, with its time
// and message. One window serves every jump: later missed alarms are added to it while it is
// shown; closing it hides it and empties the list. It comes to the front without taking the
// keyboard.
class MissedAlarmsWindow {
public:
    enum Control : int { LabelMissedAlarms = 301, ListMissedAlarms, ButtonCloseMissed };

    MissedAlarmsWindow();
    ~MissedAlarmsWindow();
    MissedAlarmsWindow(const MissedAlarmsWindow&) = delete;
    MissedAlarmsWindow& operator=(const MissedAlarmsWindow&) = delete;

    // Adds the alarms' lines and shows the window in front.
    void Add(const std::vector<MissedAlarm>& alarms);
    HWND Handle() const { return window_; }
    bool IsShown() const { return ::IsWindowVisible(window_) != FALSE; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Close();

    HWND window_ = nullptr;
    HFONT font_ = nullptr;
};

} // namespace dorvane
