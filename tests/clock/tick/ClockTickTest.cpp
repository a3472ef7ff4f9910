#include "clock/tick/ClockTick.h"
#include "clock/tick/AlarmSchedule.h"
#include "tests/support/TickRig.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <set>

namespace dorvane {
namespace {

using testing::At;
using testing::TickRig;
using Journal = std::vector<std::string>;
using Route = testing::RecordingTickSounds::Route;
using Sounded = std::map<std::string, int>;
constexpr int16_t kMost = std::numeric_limits<int16_t>::max();

TEST(TickRun, ShowsTheWindowOnEscapeThenDrawsSoundsAndRingsThenShowsThePicture)
{
    TickRig rig;
    rig.state.ActivateTick = 1;
    rig.DailyAlarm(0, "7", "05", "AM");
    rig.window.escapePressed = true;
    rig.sounds.onTone = [&](const TickTone&) { rig.window.journal.push_back("tone"); };
    rig.RunAt(At(7, 5, 3));
    EXPECT_EQ(rig.window.journal, (Journal{"show", "draw", "tone", "tone", "tone", "tone", "tone", "present"}));
    EXPECT_EQ(SecondIndex(rig.window.drawnAt.at(0)), SecondIndex(At(7, 5, 3)));
    rig.state.OptionsOpen = true;
    EXPECT_EQ(rig.options.timeLine, "") << "no options window, no time line";
    rig.RunAt(At(19, 5, 10));
    EXPECT_EQ(rig.options.timeLine, " Sunday, December 6, 2026 07:05:10 PM ");
}

TEST(TickRun, RunsOncePerWallClockSecondAndATimerMessageDuringPendingMessagesStartsNoNestedRun)
{
    TickRig rig;
    for (const LocalTime& t : {At(7, 5, 2.001), At(7, 5, 2.999), At(7, 5, 3), At(6, 5, 3) /* the clock set back */})
        rig.RunAt(t);
    ASSERT_EQ(rig.window.drawnAt.size(), 3u);
    EXPECT_EQ(SecondIndex(*rig.tick.LastRun()), SecondIndex(At(6, 5, 3)));

    TickRig nested;
    nested.DailyAlarm(0, "7", "05", "AM");
    nested.pump.pending = [&] {
        nested.tick.UpdateClock(); // the same second
        nested.time.Set(At(7, 5, 1));
        nested.tick.UpdateClock(); // the next one: it gets a run after this one
        EXPECT_EQ(nested.window.journal, Journal{"draw"});
    };
    nested.RunAt(At(7, 5, 0));
    EXPECT_EQ(nested.window.journal, (Journal{"draw", "present", "draw", "present"}));
    EXPECT_EQ(nested.window.drawnAt.at(1).second, 1);
    EXPECT_EQ(nested.sounds.Count(ToneUse::AlarmRing), 8) << "one ring for each second, one after the other";
}

// How many sounds each second of a minute from 9:30:00 should give.
Sounded EverySecondOfAMinute(const std::function<int(int second)>& count)
{
    Sounded sounded;
    for (int second = 0; second < 60; ++second)
        sounded[FormatHourMinuteSecond(At(9, 30, second))] = count(second);
    return sounded;
}

// The seconds tick sounds once a second and twice at second 1, only when ActivateTick is 1; Brisa
// chirps through the tone generator, twice at seconds 16, 31 and 46, and marks the minute at second 1.
TEST(SecondsTick, SoundsTwiceAtSecondOneAndOnceAtEveryOtherSecondOnlyWhenActivateTickIsOneAndBrisaChirps)
{
    const struct { const char* skin; int16_t activate, speaker; Sounded expected; } rows[] = {
        {"", 1, 0, EverySecondOfAMinute([](int s) { return s == 1 ? 2 : 1; })}, {"", 2, 0, {}},
        {"BRISA", 1, 0, EverySecondOfAMinute([](int s) { return s == 1 ? 3 : s == 16 || s == 31 || s == 46 ? 2 : 1; })},
    };
    for (const auto& row : rows)
        for (int16_t speaker : {0, 1}) {
            TickRig rig;
            rig.state.Skin = row.skin, rig.state.ActivateTick = row.activate, rig.state.ComputerSpeaker = speaker;
            rig.state.TickFreq = 6000;
            EXPECT_EQ(rig.RunSeconds(At(9, 30, 0), 60), row.expected) << row.skin << row.activate;
            const bool brisa = *row.skin != '\0';
            int repeatedChirps = 0;
            for (std::size_t i = 0; i < rig.sounds.played.size(); ++i) {
                const auto& [route, tone] = rig.sounds.played[i];
                EXPECT_TRUE(brisa ? route == Route::ToneGenerator &&
                                        std::tuple(tone.milliseconds, tone.waveType, tone.decay) == std::tuple(100, 4, true) &&
                                        (tone.use == ToneUse::BrisaMinuteMark ? tone.frequencyHz == 500 : tone.use == ToneUse::BrisaTick)
                                  : route == Route::SoundRule && tone == (TickTone{ToneUse::SecondsTick, 6000, 50, 0, true})) << i;
                repeatedChirps += tone.use == ToneUse::BrisaTick && i > 0 && rig.sounds.played[i - 1].tone == tone;
            }
            EXPECT_EQ(std::pair(rig.sounds.Count(ToneUse::BrisaMinuteMark), repeatedChirps),
                      brisa ? std::pair(2, 3) : std::pair(0, 0)) << "a repeat keeps the frequency";
        }
    for (const auto& [random, frequency] : {std::pair(0.0, 2000), {0.5, 4500}, {0.99999, 7000}, {1.0, 7000}, {0.0002, 2001}})
        EXPECT_EQ(BrisaTickFrequency(random), frequency) << random;
}

const Sounded kFourRingsFrom0705 = {{"07:05:00 AM", 4}, {"07:05:01 AM", 4}, {"07:05:02 AM", 4}, {"07:05:03 AM", 4}};

TEST(AlarmRing, DailyAlarmRingsFromTheFirstTickOfItsMinuteAsOftenAsAlarmNoOfRingsSaysThenNoMore)
{
    for (int16_t rings : {1, 10}) {
        TickRig rig;
        rig.state.AlarmNoOfRings = rings;
        rig.state.AlarmFreq = 2500;
        rig.DailyAlarm(0, "7", "05", "AM").AlarmMessage = "Wake up";
        const Sounded sounded = rig.RunSeconds(At(7, 4, 50), 90);
        ASSERT_EQ(sounded.size(), static_cast<std::size_t>(rings));
        EXPECT_EQ(std::tuple(sounded.begin()->first, rig.state.Alarms[0].RingCount, rig.tick.CurrentAlarm()),
                  std::tuple("07:05:00 AM", rings, std::optional(0)));
        for (const auto& played : rig.sounds.played)
            EXPECT_EQ(std::pair(played.route, played.tone),
                      std::pair(Route::SoundRule, TickTone{ToneUse::AlarmRing, 2500, 120, 0, false}));
        // Not on later days either, until its counters are cleared; the pop-up came once.
        EXPECT_TRUE(rig.RunSeconds(At(7, 5, 0, {2026, 12, 7}), 10).empty());
        EXPECT_EQ(rig.popups.shown.size(), 1u);
    }
}

TEST(AlarmRing, KeepsItsPaceWhenTheTonesTakeTheirTimeAndAlarmsOfOneMinuteTakeTurns)
{
    // Through a real sound device a ring of four tones holds the run for half a second or more.
    TickRig slow;
    slow.DailyAlarm(0, "7", "05", "AM");
    slow.sounds.onTone = [&](const TickTone& tone) {
        slow.time.Set(LocalTimeAt(ContinuousSeconds(slow.time.Now()) + tone.milliseconds / 1000.0));
    };
    EXPECT_EQ(slow.RunSeconds(At(7, 5, 0), 10), kFourRingsFrom0705);

    TickRig rig; // rings are spaced across all alarms
    rig.state.AlarmNoOfRings = 2;
    rig.DailyAlarm(0, "7", "05", "AM");
    rig.DailyAlarm(1, "7", "05", "AM");
    EXPECT_EQ(rig.RunSeconds(At(7, 5, 0), 10), kFourRingsFrom0705);
    EXPECT_EQ(std::pair(rig.state.Alarms[0].RingCount, rig.state.Alarms[1].RingCount), (std::pair<int16_t, int16_t>(2, 2)));
}

TEST(AlarmRing, OnlyArmedReadableDueAlarmsRingAndPendingMessagesRunAfterEachArmedSlot)
{
    // Pending messages run once for each of the seven slots, less one for an armed slot that is not due.
    const struct { const char *activated, *hour; bool rings; int pumps; } cases[] = {
        {"0", "7", false, 7}, {"2", "7", false, 7}, {" 1", "7", true, 7}, {"1.0", "7", true, 7},
        {"1", "", false, 6},  {"1", "8", false, 6}, {"1", "x", false, 6}};
    for (const auto& c : cases) {
        TickRig rig;
        rig.DailyAlarm(0, c.hour, "05", "AM").AlarmActivated = c.activated;
        rig.state.Alarms[0].AlarmMessage = "Wake up";
        rig.RunAt(At(7, 5, 0));
        EXPECT_EQ(std::tuple(rig.sounds.Count(ToneUse::AlarmRing) > 0, rig.popups.shown.size(),
                             rig.tick.CurrentAlarm().has_value(), rig.pump.runs),
                  std::tuple(c.rings, c.rings ? 1u : 0u, c.rings, c.pumps)) << c.activated << " at " << c.hour;
    }
}

TEST(AlarmRing, EmptyMinuteBecomes00AndChangesMadeByHandlersDuringTheTickAreSeenByTheNextSlot)
{
    TickRig rig;
    rig.state.OptionsOpen = true;
    rig.DailyAlarm(2, "7", "", "AM");
    rig.DailyAlarm(3, "8", "", "AM");
    rig.RunAt(At(6, 0, 0));
    EXPECT_EQ(std::pair(rig.state.Alarms[2].AlarmMin, rig.options.alarmMinText),
              std::pair(std::string("00"), std::map<int, std::string>{{2, "00"}, {3, "00"}}));
    EXPECT_EQ(rig.RunSeconds(At(7, 0, 0), 2).size(), 2u);
    TickRig late;
    late.pump.pending = [&] { late.DailyAlarm(4, "7", "05", "AM"); };
    late.RunAt(At(7, 5, 0));
    EXPECT_EQ(std::pair(int(late.state.Alarms[4].RingCount), late.tick.CurrentAlarm()), std::pair(1, std::optional(4)));
}

TEST(DatedAlarm, RingsFromItsMomentOnEvenWhenThatPassedUnseenAndAcrossMidnightUntilADoubleClickDisarmsIt)
{
    TickRig midnight;
    midnight.DailyAlarm(0, "11", "59", "PM").AlarmDate = "Sat Dec 05, 2026";
    EXPECT_EQ(midnight.RunSeconds(At(23, 59, 58, {2026, 12, 5}), 6),
              (Sounded{{"11:59:58 PM", 4}, {"11:59:59 PM", 4}, {"12:00:00 AM", 4}, {"12:00:01 AM", 4}}));

    TickRig rig;
    AlarmSlot& alarm = rig.DailyAlarm(0, "7", "05", "AM");
    alarm.AlarmDate = "Sun Dec 06, 2026";
    rig.RunAt(At(7, 4, 59));
    EXPECT_FALSE(rig.tick.CurrentAlarm().has_value());
    rig.RunAt(At(15, 42, 17)); // the clock was not running at 7:05
    rig.tick.SilenceCurrentAlarm();
    rig.RunAt(At(15, 42, 18));
    EXPECT_EQ(std::pair(rig.sounds.Count(ToneUse::AlarmRing), alarm.AlarmActivated), std::pair(4, std::string("0")));
}

TEST(AlarmLaunch, RingsOnceLaunchesDisarmsAndStillPopsUpOnceWhetherOrNotTheOpenWorked)
{
    // AlarmNoOfRings, and RingCount after the launch: within its range.
    const struct { bool opens; int16_t rings, ringCount; } cases[] = {{true, 4, 5}, {false, kMost, kMost}};
    for (const auto& c : cases) {
        TickRig rig;
        rig.shell.succeed = c.opens;
        rig.state.AlarmNoOfRings = c.rings;
        rig.state.OptionsOpen = true;
        AlarmSlot& alarm = rig.DailyAlarm(3, "7", "05", "AM");
        alarm.AlarmExec = "/usr/bin/foo";
        alarm.AlarmMessage = "Backup";
        rig.RunAt(At(7, 5, 0));
        EXPECT_EQ(std::tuple(alarm.AlarmActivated, alarm.ExecDone, alarm.RingCount, rig.options.clearedActivate),
                  std::tuple("0", true, c.ringCount, std::set<int>{3}));
        rig.RunSeconds(At(7, 5, 1), 10);
        EXPECT_EQ(std::tuple(rig.sounds.Count(ToneUse::AlarmRing), rig.shell.opened, rig.popups.shown),
                  std::tuple(4, std::vector<std::string>{"/usr/bin/foo"},
                             std::vector{AlarmPopupRequest{3, "Dorvane ", " 7:05 AM", "Backup"}}))
            << c.opens;
    }
}

TEST(DoubleClick, StopsTheDailyAlarmThatMatchedLastLeavingItArmedAndItsRingCountInRange)
{
    for (const auto& [rings, silenced] : {std::pair<int16_t, int16_t>{4, 5}, {kMost, kMost}}) {
        TickRig rig;
        rig.state.AlarmNoOfRings = rings;
        AlarmSlot& earlier = rig.DailyAlarm(1, "7", "05", "AM");
        AlarmSlot& alarm = rig.DailyAlarm(2, "7", "05", "AM");
        rig.RunAt(At(7, 5, 0));
        rig.tick.SilenceCurrentAlarm();
        EXPECT_EQ(earlier.RingCount, 1);
        rig.RunSeconds(At(7, 5, 1), 5);
        EXPECT_EQ(std::tuple(alarm.IsArmed(), alarm.RingCount, rig.popups.shown.size()), std::tuple(true, silenced, 0u))
            << "it rings no more; no message, no pop-up";
    }
    for (const auto& [rings, silenced] : {std::pair<int16_t, int16_t>{-3, -2}, {32766, 32767}})
        EXPECT_EQ(SilencedRingCount(rings), silenced) << rings;

    TickRig before; // any alarm matched: nothing changes
    AlarmSlot& alarm = before.DailyAlarm(0, "7", "05", "AM");
    alarm.AlarmDate = "Mon Dec 07, 2026";
    before.RunAt(At(6, 0, 0));
    before.tick.SilenceCurrentAlarm();
    EXPECT_TRUE(alarm.IsArmed() && alarm.RingCount == 0);
}

// The chime strikes the hour of the twelve-hour dial (or once) from the first run of the hour,
// through the recorded chime or a tone by SelectChime.
TEST(HourlyChime, StrikesTheHourOfTheTwelveHourDialOrOnceOrNotAtAllByRecordingOrTone)
{
    const struct { int16_t activate, ringOnce; int hour; const char* select; std::size_t strokes; int recorded; } cases[] = {
        {1, 0, 0, "BigBen", 12, 12}, {1, 0, 12, "BigBen", 12, 12}, {1, 0, 13, "BigBen", 1, 1}, {1, 0, 23, "bigben", 11, 0},
        {1, 1, 7, "", 1, 0},         {0, 0, 12, "BigBen", 0, 0},   {2, 0, 12, "BigBen", 0, 0}};
    for (const auto& c : cases) {
        TickRig rig;
        rig.state.ActivateChime = c.activate, rig.state.ChimeRingOnce = c.ringOnce;
        rig.state.SelectChime = c.select, rig.state.ChimeFreq = 440;
        const Sounded strokes = rig.RunSeconds(At(c.hour, 0, 0), 40);
        EXPECT_EQ(strokes.size(), c.strokes) << c.hour << c.select;
        EXPECT_TRUE(!c.strokes || strokes.begin()->first == FormatHourMinuteSecond(At(c.hour, 0, 0))) << c.hour;
        EXPECT_EQ(rig.sounds.RecordedChimes(), c.recorded) << c.hour;
        EXPECT_TRUE(c.recorded || !c.strokes || rig.sounds.played[0].tone == (TickTone{ToneUse::ChimeStroke, 440, 500, 0, false}));
    }
    TickRig rig; // a late timer skipped second 0
    rig.state.ActivateChime = 1;
    rig.RunAt(At(14, 59, 59));
    EXPECT_EQ(rig.RunSeconds(At(15, 0, 2), 8), (Sounded{{"03:00:02 PM", 1}, {"03:00:04 PM", 1}, {"03:00:06 PM", 1}}));
    const struct { const char* what; LocalTime now; std::optional<LocalTime> previous; bool starts; } starts[] = {
        {"second 0, no earlier run", At(12, 0, 0), std::nullopt, true}, {"1 after 0", At(12, 0, 1), At(12, 0, 0), false},
        {"3 after 59 of the hour before", At(12, 0, 3), At(11, 59, 59), true},
        {"3, no earlier run", At(12, 0, 3), std::nullopt, false},
        {"minute 1 after the hour before", At(12, 1, 0), At(11, 59, 59), false},
        {"5 of the next day's midnight", At(0, 0, 5, {2026, 12, 7}), At(23, 59, 59), true},
    };
    for (const auto& c : starts)
        EXPECT_EQ(ChimeStartsAt(c.now, c.previous), c.starts) << c.what;
}

} // namespace
} // namespace dorvane
