#pragma once

#include "clock/state/ClockState.h"
#include "clock/tick/AlarmPopups.h"
#include "clock/tick/OptionsWindowLink.h"
#include "clock/tick/TickSounds.h"
#include "platform/LocalTime.h"
#include "platform/MessagePump.h"
#include "popup/AlarmPopupView.h"

#include <optional>

namespace dorvane {

struct PopupLinks {
    TickSounds& sounds;
    MessagePump& pump;
    OptionsWindowLink& options;
};

// The alarm pop-up: shows one alarm's time and message, and closes, resets or snoozes that alarm.
// One instance per opened alarm; several can be open at once.
class Form3 {
public:
    static constexpr double kSnoozeSeconds = 180;
    static constexpr int kSnoozeRings = 4;
    static constexpr int kRingMilliseconds = 120;

    Form3(ClockState& state, PopupLinks links, AlarmPopupView& view, const AlarmPopupRequest& request);

    int Slot() const { return slot_; }
    bool IsSnoozed() const { return snoozeStart_.has_value(); }
    bool IsClosed() const { return closed_; }

    void CloseClicked() { Close(); }
    void ResetClicked();
    // The snooze clicked at now: the window hides until the timer fires more than kSnoozeSeconds
    // later.
    void SnoozeClicked(const LocalTime& now);
    // The window's one-second timer, fired at now.
    void TimerFired(const LocalTime& now);
    // Every way the window closes ends here, the window's own close box included. The closing
    // rules run once.
    void Close();

private:
    AlarmSlot& Alarm() { return state_.Alarms[slot_]; }
    void RingSnoozeBurst();

    ClockState& state_;
    PopupLinks links_;
    AlarmPopupView& view_;
    int slot_;
    std::optional<double> snoozeStart_; // on the tick's continuous seconds count, so midnight is no edge
    bool closed_ = false;
};

} // namespace dorvane
