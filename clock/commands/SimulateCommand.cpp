#include "clock/commands/SimulateCommand.h"

#include "clock/commands/SimulatedDesktop.h"
#include "clock/settings/SettingsFile.h"
#include "clock/settings/WindowlessHost.h"
#include "clock/state/ClockText.h"
#include "clock/tick/ClockTick.h"
#include "clock/tick/TickTiming.h"
#include "platform/NullMessagePump.h"

#include <charconv>
#include <tuple>
#include <ostream>

namespace dorvane {
namespace {

// Runs are placed just after each second begins, where the clock's timer puts them.
constexpr double kRunOffsetSeconds = kTickMarginMilliseconds / 1000.0;
constexpr int64_t kSecondsPerDay = 86400;

// A local time as a count of seconds, the way the zone's local times are compared.
int64_t WallSeconds(const LocalTime& t) { return static_cast<int64_t>(ContinuousSeconds(t)); }

// Where the simulation starts: the first moment the clock shows the local time asked for (the
// earlier pass of a repeated hour), or, when that time is skipped as the clock moves forward, the
// first moment after the jump.
struct SimulationStart {
    int64_t moment;
    bool shown; // false: the time asked for is skipped
};

SimulationStart StartOf(const TimeZone& zone, const LocalTime& wall)
{
    const int64_t wanted = WallSeconds(wall);
    const auto shown = [&](int64_t moment) { return WallSeconds(zone.LocalAt(moment)); };
    // The zone's offsets a day before, at and a day after give every moment that can show the time.
    std::optional<int64_t> first;
    for (const int64_t probe : {wanted - kSecondsPerDay, wanted, wanted + kSecondsPerDay}) {
        const int64_t moment = wanted - (shown(probe) - probe);
        if (shown(moment) == wanted && (!first || moment < *first))
            first = moment;
    }
    if (first)
        return {*first, true};
    // Skipped: between a moment surely before (offsets lie within -12 and +14 hours) and one surely
    // after, the clock passes the time only by jumping over it.
    int64_t before = wanted - kSecondsPerDay, after = wanted + kSecondsPerDay;
    while (after - before > 1) {
        const int64_t middle = before + (after - before) / 2;
        (shown(middle) < wanted ? before : after) = middle;
    }
    return {after, false};
}

// The local time at each simulated moment. The zone is asked once a minute: its offset changes only
// at a whole minute.
class SimulatedClock {
public:
    explicit SimulatedClock(const TimeZone& zone) : zone_(zone) {}

    LocalTime At(int64_t moment)
    {
        if (!asked_ || moment % 60 == 0 || moment != last_ + 1)
            offset_ = WallSeconds(zone_.LocalAt(moment)) - moment;
        asked_ = true;
        last_ = moment;
        return LocalTimeAt(static_cast<double>(moment + offset_) + kRunOffsetSeconds);
    }

private:
    const TimeZone& zone_;
    bool asked_ = false;
    int64_t offset_ = 0, last_ = 0;
};

// The moments the simulated computer sleeps: [first, end).
struct SleepMoments {
    int64_t first, end;
};

// The first moment at or after after at which the clock shows time of day; skipped times count
// from just after their jump.
int64_t NextShowing(const TimeZone& zone, int64_t after, const TimeOfDay& time)
{
    LocalTime wall = zone.LocalAt(after);
    std::tie(wall.hour, wall.minute, wall.second) = std::tuple(time.hour, time.minute, time.second);
    for (int day = 0;; ++day) {
        const int64_t moment = StartOf(zone, LocalTimeAt(ContinuousSeconds(wall) + day * kSecondsPerDay)).moment;
        if (moment >= after)
            return moment;
    }
}

SleepMoments SleepOf(const TimeZone& zone, int64_t start, const SimulatedSleep& sleep)
{
    const int64_t first = NextShowing(zone, start, sleep.from);
    return {first, NextShowing(zone, first + 1, sleep.until)};
}

} // namespace

std::optional<SimulatedSleep> ParseSimulatedSleep(std::string_view text)
{
    const auto dash = text.find('-');
    if (dash == std::string_view::npos || text.find_first_not_of("0123456789:-") != std::string_view::npos)
        return std::nullopt;
    const auto from = ParseTimeOfDay(text.substr(0, dash));
    const auto until = ParseTimeOfDay(text.substr(dash + 1));
    if (!from || !until || *from == *until)
        return std::nullopt;
    return SimulatedSleep{*from, *until};
}

std::optional<LocalTime> ParseSimulationStart(std::string_view text)
{
    const auto split = text.find_first_of(" T");
    if (split == std::string_view::npos)
        return std::nullopt;
    const auto date = ParseDate(text.substr(0, split));
    const std::string_view timeText = text.substr(split + 1);
    const auto time = ParseTimeOfDay(timeText);
    if (!date || !time || timeText.find_first_not_of("0123456789: ") != std::string_view::npos)
        return std::nullopt;
    LocalTime start;
    start.date = *date;
    start.hour = time->hour;
    start.minute = time->minute;
    start.second = time->second;
    return start;
}

std::optional<int64_t> ParseSimulationLength(std::string_view text)
{
    int64_t seconds = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    if (error != std::errc() || end != text.data() + text.size() || seconds < 1 || seconds > kMaxSimulatedSeconds)
        return std::nullopt;
    return seconds;
}

int RunSimulateCommand(const SimulationRequest& request, const Screen& screen, const TimeZone& zone, std::ostream& out,
                       std::ostream& err)
{
    ClockState state;
    WindowlessHost host(state, screen);
    SettingsFile file(request.settingsPath, state, host, screen, err);
    file.LoadSettings();

    SimulatedDesktop desktop(out);
    NullMessagePump noWindows;
    ClockTick tick(state, {desktop, desktop, noWindows, desktop, desktop, desktop, desktop});
    desktop.Attach(tick);
    const SimulationStart start = StartOf(zone, request.from);
    SimulatedClock clock(zone);
    if (!start.shown)
        err << "dorvane: " << FormatTimestamp(request.from) << " is skipped here as the clock moves forward; "
            << "starting at " << FormatTimestamp(clock.At(start.moment)) << "\n";
    std::optional<SleepMoments> asleep;
    if (request.sleep)
        asleep = SleepOf(zone, start.moment, *request.sleep);
    tick.ProgramStarting();
    for (int64_t second = 0; second < request.seconds; ++second) {
        const int64_t moment = start.moment + second;
        // The monotonic clock is the real seconds, which run on while the computer sleeps.
        desktop.SetNow(clock.At(moment), static_cast<double>(moment));
        if (asleep && moment == asleep->first)
            desktop.Note("sleep");
        if (asleep && moment >= asleep->first && moment < asleep->end)
            continue;
        if (asleep && moment == asleep->end)
            desktop.Note("resume");
        tick.UpdateClock();
    }
    out.flush();
    return out ? 0 : 1;
}

} // namespace dorvane
