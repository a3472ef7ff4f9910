#pragma once

#include "clock/state/ClockState.h"
#include "clock/tick/AlarmCatchUp.h"
#include "clock/tick/AlarmPopups.h"
#include "clock/tick/ClockWindowLink.h"
#include "clock/tick/OptionsWindowLink.h"
#include "clock/tick/TickSounds.h"
#include "platform/LocalTime.h"
#include "platform/MessagePump.h"
#include "platform/Shell.h"
#include "platform/TimeSource.h"

#include <cstdint>
#include <optional>
#include <random>

namespace dorvane {

// Everything the tick reaches outside the clock state.
struct TickLinks {
    TimeSource& time;
    TickSounds& sounds;
    MessagePump& pump;
    Shell& shell;
    ClockWindowLink& window;
    AlarmPopups& popups;
    OptionsWindowLink& options;
};

// The clock's once-a-second work: draws the clock, sounds the seconds tick, rings, launches and
// pops up the alarms, refreshes the options window's clock line, strikes the hourly chime and
// shows the new picture.
class ClockTick {
public:
    ClockTick(ClockState& state, TickLinks links, uint32_t randomSeed = std::random_device{}());

    // One run at the time the time source gives now. A call made while a run is in progress (from
    // a handler that runs while the tick lets pending messages run) starts no nested run; the run
    // is made once it is over, if the second has changed by then. A second call within the
    // same wall-clock second does nothing (a timer that fired early).
    void UpdateClock();

    // The double click on the clock: stops the ringing of the alarm that matched last, and
    // disarms it when it is a dated alarm. Does nothing before any alarm has matched.
    void SilenceCurrentAlarm();

    // The next run is the program's first: alarms due at most MissedAlarmGrace minutes before it,
    // today, ring late; older dated alarms are disarmed without ringing.
    void ProgramStarting() { catchUp_.ProgramStarting(); }

    // The slot of the alarm that matched last.
    std::optional<int> CurrentAlarm() const { return currentAlarm_; }
    // The hourly chime: 0 when idle, else the number of the stroke that is due next.
    int ChimeStroke() const { return chimeStroke_; }
    // When the last run took place; nullopt before the first.
    std::optional<LocalTime> LastRun() const { return lastRun_; }

private:
    void RunUnlessThisSecondHadOne();
    void Run(const LocalTime& now, std::optional<double> monotonic);
    // Rings late alarms, lists and disarms missed ones, and stops a chime that time jumped over.
    void CatchUp(const CatchUpDecision& decision);
    void DisarmMissed(int slot);
    void SoundSecondsTick(const LocalTime& now);
    void SoundBrisaTick(const LocalTime& now);
    // True when the slot is not armed or its alarm matched at now; false for an armed alarm that
    // is not set or not due. The run lets pending messages run after each slot that gives true.
    bool CheckAlarm(int slot, const LocalTime& now);
    void RingAlarm(AlarmSlot& slot, double now);
    void LaunchAlarm(int slot);
    void ShowAlarmPopup(int slot);
    void RunChime(const LocalTime& now, const std::optional<LocalTime>& previousRun);
    void StrikeChime(const LocalTime& now);

    ClockState& state_;
    TickLinks links_;
    std::minstd_rand random_;
    AlarmCatchUp catchUp_;

    std::optional<int> currentAlarm_;
    std::optional<double> lastRing_;   // on the ContinuousSeconds count
    int chimeStroke_ = 0;
    std::optional<double> lastStroke_; // on the ContinuousSeconds count
    std::optional<LocalTime> lastRun_;
    bool running_ = false;
    bool runMissedWhileRunning_ = false;
};

// The frequency of a BRISA tick for a random number in [0, 1): 2000 to 7000 Hz.
int BrisaTickFrequency(double unitRandom);

// Whether the hourly chime starts at the run at now: in second 0 of minute 0, or at the first run
// of a new hour when that second had no run (a late timer), as long as it is still minute 0.
bool ChimeStartsAt(const LocalTime& now, const std::optional<LocalTime>& previousRun);

// The "options window" clock line: " " Long Date " " hh:mm:ss ampm " ".
std::string OptionsTimeLine(const LocalTime& now);

} // namespace dorvane
