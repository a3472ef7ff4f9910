#include "popup/Form3.h"

#include "clock/state/NumberText.h"
#include "clock/tick/AlarmCatchUp.h"
#include "clock/tick/AlarmSchedule.h"
#include "clock/tick/TickTiming.h"

#include <cassert>

namespace dorvane {

Form3::Form3(ClockState& state, PopupLinks links, AlarmPopupView& view, const AlarmPopupRequest& request)
    : state_(state), links_(links), view_(view), slot_(request.slot)
{
    assert(slot_ >= 0 && slot_ < ClockState::kAlarmSlots);
}

void Form3::Close()
{
    if (closed_)
        return;
    closed_ = true;
    AlarmSlot& alarm = Alarm();
    const bool dated = alarm.IsDated();
    if (dated)
        alarm.AlarmActivated = "0";
    alarm.RingCount = SilencedRingCount(state_.AlarmNoOfRings);
    if (state_.OptionsOpen && dated)
        links_.options.ClearActivateAlarm(slot_);
    view_.StopTimer();
    view_.Destroy();
}

void Form3::ResetClicked()
{
    state_.InvisibleClock = 0;
    AlarmSlot& alarm = Alarm();
    alarm.AlarmDate.clear();
    alarm.AlarmHour.clear();
    alarm.AlarmMin.clear();
    alarm.AlarmMessage.clear();
    alarm.AlarmExec.clear();
    alarm.AlarmAMPM = "AM";
    if (state_.OptionsOpen)
        links_.options.ClearAlarmRow(slot_);
    Close();
}

void Form3::SnoozeClicked(const LocalTime& now, std::optional<double> monotonic)
{
    Alarm().RingCount = SilencedRingCount(state_.AlarmNoOfRings);
    view_.Hide();
    snoozeStart_ = monotonic.value_or(ContinuousSeconds(now));
}

void Form3::TimerFired(const LocalTime& now, std::optional<double> monotonic)
{
    if (closed_)
        return;
    const double clock = monotonic.value_or(ContinuousSeconds(now));
    const bool missed = SnoozeMissed(clock, monotonic.has_value());
    lastFired_ = clock;
    // An alarm disarmed elsewhere (the options window, another pop-up, a double click, a launch)
    // takes its pop-up with it, snoozed or not.
    if (ParseNumber(Alarm().AlarmActivated).value_or(1) == 0) {
        Close();
        return;
    }
    if (missed) {
        if (links_.missed)
            links_.missed->ShowMissedAlarms({{slot_, AlarmLabelText(Alarm()), Alarm().AlarmMessage}});
        Close();
        return;
    }
    if (snoozeStart_ && clock > *snoozeStart_ + kSnoozeSeconds) {
        view_.ShowAgain();
        view_.ShowSnoozeLabel();
        snoozeStart_.reset();
        RingSnoozeBurst();
    }
}

bool Form3::SnoozeMissed(double clock, bool monotonic) const
{
    if (!monotonic || !snoozeStart_ || !lastFired_ || clock - *lastFired_ <= kJumpSeconds)
        return false;
    const double lateness = clock - (*snoozeStart_ + kSnoozeSeconds);
    return lateness > 0 && (state_.MissedAlarmGrace <= 0 || lateness > state_.MissedAlarmGrace * 60.0);
}

void Form3::RingSnoozeBurst()
{
    const TickTone ring{ToneUse::AlarmRing, state_.AlarmFreq, kRingMilliseconds, 0, false};
    for (int i = 0; i < kSnoozeRings; ++i) {
        links_.sounds.PlayTone(ring);
        links_.pump.RunPendingMessages();
    }
}

} // namespace dorvane
