#pragma once

#include "platform/LocalTime.h"

#include <cstdint>
#include <optional>

namespace dorvane {

// The tick measures the spacing of rings and chime strokes on local wall-clock seconds counted
// from 1970-01-01 00:00 local time: unlike seconds since midnight, this count runs on across
// midnight, so a sequence that crosses midnight is spaced like any other.
double ContinuousSeconds(const LocalTime& t);
// The local time at a count of ContinuousSeconds.
LocalTime LocalTimeAt(double continuousSeconds);

// Whole seconds and whole hours on the same count: two times in the same wall-clock second (or
// hour) give the same number.
int64_t SecondIndex(const LocalTime& t);
int64_t HourIndex(const LocalTime& t);

// True when more than gapSeconds have passed from last to now. Nothing before (no last) always
// counts as spaced, and so does a clock that was set back, which would otherwise hold the sound
// back for as long as it was set back.
bool SpacedMoreThan(double now, std::optional<double> last, double gapSeconds);

// How long the one-second timer waits, at now, so that the run after the one at lastRun starts
// just after the next wall-clock second begins: the second hand then moves in step with the
// system clock, and no second is skipped under normal load. 0 when that moment has passed already
// (a run that took longer than its second); never more than one second and the margin, even
// when the clock was set back. Give it the time read when the run has finished.
int MillisecondsUntilNextTick(const LocalTime& lastRun, const LocalTime& now);
// How far past the second boundary runs are aimed, so that a timer firing a little early still
// lands in the new second.
inline constexpr int kTickMarginMilliseconds = 15;

} // namespace dorvane
