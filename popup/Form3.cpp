#include "popup/Form3.h"

#include "clock/state/NumberText.h"
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

void Form3::SnoozeClicked(const LocalTime& now)
{
    Alarm().RingCount = SilencedRingCount(state_.AlarmNoOfRings);
    view_.Hide();
    snoozeStart_ = ContinuousSeconds(now);
}

void Form3::TimerFired(const LocalTime& now)
{
    if (closed_)
        return;
    // An alarm disarmed elsewhere (the options window, another pop-up, a double click, a launch)
    // takes its pop-up with it, snoozed or not.
    if (ParseNumber(Alarm().AlarmActivated).value_or(1) == 0) {
        Close();
        return;
    }
    if (snoozeStart_ && ContinuousSeconds(now) > *snoozeStart_ + kSnoozeSeconds) {
        view_.ShowAgain();
        view_.ShowSnoozeLabel();
        snoozeStart_.reset();
        RingSnoozeBurst();
    }
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
