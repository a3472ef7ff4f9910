// Runs the clock's tick over an alarm table and settings made from the input: the texts of the
// alarm table come from a settings file anyone can edit, so no text may crash the tick or make it
// ring, launch or pop up more than its rules allow.
#include "clock/tick/ClockTick.h"
#include "clock/commands/SimulatedDesktop.h"
#include "platform/NullMessagePump.h"
#include "clock/tick/TickTiming.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

using namespace dorvane;

namespace {

class InputReader {
public:
    InputReader(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    int16_t Int16() { return static_cast<int16_t>(Byte() | (Byte() << 8)); }
    // Up to the next NUL byte.
    std::string Text()
    {
        std::string text;
        while (pos_ < size_ && data_[pos_] != 0)
            text += static_cast<char>(data_[pos_++]);
        ++pos_;
        return text;
    }

private:
    const uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

void FillState(ClockState& state, InputReader& in)
{
    state.ActivateTick = in.Byte() % 3;
    state.ActivateChime = in.Byte() % 3;
    state.ChimeRingOnce = in.Byte() % 3;
    state.AlarmNoOfRings = in.Int16();
    state.Skin = in.Byte() % 2 ? "BRISA" : "<Default>";
    state.SelectChime = in.Byte() % 2 ? "BigBen" : "Tone";
    state.OptionsOpen = in.Byte() % 2;
    for (int slot = 0; slot < ClockState::kUsedAlarms; ++slot) {
        AlarmSlot& alarm = state.Alarms[slot];
        alarm.AlarmActivated = in.Text();
        alarm.AlarmDate = in.Text();
        alarm.AlarmHour = in.Text();
        alarm.AlarmMin = in.Text();
        alarm.AlarmAMPM = in.Text();
        alarm.AlarmMessage = in.Text();
        alarm.AlarmExec = in.Text();
        alarm.RingCount = in.Int16();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    InputReader in(data, size);
    ClockState state;
    FillState(state, in);
    const int day = in.Byte() % 60, second = in.Int16() & 0xffff;
    LocalTime start;
    start.date = {2026, 1 + day / 28, 1 + day % 28};
    start.hour = second / 3600 % 24;
    start.minute = second / 60 % 60;
    start.second = second % 60;

    std::ostringstream log;
    SimulatedDesktop desktop(log);
    NullMessagePump noWindows;
    ClockTick tick(state, {desktop, desktop, noWindows, desktop, desktop, desktop, desktop}, 1);
    desktop.Attach(tick);
    std::vector<int> launches(ClockState::kUsedAlarms);
    for (int i = 0; i < 70; ++i) {
        desktop.SetNow(LocalTimeAt(ContinuousSeconds(start) + i + 0.015));
        tick.UpdateClock();
        if (tick.ChimeStroke() < 0 || tick.ChimeStroke() > 13)
            std::abort();
        if (i % 13 == 5)
            tick.SilenceCurrentAlarm();
    }
    for (int slot = 0; slot < ClockState::kUsedAlarms; ++slot) {
        const AlarmSlot& alarm = state.Alarms[slot];
        if (alarm.ExecDone && alarm.IsArmed())
            std::abort(); // a launch always disarms
    }
    return 0;
}
