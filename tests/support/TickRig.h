#pragma once

#include "clock/state/ClockText.h"
#include "clock/tick/AlarmPopups.h"
#include "clock/tick/ClockTick.h"
#include "clock/tick/ClockWindowLink.h"
#include "clock/tick/OptionsWindowLink.h"
#include "clock/tick/TickSounds.h"
#include "clock/tick/TickTiming.h"
#include "platform/Shell.h"
#include "tests/support/Fakes.h"

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace dorvane::testing {

// Keeps what the tick last wrote into the options window.
struct RecordingOptionsWindow : OptionsWindowLink {
    void SetTimeLine(const std::string& text) override { timeLine = text; }
    void SetAlarmMinText(int slot, const std::string& text) override { alarmMinText[slot] = text; }
    void ClearActivateAlarm(int slot) override { clearedActivate.insert(slot); }
    void ClearAlarmRow(int slot) override { clearedRows.insert(slot); }
    std::string timeLine;
    std::map<int, std::string> alarmMinText;
    std::set<int> clearedActivate, clearedRows;
};

// Records the tick's sounds instead of playing them; onTone runs for each tone as if it were
// being heard (a test can move its clock on there, as a real tone takes time).
struct RecordingTickSounds : TickSounds {
    enum class Route { SoundRule, ToneGenerator, RecordedChime };
    struct Played { Route route; TickTone tone; };
    void PlayTone(const TickTone& tone) override { Record(Route::SoundRule, tone); }
    void PlayGeneratedTone(const TickTone& tone) override { Record(Route::ToneGenerator, tone); }
    void StartRecordedChime() override { played.push_back({Route::RecordedChime, {}}); }

    // The tones played for use, and the recorded chimes started.
    int Count(ToneUse use) const
    {
        return static_cast<int>(std::ranges::count_if(
            played, [&](const Played& p) { return p.route != Route::RecordedChime && p.tone.use == use; }));
    }
    int RecordedChimes() const
    {
        return static_cast<int>(std::ranges::count(played, Route::RecordedChime, &Played::route));
    }

    std::vector<Played> played;
    std::function<void(const TickTone&)> onTone;
    void Record(Route route, const TickTone& tone)
    {
        played.push_back({route, tone});
        if (onTone)
            onTone(tone);
    }
};

// Notes every target it is asked to open; opening succeeds unless the test says otherwise.
struct RecordingShell : Shell {
    bool Open(const std::string& target) override { return opened.push_back(target), succeed; }
    std::vector<std::string> opened;
    bool succeed = true;
};

// The clock window as the tick sees it: Escape is pressed when the test says so, and every call
// is written to a journal.
struct FakeClockWindow : ClockWindowLink {
    bool EscapePressed() override { return std::exchange(escapePressed, false); }
    void MakeVisible() override { journal.push_back("show"); }
    void DrawClock(const LocalTime& time) override { journal.push_back("draw"); drawnAt.push_back(time); }
    void PresentPicture() override { journal.push_back("present"); }
    bool escapePressed = false;
    std::vector<std::string> journal;
    std::vector<LocalTime> drawnAt;
};

struct RecordingAlarmPopups : AlarmPopups {
    void ShowAlarmPopup(const AlarmPopupRequest& request) override { shown.push_back(request); }
    void ShowMissedAlarms(const std::vector<MissedAlarm>& alarms) override { missed.push_back(alarms); }
    std::vector<AlarmPopupRequest> shown;
    std::vector<std::vector<MissedAlarm>> missed; // one entry per "Missed alarms" pop-up request
};

// A clock tick with every link replaced by a fake, and a clock state without alarms, tick or chime.
struct TickRig {
    TickRig() { state.ActivateChime = state.ActivateTick = 0; }

    void RunAt(const LocalTime& now)
    {
        time.Set(now);
        tick.UpdateClock();
    }
    // One run a second for seconds, starting at from; returns, by "hh:mm:ss AM", how many sounds
    // the runs that made any made.
    std::map<std::string, int> RunSeconds(const LocalTime& from, int seconds)
    {
        std::map<std::string, int> sounded;
        for (int i = 0; i < seconds; ++i) {
            const LocalTime t = LocalTimeAt(ContinuousSeconds(from) + i);
            const std::size_t before = sounds.played.size();
            RunAt(t);
            if (sounds.played.size() != before)
                sounded[FormatHourMinuteSecond(t)] += static_cast<int>(sounds.played.size() - before);
        }
        return sounded;
    }
    // An armed daily alarm at "hour:minute ampm", on its own or in slot.
    static AlarmSlot Alarm(const char* hour, const char* minute, const char* ampm)
    {
        AlarmSlot alarm;
        std::tie(alarm.AlarmActivated, alarm.AlarmHour, alarm.AlarmMin, alarm.AlarmAMPM) = std::tuple("1", hour, minute, ampm);
        return alarm;
    }
    AlarmSlot& DailyAlarm(int slot, const char* hour, const char* minute, const char* ampm)
    {
        return state.Alarms[slot] = Alarm(hour, minute, ampm);
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
