#pragma once

#include "clock/ClockTick.h"
#include "clock/TickTiming.h"
#include "tests/clock/FakeClockWindow.h"
#include "tests/clock/RecordingAlarmPopups.h"
#include "tests/clock/RecordingOptionsWindow.h"
#include "tests/clock/RecordingTickSounds.h"
#include "tests/platform/FakeMessagePump.h"
#include "tests/platform/FakeTimeSource.h"
#include "tests/platform/RecordingShell.h"

namespace dorvane::testing {

// 2026-12-06, a Sunday, at h:m:s and a few milliseconds, where the clock's timer places its runs.
inline LocalTime At(int hour, int minute, int second, CivilDate date = {2026, 12, 6})
{
    LocalTime t;
    t.date = date;
    t.hour = hour;
    t.minute = minute;
    t.second = second;
    t.fraction = 0.015;
    return t;
}

// A clock tick with every link replaced by a fake, and a clock state without alarms, tick or chime.
struct TickRig {
    TickRig()
    {
        state.ActivateChime = 0;
        state.ActivateTick = 0;
    }

    // One run at the given time.
    void RunAt(const LocalTime& now)
    {
        time.Set(now);
        tick.UpdateClock();
    }
    // One run a second for seconds, starting at from.
    void RunSeconds(const LocalTime& from, int seconds)
    {
        for (int i = 0; i < seconds; ++i)
            RunAt(LocalTimeAt(ContinuousSeconds(from) + i));
    }
    // A daily alarm in slot at "hour:minute ampm".
    AlarmSlot& DailyAlarm(int slot, const char* hour, const char* minute, const char* ampm)
    {
        AlarmSlot& alarm = state.Alarms[slot];
        alarm.AlarmActivated = "1";
        alarm.AlarmHour = hour;
        alarm.AlarmMin = minute;
        alarm.AlarmAMPM = ampm;
        return alarm;
    }

    ClockState state;
    FakeTimeSource time;
    RecordingTickSounds sounds;
    FakeMessagePump pump;
    RecordingShell shell;
    FakeClockWindow window;
    RecordingAlarmPopups popups;
    RecordingOptionsWindow options;
    ClockTick tick{state, {time, sounds, pump, shell, window, popups, options}, 1234};
};

} // namespace dorvane::testing
