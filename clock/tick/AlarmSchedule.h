#pragma once

#include "clock/state/AlarmSlot.h"
#include "clock/state/ClockText.h"
#include "platform/LocalTime.h"

#include <cstdint>
#include <optional>
#include <string>

namespace dorvane {

// When an alarm of the alarm table is due.

// The alarm's time of day: AlarmHour ":" AlarmMin " " AlarmAMPM read as a time; nullopt when the
// texts do not make a time.
std::optional<TimeOfDay> AlarmTimeOfDay(const AlarmSlot& slot);

// A dated alarm's day: its DateText without the weekday ("Sun Dec 06, 2026"), or the whole text when
// it has no weekday in front ("Dec 06, 2026", "2026-12-06"); nullopt when it is not a date.
std::optional<CivilDate> AlarmDay(const AlarmSlot& slot);

// Whether the alarm matches at now (whether it is armed is not asked). A daily alarm matches
// during the whole minute of its time; a dated alarm from its moment on, for as long as it stays
// armed. An alarm whose texts cannot be read never matches.
bool AlarmMatches(const AlarmSlot& slot, const LocalTime& now);

// The RingCount that stops an alarm's ringing: one more than AlarmNoOfRings, kept within the
// 16-bit range when AlarmNoOfRings is already at its largest.
int16_t SilencedRingCount(int16_t alarmNoOfRings);

// The line the alarm's pop-up shows: AlarmDate " " AlarmHour ":" AlarmMin " " AlarmAMPM (a daily
// alarm's line starts with the blank).
std::string AlarmLabelText(const AlarmSlot& slot);

} // namespace dorvane
