#pragma once

#include "clock/state/AlarmSlot.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace dorvane {

// Every setting, the alarm table and the other values that the clock's windows share. One instance
// lives for the whole process (SharedClockState); the windows read and write it directly.
struct ClockState {
    static constexpr int kAlarmSlots = 8; // slots 0..6 are used; slot 7 exists and stays empty
    static constexpr int kUsedAlarms = 7;

    // Settings, with the values they take when the settings file does not give them.
    std::string Skin = "<Default>";
    int32_t X = 0;
    int32_t Y = 0;
    bool Unmovable = false;
    bool AlwaysOnTop = false;
    uint8_t Alpha = 179;
    bool HighQuality = true;
    int16_t RunAtStartup = 0;
    int16_t ShowSeconds = 1;
    int16_t InvisibleClock = 0;
    int16_t ActivateTick = 0;
    int16_t TickFreq = 7000;
    int16_t TickDur = 50;
    int16_t ActivateChime = 1;
    std::string SelectChime = "BigBen";
    int16_t ChimeFreq = 500;
    int16_t ChimeRingOnce = 0;
    int16_t AlarmFreq = 2000;
    int16_t AlarmNoOfRings = 4;
    int16_t ComputerSpeaker = 0;
    int16_t FreqVol = 16250;
    int16_t ShowBorder = 0;
    // Minutes an alarm may be late, after the computer slept or the program started late, and
    // still ring; 0 rings none late.
    int16_t MissedAlarmGrace = 10;

    std::array<AlarmSlot, kAlarmSlots> Alarms{};

    // Run-time values.
    bool OptionsOpen = false;
    std::vector<uint8_t> ChimeWave;
    int16_t DateEditAlarm = 0;
};

// The process-wide clock state.
ClockState& SharedClockState();

} // namespace dorvane
