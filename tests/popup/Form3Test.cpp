#include "popup/Form3.h"
#include "clock/tick/AlarmSchedule.h"
#include "clock/tick/TickTiming.h"
#include "tests/support/TickRig.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace dorvane {
namespace {

using namespace dorvane::testing;

class RecordingPopupView : public AlarmPopupView {
public:
    void ShowAgain() override { events.push_back("show"); visible = true; }
    void Hide() override { events.push_back("hide"); visible = false; }
    void ShowSnoozeLabel() override { events.push_back("snooze label"); }
    void StopTimer() override { events.push_back("stop timer"); }
    void Destroy() override { events.push_back("destroy"); }
    std::vector<std::string> events;
    bool visible = true;
};

// Seconds into the fixed day, or a day later.
LocalTime OnDay(int day, int hour, int minute, double second) { return testing::At(hour, minute, second, {2026, 12, day}); }

class Form3Test : public ::testing::Test {
protected:
    Form3Test()
    {
        state.AlarmNoOfRings = 4;
        state.AlarmFreq = 2000;
        ArmDaily(0);
    }
    // A daily alarm at 7:05 with a message.
    void ArmDaily(int slot)
    {
        AlarmSlot& alarm = state.Alarms[slot];
        std::tie(alarm.AlarmActivated, alarm.AlarmHour, alarm.AlarmMin, alarm.AlarmMessage) = std::tuple("1", "7", "05", "Wake up");
    }

    Form3& Open(int slot, RecordingPopupView& view, AlarmPopups* missed = nullptr)
    {
        popups.push_back(std::make_unique<Form3>(state, PopupLinks{sounds, pump, options, missed}, view,
                                                 AlarmPopupRequest{slot, "Dorvane ", "", "Wake up"}));
        return *popups.back();
    }

