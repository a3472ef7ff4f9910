#include "popup/Form3.h"
#include "clock/tick/AlarmSchedule.h"
#include "clock/tick/TickTiming.h"
#include "tests/support/RecordingOptionsWindow.h"
#include "tests/support/RecordingTickSounds.h"
#include "tests/support/FakeMessagePump.h"
#include "tests/support/FixedTime.h"

#include <gtest/gtest.h>

#include <memory>
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

    Form3& Open(int slot, RecordingPopupView& view)
    {
        popups.push_back(std::make_unique<Form3>(state, PopupLinks{sounds, pump, options}, view,
                                                 AlarmPopupRequest{slot, "Dorvane ", "", "Wake up"}));
        return *popups.back();
    }

    ClockState state;
    RecordingTickSounds sounds;
    FakeMessagePump pump;
    RecordingOptionsWindow options;
    std::vector<std::unique_ptr<Form3>> popups;
};

// One rule for the tick and the pop-up: a date of blanks only is no date, a date with blanks
// around it is that date.
TEST_F(Form3Test, ADateOfBlanksIsDailyForTheTickAndClosingDisarmsOnlyADatedAlarm)
{
    const struct {
        const char* date;
        bool dated;
    } cases[] = {{"", false}, {"   ", false}, {" \t", false}, {"Sun Dec 06, 2026", true}, {"  Sun Dec 06, 2026 ", true}};
    for (const auto& c : cases) {
        for (bool optionsOpen : {false, true}) {
            SCOPED_TRACE(std::string("\"") + c.date + "\" options " + (optionsOpen ? "open" : "closed"));
            AlarmSlot& alarm = state.Alarms[0];
            alarm.AlarmDate = c.date;
            alarm.AlarmActivated = "1";
            alarm.RingCount = 1;
            EXPECT_EQ(AlarmMatches(alarm, OnDay(5, 7, 5, 30)), !c.dated) << "a daily alarm rings on any day";
            EXPECT_EQ(AlarmMatches(alarm, OnDay(7, 9, 0, 0)), c.dated) << "a dated alarm rings from its moment on";

            state.OptionsOpen = optionsOpen;
            options.clearedActivate.clear();
            RecordingPopupView view;
            Form3& popup = Open(0, view);
            popup.CloseClicked();
            popup.Close(); // the window's own close event after the button: the rules run once
            EXPECT_EQ(alarm.AlarmActivated, c.dated ? "0" : "1");
            EXPECT_EQ(alarm.RingCount, 5);
            EXPECT_EQ(options.clearedActivate.count(0) == 1, c.dated && optionsOpen);
            EXPECT_EQ(view.events, (std::vector<std::string>{"stop timer", "destroy"}));
        }
    }
}

TEST_F(Form3Test, ResetClearsTheAlarmAndShowsTheClock)
{
    for (bool optionsOpen : {false, true}) {
        state.InvisibleClock = 1;
        state.OptionsOpen = optionsOpen;
        state.Alarms[0].AlarmDate = "Sun Dec 06, 2026";
        state.Alarms[0].AlarmAMPM = "PM";
        state.Alarms[0].AlarmExec = "/usr/bin/true";
        options.clearedRows.clear();
        RecordingPopupView view;
        Open(0, view).ResetClicked();
        const AlarmSlot& alarm = state.Alarms[0];
        EXPECT_EQ(state.InvisibleClock, 0);
        EXPECT_EQ(alarm.AlarmDate + alarm.AlarmHour + alarm.AlarmMin + alarm.AlarmMessage + alarm.AlarmExec, "");
        EXPECT_EQ(alarm.AlarmAMPM, "AM");
        EXPECT_EQ(alarm.AlarmActivated, "1") << "the date was emptied first, so closing leaves it armed";
        EXPECT_EQ(alarm.RingCount, 5);
        EXPECT_EQ(options.clearedRows.count(0) == 1, optionsOpen);
        EXPECT_TRUE(options.clearedActivate.empty());
        ArmDaily(0);
    }
}

TEST_F(Form3Test, ASnoozeRingsOnceMoreBetween180And181SecondsLaterAlsoAcrossMidnight)
{
    const struct {
        LocalTime snoozed, tooEarly, due;
    } cases[] = {
        {OnDay(6, 7, 5, 0.5), OnDay(6, 7, 8, 0.5), OnDay(6, 7, 8, 0.6)}, // exactly 180 s is not yet
        {OnDay(6, 23, 59, 0), OnDay(7, 0, 1, 59), OnDay(7, 0, 2, 0.5)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.snoozed.hour);
        sounds.played.clear();
        pump.runs = 0;
        RecordingPopupView view;
        Form3& popup = Open(0, view);
        popup.SnoozeClicked(c.snoozed);
        EXPECT_EQ(state.Alarms[0].RingCount, 5);
        EXPECT_FALSE(view.visible);
        popup.TimerFired(c.tooEarly);
        EXPECT_TRUE(sounds.played.empty());
        popup.TimerFired(c.due);
        popup.TimerFired(c.due); // one burst only
        ASSERT_EQ(sounds.played.size(), 4u);
        for (const auto& p : sounds.played)
            EXPECT_EQ(p.tone, (TickTone{ToneUse::AlarmRing, 2000, 120, 0, false}));
        EXPECT_EQ(pump.runs, 4);
        EXPECT_EQ(view.events, (std::vector<std::string>{"hide", "show", "snooze label"}));
        EXPECT_FALSE(popup.IsClosed());
    }
}

