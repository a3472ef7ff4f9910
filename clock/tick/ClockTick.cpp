#include "clock/tick/ClockTick.h"

#include "clock/state/ClockText.h"
#include "clock/tick/AlarmSchedule.h"
#include "clock/tick/TickTiming.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace dorvane {
namespace {

constexpr double kRingSpacingSeconds = 0.52;
constexpr double kStrokeSpacingSeconds = 1.5;
constexpr int kAlarmRingTones = 4;
constexpr const char* kPopupCaption = "Dorvane ";

constexpr TickTone kBrisaMinuteMark{ToneUse::BrisaMinuteMark, 500, 100, 4, true};

} // namespace

int BrisaTickFrequency(double unitRandom)
{
    return std::clamp(static_cast<int>(unitRandom * 5001 + 2000), 2000, 7000);
}

bool ChimeStartsAt(const LocalTime& now, const std::optional<LocalTime>& previousRun)
{
    if (now.minute != 0)
        return false;
    return now.second == 0 || (previousRun && HourIndex(*previousRun) < HourIndex(now));
}

std::string OptionsTimeLine(const LocalTime& now)
{
    return " " + FormatLongDate(now.date) + " " + FormatHourMinuteSecond(now) + " ";
}

ClockTick::ClockTick(ClockState& state, TickLinks links, uint32_t randomSeed)
    : state_(state), links_(links), random_(randomSeed)
{
}

void ClockTick::UpdateClock()
{
    if (running_) {
        runMissedWhileRunning_ = true;
        return;
    }
    running_ = true;
    runMissedWhileRunning_ = false;
    RunUnlessThisSecondHadOne();
    // One more run for a timer message that came while the run was in progress. Only one: when
    // every run outlasts its second (very long tones), the timer's next message brings the next.
    if (runMissedWhileRunning_)
        RunUnlessThisSecondHadOne();
    running_ = false;
}

void ClockTick::RunUnlessThisSecondHadOne()
{
    const LocalTime now = links_.time.Now();
    if (!lastRun_ || SecondIndex(*lastRun_) != SecondIndex(now))
        Run(now, links_.time.MonotonicSeconds());
}

// Every step of a run uses the time taken at its start, so that the tones played on the way (a
// ring of four tones takes half a second) do not shift the spacing of rings and strokes.
void ClockTick::Run(const LocalTime& now, std::optional<double> monotonic)
{
    const std::optional<LocalTime> previousRun = lastRun_;
    lastRun_ = now;
    const CatchUpDecision decision = catchUp_.Observe({now, monotonic}, state_);
    CatchUp(decision);

    if (links_.window.EscapePressed())
        links_.window.MakeVisible();
    links_.window.DrawClock(now);
    SoundSecondsTick(now);
    for (int slot = 0; slot < ClockState::kUsedAlarms; ++slot) {
        if (CheckAlarm(slot, now))
            links_.pump.RunPendingMessages();
    }
    if (state_.OptionsOpen)
        links_.options.SetTimeLine(OptionsTimeLine(now));
    // A run after a forward jump strikes only the hour it lands on at its first second: an hour
    // the jump passed over is not made up for, as a late timer's would be.
    RunChime(now, decision.jump == JumpKind::Forward ? std::nullopt : previousRun);
    links_.window.PresentPicture();
}

// Late alarms need nothing here: they match in the runs to come. Rings and strokes are never
// replayed for skipped time, so a chime that was striking stops.
void ClockTick::CatchUp(const CatchUpDecision& decision)
{
    if (decision.jump != JumpKind::None)
        chimeStroke_ = 0;
    for (const int slot : decision.expired)
        DisarmMissed(slot);
    if (decision.missed.empty())
        return;
    std::vector<MissedAlarm> missed;
    for (const int slot : decision.missed) {
        const AlarmSlot& alarm = state_.Alarms[slot];
        missed.push_back({slot, AlarmLabelText(alarm), alarm.AlarmMessage});
        if (alarm.IsDated())
            DisarmMissed(slot);
    }
    links_.popups.ShowMissedAlarms(missed);
}

// As closing its pop-up would: a dated alarm is disarmed and silenced.
void ClockTick::DisarmMissed(int slotIndex)
{
    AlarmSlot& slot = state_.Alarms[slotIndex];
    slot.AlarmActivated = "0";
    slot.RingCount = SilencedRingCount(state_.AlarmNoOfRings);
    if (state_.OptionsOpen)
        links_.options.ClearActivateAlarm(slotIndex);
}

void ClockTick::SoundSecondsTick(const LocalTime& now)
{
    if (state_.ActivateTick != 1)
        return;
    if (state_.Skin == "BRISA") {
        SoundBrisaTick(now);
        return;
    }
    const TickTone tick{ToneUse::SecondsTick, state_.TickFreq, state_.TickDur, 0, true};
    links_.sounds.PlayTone(tick);
    if (now.second == 1)
        links_.sounds.PlayTone(tick);
}

