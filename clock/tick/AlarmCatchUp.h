#pragma once

#include "clock/state/ClockState.h"
#include "platform/LocalTime.h"

#include <array>
#include <optional>
#include <vector>

namespace dorvane {

// One reading of the clocks at a run of the tick: the local wall clock and, where there is one, a
// clock that only runs forward and counts sleep (seconds), when the platform has one.
struct ClockReading {
    LocalTime wall;
    std::optional<double> monotonic;
};

// A run that comes more than this after the one before is a jump.
inline constexpr double kJumpSeconds = 5;

enum class JumpKind { None, Forward, Back };

// How time moved between two runs. Wall times are on the tick's ContinuousSeconds count.
struct TimeJump {
    JumpKind kind = JumpKind::None;
    double wallFrom = 0, wallTo = 0;
    double realSeconds = 0; // the time that really passed: the monotonic gap
};

// A jump: the wall clock moved back, or more than kJumpSeconds forward, or the monotonic clock
// moved more than kJumpSeconds (the computer slept while the clock was also set back). A jump
// that is not back is forward. Telling a sleep from a clock being set takes both clocks: without a
// monotonic reading on either side there is no jump, and the tick keeps its plain behaviour.
TimeJump DetectJump(const ClockReading& previous, const ClockReading& now);

// The moment of the alarm's latest time that the runs of a forward jump passed over without
// giving it a run of its own: for a daily alarm a minute strictly between the minutes of from and
// to, for a dated alarm its moment after from and up to to. nullopt when none, or when the alarm's
// texts do not make a time.
std::optional<double> SkippedAlarmMoment(const AlarmSlot& alarm, double wallFrom, double wallTo);

// How late an alarm skipped at moment is at the end of jump: on the wall clock, but never more than
// the time that really passed, so that an alarm the clock jumped over (a clock set forward, the
// hour skipped in spring) is late by no more than that.
double Lateness(double moment, const TimeJump& jump);

// Whether an alarm would still do anything if it matched: ring, launch or pop up.
bool AlarmHasWorkLeft(const AlarmSlot& alarm, int16_t alarmNoOfRings);

// What a run must do about the alarms a jump passed over.
struct CatchUpDecision {
    JumpKind jump = JumpKind::None;
    std::vector<int> late;    // rung now as if they matched: at most the grace late
    std::vector<int> missed;  // not rung but listed; a dated one is disarmed
    std::vector<int> expired; // dated alarms older than a late start: disarmed, not listed
};

// Keeps alarms from being lost to time jumps, and from ringing twice when the clock goes back.
class AlarmCatchUp {
public:
    // The next run is the program's first: the time since local midnight, but no more than the
    // grace, counts as skipped, and dated alarms from before that have expired.
    void ProgramStarting() { starting_ = true; }

    // Called at the start of every run, before the alarms are tested.
    CatchUpDecision Observe(const ClockReading& now, const ClockState& state);

    // Whether slot was found late by the last jump and is still in the minute after it, during
    // which it matches as if it were its own.
    bool DueLate(int slot, const LocalTime& now) const;
    // Whether matching slot at now would match an alarm time a second time: once the clock has
    // gone back over it (set back, or the hour repeated in autumn).
    bool MatchedBefore(int slot, const AlarmSlot& alarm, const LocalTime& now) const;
    // The tick matched slot at now.
    void NoteMatch(int slot, const AlarmSlot& alarm, const LocalTime& now);

private:
    CatchUpDecision CatchUp(const TimeJump& jump, const ClockState& state, bool starting);
    std::optional<double> MatchMoment(int slot, const AlarmSlot& alarm, const LocalTime& now) const;

    std::optional<ClockReading> previous_;
    bool starting_ = false;
    std::array<std::optional<double>, ClockState::kAlarmSlots> lateMoment_{}, lateUntil_{}, matched_{}, blocked_{};
};

} // namespace dorvane
