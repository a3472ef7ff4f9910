#pragma once

#include "clock/tick/AlarmPopups.h"
#include "clock/tick/ClockTick.h"
#include "clock/tick/ClockWindowLink.h"
#include "clock/tick/OptionsWindowLink.h"
#include "clock/tick/TickSounds.h"
#include "platform/Shell.h"
#include "platform/TimeSource.h"

#include <iosfwd>
#include <optional>
#include <string>

namespace dorvane {

// The world the tick sees in "dorvane simulate": a clock that shows whatever time the simulation
// sets, and in place of the sound device, the desktop and the windows, one printed line per
// event, stamped with the simulated time ("2026-12-06 07:05:00 tone 2000Hz 120ms"). Having no
// windows, it goes with a NullMessagePump.
class SimulatedDesktop : public TimeSource,
                         public TickSounds,
                         public Shell,
                         public AlarmPopups,
                         public ClockWindowLink,
                         public OptionsWindowLink {
public:
    explicit SimulatedDesktop(std::ostream& out) : out_(out) {}

    // The time shown, and the seconds the computer has been running (asleep or not).
    void SetNow(const LocalTime& now, std::optional<double> monotonic = std::nullopt)
    {
        now_ = now;
        monotonic_ = monotonic;
    }
    // A line of its own: "sleep", "resume".
    void Note(const std::string& event);
    // The tick whose chime strokes are numbered in the lines.
    void Attach(const ClockTick& tick) { tick_ = &tick; }

    LocalTime Now() override { return now_; }
    std::optional<double> MonotonicSeconds() override { return monotonic_; }

    void PlayTone(const TickTone& tone) override;
    void PlayGeneratedTone(const TickTone& tone) override;
    void StartRecordedChime() override;

    bool Open(const std::string& target) override;
    void ShowAlarmPopup(const AlarmPopupRequest& request) override;
    void ShowMissedAlarms(const std::vector<MissedAlarm>& alarms) override;

    bool EscapePressed() override { return false; }
    void MakeVisible() override {}
    void DrawClock(const LocalTime&) override {}
    void PresentPicture() override {}

    void SetTimeLine(const std::string&) override {}
    void SetAlarmMinText(int, const std::string&) override {}
    void ClearActivateAlarm(int) override {}
    void ClearAlarmRow(int) override {}

private:
    std::ostream& Line();
    std::string StrokeName() const;

    std::ostream& out_;
    LocalTime now_;
    std::optional<double> monotonic_;
    const ClockTick* tick_ = nullptr;
};

// A text in double quotes, with quotes, backslashes and control characters escaped so that the
// line stays one line.
std::string Quoted(const std::string& text);

} // namespace dorvane