    ClockState state;
    RecordingTickSounds sounds;
    FakeMessagePump pump;
    RecordingOptionsWindow options;
    std::vector<std::unique_ptr<Form3>> popups;
};

// One rule for the tick and the pop-up: a date of blanks only is no date, a date with blanks around
// it is that date. Closing disarms only a dated alarm; Reset empties the row first (so that the
// closing after it leaves the alarm armed) and shows the clock.
TEST_F(Form3Test, ADateOfBlanksIsDailyForTheTickClosingDisarmsOnlyADatedAlarmAndResetEmptiesTheRow)
{
    const struct { const char* date; bool reset, dated; } cases[] = {{"", false, false}, {"   ", false, false},
                   {" \t", false, false}, {"Sun Dec 06, 2026", false, true},
                 {"  Sun Dec 06, 2026 ", false, true}, {"Sun Dec 06, 2026", true, true}};
    for (const auto& c : cases) {
        for (bool optionsOpen : {false, true}) {
            SCOPED_TRACE(std::string("\"") + c.date + "\" options " + (optionsOpen ? "open" : "closed") + (c.reset ? ", reset" : ""));
            AlarmSlot& alarm = state.Alarms[0];
            std::tie(alarm.AlarmDate, alarm.AlarmAMPM, alarm.AlarmExec, alarm.RingCount) = std::tuple(c.date, "PM", "/bin/true", 1);
            EXPECT_EQ(AlarmMatches(alarm, OnDay(5, 19, 5, 30)), !c.dated) << "a daily alarm rings on any day";
            EXPECT_EQ(AlarmMatches(alarm, OnDay(7, 9, 0, 0)), c.dated) << "a dated alarm rings from its moment on";

            std::tie(state.OptionsOpen, state.InvisibleClock) = std::tuple(optionsOpen, 1);
            options = {};
            RecordingPopupView view;
            Form3& popup = Open(0, view);
            c.reset ? popup.ResetClicked() : popup.CloseClicked();
            popup.Close(); // the window's own close event after the button: the rules run once
            const bool disarmed = c.dated && !c.reset;
            EXPECT_EQ(std::tuple(alarm.AlarmActivated, alarm.RingCount, options.clearedActivate.count(0) == 1,
                      options.clearedRows.count(0) == 1),
                      std::tuple(disarmed ? "0" : "1", 5, disarmed && optionsOpen, c.reset && optionsOpen));
            EXPECT_EQ(alarm.AlarmDate + alarm.AlarmHour + alarm.AlarmMin + alarm.AlarmMessage + alarm.AlarmExec + alarm.AlarmAMPM,
                      c.reset ? "AM" : c.date + std::string("705Wake up/bin/truePM"));
            EXPECT_EQ(state.InvisibleClock, c.reset ? 0 : 1);
            EXPECT_EQ(view.events, (std::vector<std::string>{"stop timer", "destroy"}));
            ArmDaily(0);
        }
    }
}

// A snooze rings four tones once more after more than 180 s, also across midnight. Given a monotonic
// clock it runs on that: setting the wall clock neither hastens nor delays it, and one that ran out
// while the computer slept rings on waking only within the grace.
TEST_F(Form3Test, ASnoozeRingsOnceAfter180SecondsOnTheMonotonicClockAndOneSleptOverOnlyWithinTheGrace)
{
    // Whether the timer also reads a monotonic clock, how much more than it the wall clock moved, the
    // seconds slept from 60 s into the snooze, the grace; then the first ring, in seconds after
    // Snooze (0: none), and how many alarms the "Missed alarms" list got.
    const struct { const char* name; LocalTime snoozed; bool monotonic; double wallShift, asleep; int16_t grace;
                   double firstRingAt; std::size_t listed; } rows[] = {
        {"wall clock only: exactly 180 s is not yet", OnDay(6, 7, 5, 0.5), false, 0, 0, 10, 181, 0},
        {"wall clock only, across midnight", OnDay(6, 23, 59, 0), false, 0, 0, 10, 181, 0},
        {"the wall clock set back an hour", OnDay(6, 7, 5, 0), true, -3600, 0, 10, 181, 0},
        {"the wall clock set on an hour", OnDay(6, 7, 5, 0), true, 3600, 0, 10, 181, 0},
        {"slept 5 min past it", OnDay(6, 7, 5, 0), true, 0, 300, 10, 360, 0},
        {"slept 3 h past it", OnDay(6, 7, 5, 0), true, 0, 3 * 3600, 10, 0, 1},
        {"grace 0", OnDay(6, 7, 5, 0), true, 0, 300, 0, 0, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        state.MissedAlarmGrace = row.grace;
        sounds.played.clear();
        pump.runs = 0;
        RecordingPopupView view;
        RecordingAlarmPopups missed;
        Form3& popup = Open(0, view, &missed);
        const auto monotonic = [&](double t) { return row.monotonic ? std::optional<double>(5000 + t) : std::nullopt; };
        popup.SnoozeClicked(row.snoozed, monotonic(0));
        EXPECT_EQ(state.Alarms[0].RingCount, 5);
        EXPECT_FALSE(view.visible);
        double ringAt = 0, t = 0;
        while (++t < 4 * 3600 && ringAt == 0 && !popup.IsClosed()) {
            if (row.asleep > 0 && t > 60 && t < 60 + row.asleep)
                continue; // the timer stands still while the computer sleeps
            popup.TimerFired(LocalTimeAt(ContinuousSeconds(row.snoozed) + t + (t > 60 ? row.wallShift : 0)), monotonic(t));
            ringAt = sounds.played.empty() ? 0 : t;
        }
        popup.TimerFired(LocalTimeAt(ContinuousSeconds(row.snoozed) + t + 1), monotonic(t + 1)); // one burst only
        EXPECT_EQ(std::tuple(ringAt, missed.missed.size(), popup.IsClosed()), std::tuple(row.firstRingAt, row.listed, row.listed > 0));
        if (ringAt > 0) {
            EXPECT_EQ(sounds.played.size(), 4u);
            for (const auto& p : sounds.played)
                EXPECT_EQ(p.tone, (TickTone{ToneUse::AlarmRing, 2000, 120, 0, false}));
            EXPECT_EQ(pump.runs, 4);
            EXPECT_EQ(view.events, (std::vector<std::string>{"hide", "show", "snooze label"}));
        }
    }
}

// Not snoozed, the tick disarmed it when it launched a program; the pop-ups of other alarms go on.
TEST_F(Form3Test, ADisarmedAlarmTakesItsPopupWithItAtItsNextTickBeforeAnySnoozeRingAndOthersGoOn)
{
    RecordingPopupView otherView, views[2];
    Form3& other = Open(0, otherView);
    other.SnoozeClicked(OnDay(6, 7, 5, 0));
    for (bool snoozed : {false, true}) {
        ArmDaily(3);
        Form3& popup = Open(3, views[snoozed]);
        if (snoozed)
            popup.SnoozeClicked(OnDay(6, 7, 5, 0));
        state.Alarms[3].AlarmActivated = "0";
        popup.TimerFired(OnDay(6, 7, 9, 0)); // a snooze would have run out too
        EXPECT_TRUE(popup.IsClosed());
        EXPECT_EQ(views[snoozed].events, snoozed ? (std::vector<std::string>{"hide", "stop timer", "destroy"})
                                                 : (std::vector<std::string>{"stop timer", "destroy"}));
    }
    EXPECT_TRUE(sounds.played.empty());
    EXPECT_EQ(state.Alarms[0].AlarmActivated, "1");
    other.TimerFired(OnDay(6, 7, 8, 1));
    EXPECT_EQ(sounds.played.size(), 4u);
    EXPECT_FALSE(other.IsClosed());
}

} // namespace
} // namespace dorvane
