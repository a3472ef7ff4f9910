// Runs the clock's tick over an alarm table and settings made from the input: the texts of the alarm table come from
// a settings file anyone can edit, so no text may crash the tick or make it ring, launch or pop up more than its
// rules allow.
#include "clock/tick/ClockTick.h"
#include "fuzz/FuzzInput.h"
#include "clock/commands/SimulatedDesktop.h"
#include "platform/NullMessagePump.h"
#include "clock/tick/TickTiming.h"

#include <span>
#include <sstream>

using namespace dorvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    FuzzInput in{data, size};
    ClockState state;
    state.ActivateTick = in.Take<uint8_t>() % 3;
    state.ActivateChime = in.Take<uint8_t>() % 3;
    state.ChimeRingOnce = in.Take<uint8_t>() % 3;
    state.AlarmNoOfRings = in.Take<int16_t>();
    state.Skin = in.Take<uint8_t>() % 2 ? "BRISA" : "<Default>";
    state.SelectChime = in.Take<uint8_t>() % 2 ? "BigBen" : "Tone";
    state.OptionsOpen = in.Take<uint8_t>() % 2;
    for (int slot = 0; slot < ClockState::kUsedAlarms; ++slot) {
        AlarmSlot& alarm = state.Alarms[slot];
        for (std::string* text : {&alarm.AlarmActivated, &alarm.AlarmDate, &alarm.AlarmHour, &alarm.AlarmMin,
                                  &alarm.AlarmAMPM, &alarm.AlarmMessage, &alarm.AlarmExec})
            *text = in.Text();
        alarm.RingCount = in.Take<int16_t>();
    }
    const int day = in.Take<uint8_t>() % 60, second = in.Take<int16_t>() & 0xffff;
    const LocalTime start{{2026, 1 + day / 28, 1 + day % 28}, second / 3600 % 24, second / 60 % 60, second % 60};

    std::ostringstream log;
    SimulatedDesktop desktop(log);
    NullMessagePump noWindows;
    ClockTick tick(state, {desktop, desktop, noWindows, desktop, desktop, desktop, desktop}, 1);
    desktop.Attach(tick);
    for (int i = 0; i < 70; ++i) {
        desktop.SetNow(LocalTimeAt(ContinuousSeconds(start) + i + 0.015));
        tick.UpdateClock();
        Require(tick.ChimeStroke() >= 0 && tick.ChimeStroke() <= 13);
        if (i % 13 == 5)
            tick.SilenceCurrentAlarm();
    }
    for (const AlarmSlot& alarm : std::span(state.Alarms).first(ClockState::kUsedAlarms))
        Require(!(alarm.ExecDone && alarm.IsArmed())); // a launch always disarms
    return 0;
}
