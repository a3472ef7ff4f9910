#pragma once

#include "clock/state/ClockText.h"
#include "platform/LocalTime.h"
#include "platform/Screen.h"
#include "platform/TimeZone.h"

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string_view>

namespace dorvane {

// A suspend of the computer: from the first time the clock shows from (at or after the start) to
// the next time it shows until.
struct SimulatedSleep {
    TimeOfDay from, until;
};

struct SimulationRequest {
    std::filesystem::path settingsPath;
    LocalTime from;
    int64_t seconds = 60;
    std::optional<SimulatedSleep> sleep;
};

// The longest simulation "dorvane simulate" runs: a little over a year.
inline constexpr int64_t kMaxSimulatedSeconds = 400LL * 86400;

// "dorvane simulate": runs the tick once a second from a given local time, with the settings the
// clock would use, and prints one line per sound, launch and pop-up instead of making it. The
// seconds are real ones, shown in the zone's local time as the running clock shows them: where the
// clock moves forward the skipped times never appear, and a repeated hour runs twice. A start in
// skipped time begins just after the jump, with a note on err. The first run is the clock's start
// (alarms due up to MissedAlarmGrace minutes before it ring late). During a sleep there are no runs,
// and lines "sleep" and "resume" mark it. Needs no display.
int RunSimulateCommand(const SimulationRequest& request, const Screen& screen, const TimeZone& zone, std::ostream& out,
                       std::ostream& err);

// "YYYY-MM-DD HH:MM:SS" (the seconds may be left out, and a "T" may stand for the blank).
std::optional<LocalTime> ParseSimulationStart(std::string_view text);
// A whole number of seconds from 1 to kMaxSimulatedSeconds.
std::optional<int64_t> ParseSimulationLength(std::string_view text);
// "HH:MM:SS-HH:MM:SS" (24-hour times, the seconds may be left out); the two times differ.
std::optional<SimulatedSleep> ParseSimulatedSleep(std::string_view text);

} // namespace dorvane
