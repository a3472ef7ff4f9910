#include "clock/ClockText.h"
#include "tests/clock/TickRig.h"

#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <set>

namespace dorvane {
namespace {

using testing::At;
using testing::TickRig;

// Runs the rig once a second and returns how many ring tones each second gave, by "h:mm:ss".
std::map<std::string, int> RingTonesBySecond(TickRig& rig, const LocalTime& from, int seconds)
{
    std::map<std::string, int> rings;
    for (int i = 0; i < seconds; ++i) {
        const LocalTime now = LocalTimeAt(ContinuousSeconds(from) + i);
        rig.sounds.played.clear();
        rig.RunAt(now);
        if (int tones = rig.sounds.Count(ToneUse::AlarmRing))
            rings[FormatHourMinuteSecond(now)] = tones;
    }
    return rings;
}

const std::map<std::string, int> kFourRingsFrom0705 = {
    {"07:05:00 AM", 4}, {"07:05:01 AM", 4}, {"07:05:02 AM", 4}, {"07:05:03 AM", 4}};

TEST(AlarmRing, DailyAlarmRingsFourTimesFromTheFirstTickOfItsMinuteThenFallsSilent)
{
    TickRig rig;
    rig.DailyAlarm(0, "7", "05", "AM").AlarmMessage = "Wake up";
    EXPECT_EQ(RingTonesBySecond(rig, At(7, 4, 50), 90), kFourRingsFrom0705);
    EXPECT_EQ(rig.state.Alarms[0].RingCount, 4);
    EXPECT_EQ(rig.tick.CurrentAlarm(), 0);
}

TEST(AlarmRing, RingToneIsFourTonesAtAlarmFreqOf120Milliseconds)
{
    TickRig rig;
    rig.state.AlarmFreq = 2500;
    rig.DailyAlarm(3, "7", "05", "AM");
    rig.RunAt(At(7, 5, 0));
    ASSERT_EQ(rig.sounds.played.size(), 4u);
    for (const auto& played : rig.sounds.played) {
        EXPECT_EQ(played.route, testing::RecordingTickSounds::Route::SoundRule);
        EXPECT_EQ(played.tone, (TickTone{ToneUse::AlarmRing, 2500, 120, 0, false}));
    }
}

TEST(AlarmRing, RingsAsOftenAsAlarmNoOfRingsSays)
{
    for (int16_t rings : {1, 4, 10}) {
        TickRig rig;
        rig.state.AlarmNoOfRings = rings;
        rig.DailyAlarm(0, "7", "05", "AM");
        EXPECT_EQ(RingTonesBySecond(rig, At(7, 5, 0), 60).size(), static_cast<std::size_t>(rings));
    }
}

TEST(AlarmRing, KeepsItsPaceWhenTheTonesTakeTheirTime)
{
    // Through a real sound device a ring of four tones holds the run for half a second or more.
    TickRig rig;
    rig.DailyAlarm(0, "7", "05", "AM");
    rig.sounds.onTone = [&](const TickTone& tone) {
        rig.time.Set(LocalTimeAt(ContinuousSeconds(rig.time.Now()) + tone.milliseconds / 1000.0));
    };
    EXPECT_EQ(RingTonesBySecond(rig, At(7, 5, 0), 10), kFourRingsFrom0705);
}

TEST(AlarmRing, AlarmsOfTheSameMinuteTakeTurnsAsRingsAreSpacedAcrossAllAlarms)
{
    TickRig rig;
    rig.state.AlarmNoOfRings = 2;
    rig.DailyAlarm(0, "7", "05", "AM");
    rig.DailyAlarm(1, "7", "05", "AM");
    const auto rings = RingTonesBySecond(rig, At(7, 5, 0), 10);
    EXPECT_EQ(rings.size(), 4u);
    EXPECT_EQ(rig.state.Alarms[0].RingCount, 2);
    EXPECT_EQ(rig.state.Alarms[1].RingCount, 2);
}

TEST(AlarmRing, DailyAlarmStaysSilentOnLaterDaysUntilItsCountersAreCleared)
{
    TickRig rig;
    rig.DailyAlarm(0, "7", "05", "AM").AlarmMessage = "Wake up";
    rig.RunSeconds(At(7, 5, 0), 10);
    EXPECT_TRUE(RingTonesBySecond(rig, At(7, 5, 0, {2026, 12, 7}), 10).empty());
    EXPECT_EQ(rig.popups.shown.size(), 1u);
}

TEST(AlarmRing, OnlyAnAlarmActivatedOfNumberOneIsArmed)
{
    const struct {
        const char* activated;
        bool rings;
    } cases[] = {{"1", true}, {" 1", true}, {"1.0", true}, {"0", false}, {"2", false}, {"", false}, {"yes", false}};
    for (const auto& c : cases) {
        TickRig rig;
        rig.DailyAlarm(0, "7", "05", "AM").AlarmActivated = c.activated;
        rig.RunAt(At(7, 5, 0));
        EXPECT_EQ(rig.sounds.Count(ToneUse::AlarmRing) > 0, c.rings) << '"' << c.activated << '"';
    }
}

TEST(AlarmRing, ArmedAlarmWithoutHourNeverMatches)
{
    TickRig rig;
    rig.DailyAlarm(0, "", "05", "AM").AlarmMessage = "never";
    rig.RunSeconds(At(0, 0, 0), 3);
    rig.RunSeconds(At(7, 5, 0), 3);
    EXPECT_TRUE(rig.sounds.played.empty());
    EXPECT_TRUE(rig.popups.shown.empty());
    EXPECT_FALSE(rig.tick.CurrentAlarm().has_value());
}

TEST(AlarmRing, EmptyMinuteBecomes00AtTheFirstTickAndInTheOpenOptionsWindow)
{
    TickRig rig;
    rig.state.OptionsOpen = true;
    rig.DailyAlarm(2, "7", "", "AM");
    rig.DailyAlarm(3, "8", "", "AM");
    rig.RunAt(At(6, 0, 0));
    EXPECT_EQ(rig.state.Alarms[2].AlarmMin, "00");
    EXPECT_EQ(rig.options.alarmMinText, (std::map<int, std::string>{{2, "00"}, {3, "00"}}));
    EXPECT_EQ(RingTonesBySecond(rig, At(7, 0, 0), 2).size(), 2u);
}



TEST(AlarmRing, AlarmAtMidnightRingsAtTheFirstTickOfTheDay)
{
    TickRig rig;
    rig.DailyAlarm(0, "12", "00", "AM");
    rig.RunSeconds(At(23, 59, 50, {2026, 12, 5}), 10);
    EXPECT_EQ(RingTonesBySecond(rig, At(0, 0, 0), 10),
              (std::map<std::string, int>{{"12:00:00 AM", 4}, {"12:00:01 AM", 4}, {"12:00:02 AM", 4}, {"12:00:03 AM", 4}}));
}

TEST(AlarmRing, RingingGoesOnAcrossMidnight)
{
    TickRig rig;
    AlarmSlot& alarm = rig.DailyAlarm(0, "11", "59", "PM");
    alarm.AlarmDate = "Sat Dec 05, 2026";
    EXPECT_EQ(RingTonesBySecond(rig, At(23, 59, 58, {2026, 12, 5}), 6),
              (std::map<std::string, int>{{"11:59:58 PM", 4}, {"11:59:59 PM", 4}, {"12:00:00 AM", 4}, {"12:00:01 AM", 4}}));
}

TEST(AlarmRing, LetsPendingMessagesRunAfterEachArmedSlot)
{
    const struct {
        const char* what;
        void (*setUp)(TickRig&);
        int pumps;
    } cases[] = {
        {"no alarm armed", [](TickRig&) {}, 7},
        {"armed without hour", [](TickRig& rig) { rig.DailyAlarm(0, "", "05", "AM"); }, 6},
        {"armed, not due", [](TickRig& rig) { rig.DailyAlarm(0, "8", "05", "AM"); }, 6},
        {"armed, unreadable", [](TickRig& rig) { rig.DailyAlarm(0, "x", "05", "AM"); }, 6},
        {"armed and due", [](TickRig& rig) { rig.DailyAlarm(0, "7", "05", "AM"); }, 7},
    };
    for (const auto& c : cases) {
        TickRig rig;
        c.setUp(rig);
        rig.RunAt(At(7, 5, 0));
        EXPECT_EQ(rig.pump.runs, c.pumps) << c.what;
    }
}

TEST(AlarmRing, ChangesMadeByHandlersDuringTheTickAreSeenByTheNextSlot)
{
    TickRig rig;
    rig.pump.pending = [&] { rig.DailyAlarm(4, "7", "05", "AM"); };
    rig.RunAt(At(7, 5, 0));
    EXPECT_EQ(rig.state.Alarms[4].RingCount, 1);
    EXPECT_EQ(rig.tick.CurrentAlarm(), 4);
}


// Dated alarms.

TEST(DatedAlarm, WhoseMomentPassedWhileTheClockWasNotRunningRingsAtTheFirstTick)
{
    TickRig rig;
    AlarmSlot& alarm = rig.DailyAlarm(0, "7", "05", "AM");
    alarm.AlarmDate = "Sat Dec 05, 2026";
    alarm.AlarmMessage = "Missed";
    rig.RunAt(At(15, 42, 17));
    EXPECT_EQ(rig.sounds.Count(ToneUse::AlarmRing), 4);
    EXPECT_EQ(rig.popups.shown.size(), 1u);
}

TEST(DatedAlarm, MatchesFromItsMomentOnUntilDisarmed)
{
    TickRig rig;
    AlarmSlot& alarm = rig.DailyAlarm(0, "7", "05", "AM");
    alarm.AlarmDate = "Sun Dec 06, 2026";
    rig.RunAt(At(7, 4, 59));
    EXPECT_FALSE(rig.tick.CurrentAlarm().has_value());
    rig.RunAt(At(7, 5, 0));
    EXPECT_EQ(rig.sounds.Count(ToneUse::AlarmRing), 4);
    rig.tick.SilenceCurrentAlarm();
    EXPECT_FALSE(alarm.IsArmed());
    rig.RunAt(At(7, 5, 1));
    EXPECT_EQ(rig.sounds.Count(ToneUse::AlarmRing), 4);
}




// Launching.

TEST(AlarmLaunch, RingsOnceLaunchesDisarmsAndStillPopsUpInTheSameTick)
{
    TickRig rig;
    AlarmSlot& alarm = rig.DailyAlarm(0, "7", "05", "AM");
    alarm.AlarmExec = "/usr/bin/foo";
    alarm.AlarmMessage = "Backup";
    rig.RunAt(At(7, 5, 0));
    EXPECT_EQ(rig.sounds.Count(ToneUse::AlarmRing), 4);
    EXPECT_EQ(rig.shell.opened, std::vector<std::string>{"/usr/bin/foo"});
    EXPECT_EQ(alarm.AlarmActivated, "0");
    EXPECT_TRUE(alarm.ExecDone);
    EXPECT_EQ(alarm.RingCount, 5);
    ASSERT_EQ(rig.popups.shown.size(), 1u);
    EXPECT_EQ(rig.popups.shown[0].message, "Backup");

    rig.RunSeconds(At(7, 5, 1), 10);
    EXPECT_EQ(rig.sounds.Count(ToneUse::AlarmRing), 4);
    EXPECT_EQ(rig.shell.opened.size(), 1u);
    EXPECT_EQ(rig.popups.shown.size(), 1u);
}

TEST(AlarmLaunch, DisarmsEvenWhenNothingCouldBeOpened)
{
    TickRig rig;
    rig.shell.succeed = false;
    AlarmSlot& alarm = rig.DailyAlarm(0, "7", "05", "AM");
    alarm.AlarmExec = "/no/such/program";
    rig.RunAt(At(7, 5, 0));
    EXPECT_FALSE(alarm.IsArmed());
    EXPECT_TRUE(alarm.ExecDone);
}

TEST(AlarmLaunch, ClearsTheActivateBoxOfTheOpenOptionsWindow)
{
    TickRig rig;
    rig.state.OptionsOpen = true;
    rig.DailyAlarm(3, "7", "05", "AM").AlarmExec = "/usr/bin/foo";
    rig.RunAt(At(7, 5, 0));
    EXPECT_EQ(rig.options.clearedActivate, std::set<int>{3});
}

TEST(AlarmLaunch, StopsTheRingingWithinRangeWhenAlarmNoOfRingsIsAtItsLargest)
{
    TickRig rig;
    rig.state.AlarmNoOfRings = std::numeric_limits<int16_t>::max();
    AlarmSlot& alarm = rig.DailyAlarm(0, "7", "05", "AM");
    alarm.AlarmExec = "/usr/bin/foo";
    rig.RunAt(At(7, 5, 0));
    EXPECT_EQ(alarm.RingCount, std::numeric_limits<int16_t>::max());
    alarm.AlarmActivated = "1"; // armed again by hand: it must stay silent
    rig.RunAt(At(7, 5, 1));
    EXPECT_EQ(rig.sounds.Count(ToneUse::AlarmRing), 4);
}

// Pop-ups.

TEST(AlarmPopup, IsShownOnceWithCaptionTimeLineSlotAndMessage)
{
    const struct {
        const char* date;
        const char* label;
    } cases[] = {{"", " 7:05 AM"}, {"Sun Dec 06, 2026", "Sun Dec 06, 2026 7:05 AM"}};
    for (const auto& c : cases) {
        TickRig rig;
        AlarmSlot& alarm = rig.DailyAlarm(6, "7", "05", "AM");
        alarm.AlarmDate = c.date;
        alarm.AlarmMessage = "Wake up";
        rig.RunSeconds(At(7, 5, 0), 30);
        ASSERT_EQ(rig.popups.shown.size(), 1u) << c.date;
        EXPECT_EQ(rig.popups.shown[0], (AlarmPopupRequest{6, "Dorvane ", c.label, "Wake up"}));
        EXPECT_TRUE(alarm.MessageShown);
    }
}

TEST(AlarmPopup, IsNotShownWithoutMessage)
{
    TickRig rig;
    rig.DailyAlarm(0, "7", "05", "AM");
    rig.RunAt(At(7, 5, 0));
    EXPECT_TRUE(rig.popups.shown.empty());
    EXPECT_FALSE(rig.state.Alarms[0].MessageShown);
}

// The double click on the clock.

TEST(DoubleClick, StopsTheDailyAlarmThatMatchedLastAndLeavesItArmed)
{
    TickRig rig;
    AlarmSlot& earlier = rig.DailyAlarm(1, "7", "05", "AM");
    AlarmSlot& alarm = rig.DailyAlarm(2, "7", "05", "AM");
    rig.RunAt(At(7, 5, 0));
    EXPECT_EQ(rig.tick.CurrentAlarm(), 2);
    rig.tick.SilenceCurrentAlarm();
    EXPECT_EQ(alarm.RingCount, 5);
    EXPECT_EQ(earlier.RingCount, 1);
    EXPECT_TRUE(alarm.IsArmed());
    rig.RunSeconds(At(7, 5, 1), 5);
    EXPECT_EQ(alarm.RingCount, 5) << "it rings no more";
}

TEST(DoubleClick, DisarmsADatedAlarm)
{
    TickRig rig;
    AlarmSlot& alarm = rig.DailyAlarm(2, "7", "05", "AM");
    alarm.AlarmDate = "Sun Dec 06, 2026";
    rig.RunAt(At(7, 5, 0));
    rig.tick.SilenceCurrentAlarm();
    EXPECT_FALSE(alarm.IsArmed());
    EXPECT_EQ(alarm.AlarmActivated, "0");
}

TEST(DoubleClick, BeforeAnyAlarmMatchedChangesNothing)
{
    TickRig rig;
    AlarmSlot& alarm = rig.DailyAlarm(0, "7", "05", "AM");
    alarm.AlarmDate = "Mon Dec 07, 2026";
    rig.RunAt(At(6, 0, 0));
    rig.tick.SilenceCurrentAlarm();
    EXPECT_TRUE(alarm.IsArmed());
    EXPECT_EQ(alarm.RingCount, 0);
}

TEST(DoubleClick, KeepsRingCountWithinRange)
{
    TickRig rig;
    rig.state.AlarmNoOfRings = std::numeric_limits<int16_t>::max();
    AlarmSlot& alarm = rig.DailyAlarm(0, "7", "05", "AM");
    rig.RunAt(At(7, 5, 0));
    rig.tick.SilenceCurrentAlarm();
    EXPECT_EQ(alarm.RingCount, std::numeric_limits<int16_t>::max());
    rig.RunAt(At(7, 5, 1));
    EXPECT_EQ(rig.sounds.Count(ToneUse::AlarmRing), 4);
}

} // namespace
} // namespace dorvane
