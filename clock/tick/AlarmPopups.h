#pragma once

#include <string>

namespace dorvane {

// What an alarm's pop-up window shows.
struct AlarmPopupRequest {
    int slot = 0;         // the alarm's slot, kept by the pop-up (its Tag)
    std::string caption;  // the window's title
    std::string label;    // the alarm's date and time line
    std::string message;  // the alarm's message

    bool operator==(const AlarmPopupRequest&) const = default;
};

// Opens alarm pop-ups.
class AlarmPopups {
public:
    virtual ~AlarmPopups() = default;
    // Creates a new pop-up window for one alarm, shows it in front of the others and fills it.
    virtual void ShowAlarmPopup(const AlarmPopupRequest& request) = 0;
};

} // namespace dorvane
