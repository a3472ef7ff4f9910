#include "clock/tick/AlarmCatchUp.h"
#include "tests/support/TickRig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace dorvane {
namespace {

using testing::At;
using testing::TickRig;

// A tick whose time source also has a monotonic clock, which the test moves with the wall clock
// (one second per run) or by a jump.
struct JumpRig : TickRig {
    explicit JumpRig(int16_t grace)
    {
        state.MissedAlarmGrace = grace;
        state.ActivateChime = state.ChimeRingOnce = 1;
        state.SelectChime = "Tone";
        time.monotonic = 1000;
    }
    // Runs once a second for seconds from from; returns the most ring tones any one run played.
    int Run(const LocalTime& from, int seconds)
    {
        int most = 0;
        for (int i = 0; i < seconds; ++i) {
            const auto before = sounds.Count(ToneUse::AlarmRing);
            if (i > 0)
                *time.monotonic += 1;
            RunAt(LocalTimeAt(ContinuousSeconds(from) + i));
            most = std::max(most, sounds.Count(ToneUse::AlarmRing) - before);
        }
        return most;
    }
    // An armed alarm with a message, daily or (date given) dated.
    void Arm(int slot, const char* hour, const char* minute, const char* ampm, const char* date = "")
    {
        DailyAlarm(slot, hour, minute, ampm).AlarmDate = date;
        state.Alarms[slot].AlarmMessage = "alarm " + std::to_string(slot);
    }
    std::vector<int> MissedSlots() const
    {
        std::vector<int> slots;
        for (const auto& popup : popups.missed)
            for (const MissedAlarm& alarm : popup)
                slots.push_back(alarm.slot);
        return slots;
    }
};

struct Alarm { const char *hour, *minute, *date; };

TEST(AlarmCatchUp, AlarmsSleptOverRingLateWithinTheGraceOneAtATimeAndAreListedOnceBeyondIt)
{
    const char* dated = "Sun Dec 06, 2026";
    const struct {
        const char* name;
        std::vector<Alarm> alarms; // AM
        LocalTime sleep, wake;
        double realSleep; // monotonic seconds; 0: as long as the wall clock moved
        int16_t grace;
        int rings, popups;
        std::vector<int> missed;
        bool dated0Armed;
        int strokes = 0; // chime strokes after waking
    } rows[] = {
        {"asleep 3 min past", {{"7", "05", ""}}, At(7, 0, 0), At(7, 8, 0), 0, 10, 4, 1, {}, true},
        {"asleep 3 h past", {{"7", "05", ""}}, At(7, 0, 0), At(10, 5, 0), 0, 10, 0, 0, {0}, true},
        {"three within the grace", {{"7", "02", ""}, {"7", "03", ""}, {"7", "04", ""}}, At(7, 0, 0), At(7, 8, 0), 0, 10, 12, 3, {}, true},
        {"three beyond it", {{"7", "02", ""}, {"7", "03", ""}, {"7", "04", ""}}, At(7, 0, 0), At(9, 0, 0), 0, 10, 0, 0, {0, 1, 2}, true, 1},
        {"grace 0", {{"7", "05", ""}}, At(7, 0, 0), At(7, 8, 0), 0, 0, 0, 0, {0}, true},
        {"dated 3 h past", {{"7", "05", dated}}, At(7, 0, 0), At(10, 5, 0), 0, 10, 0, 0, {0}, false},
        {"dated 3 min past", {{"7", "05", dated}}, At(7, 0, 0), At(7, 8, 0), 0, 10, 4, 1, {}, true},
        {"clock set 3 h on", {{"7", "05", ""}}, At(7, 0, 0), At(10, 5, 0), 1, 10, 4, 1, {}, true},
        {"spring's skipped hour", {{"2", "30", ""}}, At(1, 59, 59), At(3, 0, 0), 1, 10, 4, 1, {}, true, 1},
        {"asleep over the hour", {}, At(7, 59, 0), At(8, 0, 20), 0, 10, 0, 0, {}, false},
        {"asleep a day: today's rings", {{"7", "05", ""}}, At(7, 0, 0), At(7, 8, 0, {2026, 12, 7}), 0, 10, 4, 1, {}, true},
        {"woke in its minute", {{"7", "05", ""}}, At(7, 0, 0), At(7, 5, 30), 0, 10, 4, 1, {}, true},
    };
    for (const auto& row : rows) {
        JumpRig rig(row.grace);
        for (int slot = 0; slot < static_cast<int>(row.alarms.size()); ++slot)
            rig.Arm(slot, row.alarms[slot].hour, row.alarms[slot].minute, "AM", row.alarms[slot].date);
        rig.Run(LocalTimeAt(ContinuousSeconds(row.sleep) - 2), 3);
        const double wallSleep = ContinuousSeconds(row.wake) - ContinuousSeconds(row.sleep);
        *rig.time.monotonic += row.realSleep > 0 ? row.realSleep : wallSleep;
        const int before = rig.sounds.Count(ToneUse::AlarmRing), strokes = rig.sounds.Count(ToneUse::ChimeStroke);
        rig.RunAt(row.wake);
        const int woken = rig.sounds.Count(ToneUse::AlarmRing) - before;
        const int most = std::max(woken, rig.Run(LocalTimeAt(ContinuousSeconds(row.wake) + 1), 40));
        EXPECT_EQ(rig.sounds.Count(ToneUse::AlarmRing), row.rings * 4) << row.name;
        EXPECT_LE(most, 4) << row.name << ": one ring a run, never several at once";
        EXPECT_EQ(static_cast<int>(rig.popups.shown.size()), row.popups) << row.name;
        EXPECT_EQ(rig.MissedSlots(), row.missed) << row.name;
        EXPECT_LE(rig.popups.missed.size(), 1u) << row.name << ": one missed pop-up";
        EXPECT_EQ(rig.state.Alarms[0].IsArmed(), row.dated0Armed) << row.name;
        EXPECT_EQ(rig.sounds.Count(ToneUse::ChimeStroke) - strokes, row.strokes) << row.name;
    }
}

TEST(AlarmCatchUp, AClockGoneBackRingsNoAlarmTimeTwiceAndTheChimeStrikesTheHourShown)
{
    const struct {
        const char* name;
        LocalTime from, back, to; // runs from from; at back the clock shows to
        int runsAfter;
        int ringsBefore, ringsAfter, strokesAfter;
    } rows[] = {
        {"set back an hour mid-ring", At(7, 4, 59), At(7, 5, 2), At(6, 5, 2), 3660, 2, 0, 1},
        {"autumn's repeated hour", At(2, 29, 58), At(2, 59, 59), At(2, 0, 0), 1900, 4, 0, 1},
        {"set back a day mid-ring", At(7, 4, 59), At(7, 5, 2), At(7, 4, 50, {2026, 12, 5}), 60, 2, 2, 0},
    };
    for (const auto& row : rows) {
        JumpRig rig(10);
        rig.Arm(0, std::to_string(row.from.hour % 12 == 0 ? 12 : row.from.hour % 12).c_str(),
                row.from.minute == 4 ? "05" : "30", "AM");
        rig.Run(row.from, static_cast<int>(ContinuousSeconds(row.back) - ContinuousSeconds(row.from)));
        const int rings = rig.sounds.Count(ToneUse::AlarmRing);
        const int strokes = rig.sounds.Count(ToneUse::ChimeStroke);
        *rig.time.monotonic += 1;
        rig.Run(row.to, row.runsAfter);
        EXPECT_EQ(rings, row.ringsBefore * 4) << row.name;
        EXPECT_EQ(rig.sounds.Count(ToneUse::AlarmRing) - rings, row.ringsAfter * 4) << row.name;
        EXPECT_EQ(rig.sounds.Count(ToneUse::ChimeStroke) - strokes, row.strokesAfter) << row.name;
    }
}

TEST(AlarmCatchUp, ALateStartRingsAlarmsOfTheLastGraceMinutesOfTodayAndForgetsOlderOnes)
{
    const struct {
        const char* name;
        Alarm alarm; // AM
        LocalTime start;
        int16_t grace;
        int rings;
        bool armedAfter;
    } rows[] = {
        {"5 min after", {"7", "05", ""}, At(7, 10, 0), 10, 4, true},
        {"exactly the grace after", {"7", "05", ""}, At(7, 15, 0), 10, 4, true},
        {"beyond the grace", {"7", "05", ""}, At(7, 15, 1), 10, 0, true},
        {"grace 0", {"7", "05", ""}, At(7, 10, 0), 0, 0, true},
        {"yesterday's, 5 min before midnight", {"11", "55", ""}, At(0, 0, 0), 10, 0, true},
        {"midnight's", {"12", "00", ""}, At(0, 5, 0), 10, 4, true},
        {"dated 5 min after", {"7", "05", "Sun Dec 06, 2026"}, At(7, 10, 0), 10, 4, true},
        {"dated yesterday", {"7", "05", "Sat Dec 05, 2026"}, At(7, 10, 0), 10, 0, false},
    };
    for (const auto& row : rows) {
        JumpRig rig(row.grace);
        rig.Arm(0, row.alarm.hour, row.alarm.minute, row.alarm.hour[0] == '1' && row.alarm.hour[1] == '1' ? "PM" : "AM",
                row.alarm.date);
        rig.tick.ProgramStarting();
        rig.Run(row.start, 10);
        EXPECT_EQ(rig.sounds.Count(ToneUse::AlarmRing), row.rings * 4) << row.name;
        EXPECT_EQ(rig.state.Alarms[0].IsArmed() || rig.state.Alarms[0].IsDated() == false, row.armedAfter) << row.name;
        EXPECT_TRUE(rig.popups.missed.empty()) << row.name << ": a late start lists nothing";
    }
}

} // namespace
} // namespace dorvane
