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
    AlarmPopups* missed = nullptr; // where a snooze that ran out long ago is listed; none: nowhere
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
    // later. With a monotonic clock (seconds that count sleep and ignore the clock being set) the
    // snooze is measured on it, else on the wall clock.
    void SnoozeClicked(const LocalTime& now, std::optional<double> monotonic = std::nullopt);
    // The window's one-second timer, fired at now. A snooze that ran out while the computer slept
    // (the timer comes more than kJumpSeconds after the one before, on the monotonic clock) rings
    // only when it is at most MissedAlarmGrace minutes late; else its alarm is listed as missed and
    // the pop-up closes.
    void TimerFired(const LocalTime& now, std::optional<double> monotonic = std::nullopt);
    // Every way the window closes ends here, the window's own close box included. The closing
    // rules run once.
    void Close();

private:
    AlarmSlot& Alarm() { return state_.Alarms[slot_]; }
    void RingSnoozeBurst();
    // Whether the snooze, due at clock after the timer stood still for a while, is too late to ring.
    bool SnoozeMissed(double clock, bool monotonic) const;

    ClockState& state_;
    PopupLinks links_;
    AlarmPopupView& view_;
    int slot_;
    // On the monotonic clock, else on the tick's continuous seconds count, so midnight is no edge.
    std::optional<double> snoozeStart_;
    std::optional<double> lastFired_; // the timer's last firing, on the same clock
    bool closed_ = false;
};

} // namespace dorvane
