#include "clock/commands/SimulateCommand.h"

#include "clock/commands/SimulatedDesktop.h"
#include "clock/settings/SettingsFile.h"
#include "clock/settings/WindowlessHost.h"
#include "clock/state/ClockText.h"
#include "clock/tick/ClockTick.h"
#include "clock/tick/TickTiming.h"
#include "platform/NullMessagePump.h"

#include <charconv>
#include <ostream>

namespace dorvane {
namespace {

// Runs are placed just after each second begins, where the clock's timer puts them.
constexpr double kRunOffsetSeconds = kTickMarginMilliseconds / 1000.0;

} // namespace

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

int RunSimulateCommand(const SimulationRequest& request, const Screen& screen, std::ostream& out, std::ostream& err)
{
    ClockState state;
    WindowlessHost host(state, screen);
    SettingsFile file(request.settingsPath, state, host, screen, err);
    file.LoadSettings();

    SimulatedDesktop desktop(out);
    NullMessagePump noWindows;
    ClockTick tick(state, {desktop, desktop, noWindows, desktop, desktop, desktop, desktop});
    desktop.Attach(tick);
    const double start = ContinuousSeconds(request.from);
    for (int64_t second = 0; second < request.seconds; ++second) {
        desktop.SetNow(LocalTimeAt(start + static_cast<double>(second) + kRunOffsetSeconds));
        tick.UpdateClock();
    }
    out.flush();
    return out ? 0 : 1;
}

} // namespace dorvane