void ClockTick::SoundBrisaTick(const LocalTime& now)
{
    const TickTone tick{ToneUse::BrisaTick, BrisaTickFrequency(std::generate_canonical<double, 32>(random_)), 100, 4, true};
    links_.sounds.PlayGeneratedTone(tick);
    if (now.second == 16 || now.second == 31 || now.second == 46)
        links_.sounds.PlayGeneratedTone(tick);
    if (now.second == 1) {
        links_.sounds.PlayGeneratedTone(kBrisaMinuteMark);
        links_.sounds.PlayGeneratedTone(kBrisaMinuteMark);
    }
}

bool ClockTick::CheckAlarm(int slotIndex, const LocalTime& now)
{
    AlarmSlot& slot = state_.Alarms[slotIndex];
    if (!slot.IsArmed())
        return true;
    if (slot.AlarmHour.empty())
        return false;
    if (slot.AlarmMin.empty()) {
        slot.AlarmMin = "00";
        if (state_.OptionsOpen)
            links_.options.SetAlarmMinText(slotIndex, slot.AlarmMin);
    }
    if (!(AlarmMatches(slot, now) || catchUp_.DueLate(slotIndex, now)) || catchUp_.MatchedBefore(slotIndex, slot, now))
        return false;

    currentAlarm_ = slotIndex;
    catchUp_.NoteMatch(slotIndex, slot, now);
    const double seconds = ContinuousSeconds(now);
    if (slot.RingCount < state_.AlarmNoOfRings && SpacedMoreThan(seconds, lastRing_, kRingSpacingSeconds))
        RingAlarm(slot, seconds);
    if (!slot.ExecDone && !slot.AlarmExec.empty())
        LaunchAlarm(slotIndex);
    if (!slot.MessageShown && !slot.AlarmMessage.empty())
        ShowAlarmPopup(slotIndex);
    return true;
}

void ClockTick::RingAlarm(AlarmSlot& slot, double now)
{
    const TickTone ring{ToneUse::AlarmRing, state_.AlarmFreq, 120, 0, false};
    for (int i = 0; i < kAlarmRingTones; ++i)
        links_.sounds.PlayTone(ring);
    // Handlers that ran during the tones may have changed the count; it stays within its range.
    if (slot.RingCount < std::numeric_limits<int16_t>::max())
        ++slot.RingCount;
    lastRing_ = now;
}

void ClockTick::LaunchAlarm(int slotIndex)
{
    AlarmSlot& slot = state_.Alarms[slotIndex];
    // A program or document that cannot be opened disarms the alarm all the same.
    links_.shell.Open(slot.AlarmExec);
    slot.RingCount = SilencedRingCount(state_.AlarmNoOfRings);
    slot.ExecDone = true;
    slot.AlarmActivated = "0";
    if (state_.OptionsOpen)
        links_.options.ClearActivateAlarm(slotIndex);
}

void ClockTick::ShowAlarmPopup(int slotIndex)
{
    AlarmSlot& slot = state_.Alarms[slotIndex];
    links_.popups.ShowAlarmPopup({slotIndex, kPopupCaption, AlarmLabelText(slot), slot.AlarmMessage});
    slot.MessageShown = true;
}

void ClockTick::RunChime(const LocalTime& now, const std::optional<LocalTime>& previousRun)
{
    if (state_.ActivateChime == 1 && chimeStroke_ == 0 && ChimeStartsAt(now, previousRun)) {
        chimeStroke_ = 1;
        lastStroke_.reset(); // the first stroke falls in this same run
    }
    if (chimeStroke_ != 0 && SpacedMoreThan(ContinuousSeconds(now), lastStroke_, kStrokeSpacingSeconds))
        StrikeChime(now);
}

void ClockTick::StrikeChime(const LocalTime& now)
{
    if (state_.SelectChime == "BigBen")
        links_.sounds.StartRecordedChime();
    else
        links_.sounds.PlayTone({ToneUse::ChimeStroke, state_.ChimeFreq, 500, 0, false});
    ++chimeStroke_;
    lastStroke_ = ContinuousSeconds(now);
    if (state_.ChimeRingOnce == 1 || Hour12(now.hour) < chimeStroke_)
        chimeStroke_ = 0;
}

void ClockTick::SilenceCurrentAlarm()
{
    if (!currentAlarm_)
        return;
    AlarmSlot& slot = state_.Alarms[*currentAlarm_];
    slot.RingCount = SilencedRingCount(state_.AlarmNoOfRings);
    if (slot.IsDated())
        slot.AlarmActivated = "0";
}

} // namespace dorvane
