#pragma once

#include "clock/tick/OptionsWindowLink.h"

#include <map>
#include <set>
#include <string>

namespace dorvane::testing {

class RecordingOptionsWindow : public OptionsWindowLink {
public:
    void SetTimeLine(const std::string& text) override { timeLine = text; }
    void SetAlarmMinText(int slot, const std::string& text) override { alarmMinText[slot] = text; }
    void ClearActivateAlarm(int slot) override { clearedActivate.insert(slot); }
    void ClearAlarmRow(int slot) override { clearedRows.insert(slot); }

    std::string timeLine;
    std::map<int, std::string> alarmMinText;
    std::set<int> clearedActivate;
    std::set<int> clearedRows;
};

} // namespace dorvane::testing