// The snooze runs on the monotonic clock: setting the wall clock neither hastens nor delays it, and
// one that ran out while the computer slept rings on waking only within the grace.
TEST_F(Form3Test, ASnoozeRunsOnTheMonotonicClockAndOneSleptOverRingsOnlyWithinTheGrace)
{
    struct Missed : AlarmPopups {
        void ShowAlarmPopup(const AlarmPopupRequest&) override {}
        void ShowMissedAlarms(const std::vector<MissedAlarm>& alarms) override { listed += static_cast<int>(alarms.size()); }
        int listed = 0;
    };
    const struct {
        const char* name;
        double wallShift;  // the wall clock moved by this much more than the monotonic clock
        double asleep;     // monotonic seconds slept from 60 s into the snooze
        int16_t grace;
        double firstRingAt; // monotonic seconds after Snooze; 0: none
        int listed;
    } rows[] = {
        {"the wall clock set back an hour", -3600, 0, 10, 181, 0},
        {"the wall clock set on an hour", 3600, 0, 10, 181, 0},
        {"slept 5 min past it", 0, 300, 10, 360, 0},
        {"slept 3 h past it", 0, 3 * 3600, 10, 0, 1},
        {"grace 0", 0, 300, 0, 0, 1},
    };
    for (const auto& row : rows) {
        state.MissedAlarmGrace = row.grace;
        sounds.played.clear();
        RecordingPopupView view;
        Missed missed;
        popups.push_back(std::make_unique<Form3>(state, PopupLinks{sounds, pump, options, &missed}, view,
                                                 AlarmPopupRequest{0, "Dorvane ", "", "Wake up"}));
        Form3& popup = *popups.back();
        const double start = 5000;
        popup.SnoozeClicked(OnDay(6, 7, 5, 0), start);
        double ringAt = 0;
        for (double t = 1; t < 4 * 3600 && ringAt == 0 && !popup.IsClosed(); ++t) {
            const double slept = t > 60 && row.asleep > 0 ? row.asleep : 0;
            if (slept > 0 && t < 60 + slept)
                continue; // the timer stands still while the computer sleeps
            const LocalTime wall = LocalTimeAt(ContinuousSeconds(OnDay(6, 7, 5, 0)) + t + (t > 60 ? row.wallShift : 0));
            popup.TimerFired(wall, start + t);
            if (!sounds.played.empty())
                ringAt = t;
        }
        EXPECT_EQ(ringAt, row.firstRingAt) << row.name;
        EXPECT_EQ(missed.listed, row.listed) << row.name;
        EXPECT_EQ(popup.IsClosed(), row.listed > 0) << row.name;
    }
}

TEST_F(Form3Test, ADisarmedAlarmTakesItsPopupWithItAtItsNextTickBeforeAnySnoozeRing)
{
    for (bool snoozed : {false, true}) { // not snoozed: the tick disarmed it when it launched a program
        RecordingPopupView view;
        Form3& popup = Open(0, view);
        if (snoozed)
            popup.SnoozeClicked(OnDay(6, 7, 5, 0));
        state.Alarms[0].AlarmActivated = "0";
        popup.TimerFired(OnDay(6, 7, 9, 0)); // a snooze would have run out too
        EXPECT_TRUE(sounds.played.empty());
        EXPECT_TRUE(popup.IsClosed());
        EXPECT_EQ(view.events, snoozed ? (std::vector<std::string>{"hide", "stop timer", "destroy"})
                                       : (std::vector<std::string>{"stop timer", "destroy"}));
        ArmDaily(0);
    }
}

TEST_F(Form3Test, PopupsOfDifferentAlarmsAreIndependent)
{
    ArmDaily(3);
    state.Alarms[3].AlarmDate = "Sun Dec 06, 2026";
    RecordingPopupView view0, view3;
    Form3& first = Open(0, view0);
    Form3& second = Open(3, view3);
    first.SnoozeClicked(OnDay(6, 7, 5, 0));
    second.CloseClicked();
    EXPECT_EQ(state.Alarms[3].AlarmActivated + state.Alarms[0].AlarmActivated, "01");
    first.TimerFired(OnDay(6, 7, 8, 1));
    second.TimerFired(OnDay(6, 7, 8, 1));
    EXPECT_EQ(sounds.played.size(), 4u);
    EXPECT_FALSE(first.IsClosed());
    EXPECT_EQ(view3.events, (std::vector<std::string>{"stop timer", "destroy"}));
}

} // namespace
} // namespace dorvane
