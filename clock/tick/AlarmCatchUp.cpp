#include "clock/tick/AlarmCatchUp.h"

#include "clock/tick/AlarmSchedule.h"
#include "clock/tick/TickTiming.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace dorvane {
namespace {

constexpr double kSecondsPerDay = 86400;
constexpr double kLateMatchSeconds = 60; // a late alarm matches for a minute, as it would in its own

double MinuteStart(double seconds) { return std::floor(seconds / 60) * 60; }

// The alarm's time of day in seconds; an armed alarm without minutes counts as ":00", as the tick
// fills them in.
std::optional<double> AlarmSecondsOfDay(AlarmSlot alarm)
{
    if (alarm.AlarmMin.empty())
        alarm.AlarmMin = "00";
    const auto time = AlarmTimeOfDay(alarm);
    if (!time)
        return std::nullopt;
    return time->hour * 3600.0 + time->minute * 60.0;
}

std::optional<double> DatedMoment(const AlarmSlot& alarm)
{
    const auto day = AlarmDay(alarm);
    const auto time = AlarmSecondsOfDay(alarm);
    if (!day || !time)
        return std::nullopt;
    return static_cast<double>(DaysFromCivil(*day)) * kSecondsPerDay + *time;
}

} // namespace

TimeJump DetectJump(const ClockReading& previous, const ClockReading& now)
{
    TimeJump jump{JumpKind::None, ContinuousSeconds(previous.wall), ContinuousSeconds(now.wall), 0};
    if (!previous.monotonic || !now.monotonic)
        return jump;
    const double wallGap = jump.wallTo - jump.wallFrom;
    jump.realSeconds = *now.monotonic - *previous.monotonic;
    if (wallGap < 0)
        jump.kind = JumpKind::Back;
    else if (wallGap > kJumpSeconds || jump.realSeconds > kJumpSeconds)
        jump.kind = JumpKind::Forward;
    return jump;
}

std::optional<double> SkippedAlarmMoment(const AlarmSlot& alarm, double wallFrom, double wallTo)
{
    if (alarm.IsDated()) {
        const auto moment = DatedMoment(alarm);
        if (moment && *moment > std::floor(wallFrom) && *moment <= wallTo)
            return moment;
        return std::nullopt;
    }
    const auto time = AlarmSecondsOfDay(alarm);
    if (!time)
        return std::nullopt;
    const double toMinute = MinuteStart(wallTo);
    double moment = std::floor(toMinute / kSecondsPerDay) * kSecondsPerDay + *time;
    if (moment >= toMinute)
        moment -= kSecondsPerDay;
    if (moment > MinuteStart(wallFrom))
        return moment;
    return std::nullopt;
}

double Lateness(double moment, const TimeJump& jump)
{
    return std::max(0.0, std::min(jump.wallTo - moment, jump.realSeconds));
}

bool AlarmHasWorkLeft(const AlarmSlot& alarm, int16_t alarmNoOfRings)
{
    return alarm.RingCount < alarmNoOfRings || (!alarm.MessageShown && !alarm.AlarmMessage.empty()) ||
           (!alarm.ExecDone && !alarm.AlarmExec.empty());
}

CatchUpDecision AlarmCatchUp::Observe(const ClockReading& now, const ClockState& state)
{
    const bool starting = std::exchange(starting_, false);
    const std::optional<ClockReading> previous = std::exchange(previous_, now);
    if (starting) {
        // The start counts as a jump over the last grace minutes of today (the second before
        // midnight included, so that an alarm at midnight counts).
        const double to = ContinuousSeconds(now.wall);
        const double midnight = static_cast<double>(DaysFromCivil(now.wall.date)) * kSecondsPerDay;
        const double from = std::max(midnight, to - state.MissedAlarmGrace * 60.0) - 1;
        return CatchUp({JumpKind::Forward, from, to, to - from}, state, true);
    }
    if (!previous)
        return {};
    const TimeJump jump = DetectJump(*previous, now);
    if (jump.kind == JumpKind::Back) {
        blocked_ = matched_;
        lateUntil_ = {};
        return {JumpKind::Back, {}, {}, {}};
    }
    if (jump.kind == JumpKind::Forward)
        return CatchUp(jump, state, false);
    return {};
}

CatchUpDecision AlarmCatchUp::CatchUp(const TimeJump& jump, const ClockState& state, bool starting)
{
    CatchUpDecision decision{JumpKind::Forward, {}, {}, {}};
    const double grace = std::max(0, static_cast<int>(state.MissedAlarmGrace)) * 60.0;
    for (int slot = 0; slot < ClockState::kUsedAlarms; ++slot) {
        const AlarmSlot& alarm = state.Alarms[slot];
        if (!alarm.IsArmed() || alarm.AlarmHour.empty())
            continue;
        if (starting && alarm.IsDated()) {
            const auto moment = DatedMoment(alarm);
            if (moment && *moment <= std::floor(jump.wallFrom)) {
                decision.expired.push_back(slot);
                continue;
            }
        }
        const auto moment = SkippedAlarmMoment(alarm, jump.wallFrom, jump.wallTo);
        if (!moment || !AlarmHasWorkLeft(alarm, state.AlarmNoOfRings))
            continue;
        if (grace > 0 && Lateness(*moment, jump) <= grace) {
            lateMoment_[slot] = *moment;
            lateUntil_[slot] = jump.wallTo + kLateMatchSeconds;
            decision.late.push_back(slot);
        } else {
            decision.missed.push_back(slot);
        }
    }
    return decision;
}

bool AlarmCatchUp::DueLate(int slot, const LocalTime& now) const
{
    return lateUntil_[slot] && ContinuousSeconds(now) < *lateUntil_[slot];
}

std::optional<double> AlarmCatchUp::MatchMoment(int slot, const AlarmSlot& alarm, const LocalTime& now) const
{
    if (alarm.IsDated())
        return DatedMoment(alarm);
    const auto time = AlarmSecondsOfDay(alarm);
    if (!time)
        return std::nullopt;
    const double own = static_cast<double>(DaysFromCivil(now.date)) * kSecondsPerDay + *time;
    // A late alarm matches for its skipped time, unless this is its own minute.
    if (DueLate(slot, now) && own != MinuteStart(ContinuousSeconds(now)))
        return lateMoment_[slot];
    return own;
}

bool AlarmCatchUp::MatchedBefore(int slot, const AlarmSlot& alarm, const LocalTime& now) const
{
    return blocked_[slot] && MatchMoment(slot, alarm, now) == blocked_[slot];
}

void AlarmCatchUp::NoteMatch(int slot, const AlarmSlot& alarm, const LocalTime& now)
{
    matched_[slot] = MatchMoment(slot, alarm, now);
}

} // namespace dorvane
