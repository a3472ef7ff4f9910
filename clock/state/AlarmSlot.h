#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace dorvane {

// One alarm of the alarm table. The first seven members are kept as the texts the settings file
// holds; an empty text means "not set".
struct AlarmSlot {
    std::string AlarmActivated = "0"; // armed when it reads as the number 1
    std::string AlarmDate;            // blanks only = daily alarm, else "ddd mmm dd, yyyy"
    std::string AlarmHour;            // hour on the 12-hour dial, "" = alarm not set
    std::string AlarmMin = "00";
    std::string AlarmAMPM = "AM";
    std::string AlarmMessage;         // pop-up text, "" = no pop-up
    std::string AlarmExec;            // program, document or address to open, "" = none

    // Run-time only, never saved.
    bool MessageShown = false;
    bool ExecDone = false;
    int16_t RingCount = 0;

    bool IsArmed() const;
    // The date without the blanks around it; empty for a daily alarm.
    std::string_view DateText() const;
    // Whether the alarm rings on one date only: its date is more than blanks.
    bool IsDated() const { return !DateText().empty(); }
};

} // namespace dorvane
