#pragma once

#include "clock/AlarmPopups.h"

#include <vector>

namespace dorvane::testing {

class RecordingAlarmPopups : public AlarmPopups {
public:
    void ShowAlarmPopup(const AlarmPopupRequest& request) override { shown.push_back(request); }
    std::vector<AlarmPopupRequest> shown;
};

} // namespace dorvane::testing
