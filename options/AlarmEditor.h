#pragma once

#include "clock/state/ClockState.h"
#include "options/OptionsLinks.h"

#include <array>
#include <string>
#include <vector>

namespace dorvane {

// What one alarm row of the options window shows.
struct AlarmRowControls {
    std::string date;    // TextAlarmDate: empty = daily
    bool activate = false; // CheckActivateAlarm
    std::string hour;    // TextAlarmHour
    std::string minute;  // TextAlarmMin
    std::string ampm = "AM"; // LabelAlarmAMPM's caption
    std::string message; // TextAlarmMessage
    std::string exec;    // TextAlarmExec
};

enum class AlarmField { Date, Hour, Minute, Message, Exec };

// The "Alarms && Reminders" area: seven rows, one per alarm slot, and the ring frequency and
// ring count that all alarms share. Every write into a control, by the user or from outside (the
// tick, the pop-up, the calendar), runs that control's change handler when the value changes, as
// typing does; the handlers check and normalise the value and copy it into the slot at once.
// Guarded handlers do nothing while the window is still being filled (not yet visible).
class AlarmEditor {
public:
    static constexpr int kRows = ClockState::kUsedAlarms;
    static constexpr int kRingMilliseconds = 120;
    static constexpr int kPreviewTones = 4;
    static constexpr int kMostRings = 30;

    AlarmEditor(ClockState& state, const Form2Parts& parts, Form2Window& window, const bool& visible);

    const AlarmRowControls& Row(int row) const { return rows_.at(row); }
    const std::string& AlarmFreqText() const { return alarmFreq_; }
    const std::string& RingCountText() const { return ringCount_; }

    void Write(int row, AlarmField field, const std::string& text);
    void WriteActivate(int row, bool checked);
    // The AM/PM label's caption has no handler of its own.
    void WriteAmPmCaption(int row, const std::string& caption);
    void WriteAlarmFreq(const std::string& text);
    void WriteRingCount(const std::string& text);

    void DateClicked(int row);
    void DateDoubleClicked(int row);
    void HourDoubleClicked(int row) { Write(row, AlarmField::Hour, ""); }
    void MinuteDoubleClicked(int row);
    // The focus leaves a minute field: a single digit gets a leading "0"; never refused.
    void MinuteLeft(int row);
    void AmPmClicked(int row);
    void MessageDoubleClicked(int row) { Write(row, AlarmField::Message, ""); }
    void ExecDoubleClicked(int row) { Write(row, AlarmField::Exec, ""); }
    // Files dropped on an execute field, as full paths; empty for a drop that carries none.
    void ExecDropped(int row, const std::vector<std::string>& files);

    // The pop-up's reset: the activate box cleared, the fields emptied and the label back to "AM".
    void ClearRow(int row);
    // Fills every row and the two shared fields from the shared state.
    void ShowSlots();

    void PlayClickTone();

private:
    std::string& Field(int row, AlarmField field);
    void Changed(int row, AlarmField field);
    void HourChanged(int row);
    void MinuteChanged(int row);
    void DateChanged(int row);
    void ActivateClicked(int row);
    void AlarmFreqChanged();
    void RingCountChanged();
    void EmptyHour(int row);
    void SelectMinute(int row);
    void Rearm(int row);

    ClockState& state_;
    const Form2Parts& parts_;
    Form2Window& window_;
    const bool& visible_; // the edit guard
    std::array<AlarmRowControls, kRows> rows_{};
    std::string alarmFreq_;
    std::string ringCount_;
};

} // namespace dorvane
