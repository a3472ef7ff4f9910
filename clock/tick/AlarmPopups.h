#pragma once

#include <string>
#include <vector>

namespace dorvane {

// What an alarm's pop-up window shows.
struct AlarmPopupRequest {
    int slot = 0;         // the alarm's slot, kept by the pop-up (its Tag)
    std::string caption;  // the window's title
    std::string label;    // the alarm's date and time line
    std::string message;  // the alarm's message

    bool operator==(const AlarmPopupRequest&) const = default;
};

// An alarm that was not rung because it was found too late (the computer slept, a snooze ran out
// while it slept).
struct MissedAlarm {
    int slot = 0;
    std::string label;   // the alarm's date and time line, as its pop-up shows it
    std::string message;

    bool operator==(const MissedAlarm&) const = default;
};

// Opens alarm pop-ups.
class AlarmPopups {
public:
    virtual ~AlarmPopups() = default;
    // Creates a new pop-up window for one alarm, shows it in front of the others and fills it.
    virtual void ShowAlarmPopup(const AlarmPopupRequest& request) = 0;
    // Lists alarms in the one "Missed alarms" pop-up: it opens when it is not open, else the
    // alarms are added to it.
    virtual void ShowMissedAlarms(const std::vector<MissedAlarm>& alarms) = 0;
};

} // namespace dorvane
