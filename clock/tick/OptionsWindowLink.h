#pragma once

#include <string>

namespace dorvane {

// What the tick changes in the options window while it is open.
class OptionsWindowLink {
public:
    virtual ~OptionsWindowLink() = default;
    // The caption of the window's clock line (LabelTime).
    virtual void SetTimeLine(const std::string& text) = 0;
    // The text of alarm row slot's minute field (TextAlarmMin).
    virtual void SetAlarmMinText(int slot, const std::string& text) = 0;
    // Clears alarm row slot's activate box (CheckActivateAlarm).
    virtual void ClearActivateAlarm(int slot) = 0;
    // Clears alarm row slot: its activate box, date, hour, minute, message and program fields,
    // and its AM/PM label back to "AM".
    virtual void ClearAlarmRow(int slot) = 0;
};

} // namespace dorvane
