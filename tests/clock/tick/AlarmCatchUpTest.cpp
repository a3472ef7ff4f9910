#include "clock/tick/AlarmCatchUp.h"
#include "tests/support/TickRig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

namespace dorvane {
namespace {

using testing::At;

struct AlarmAt { const char *hour, *minute, *ampm = "AM", *date = ""; };
constexpr const char* kToday = "Sun Dec 06, 2026";

// A tick whose time source also has a monotonic clock, moved one second per run or by a jump, and
// a tone chime striking once an hour.
struct JumpRig : testing::TickRig {
    JumpRig(int16_t grace, const std::vector<AlarmAt>& alarms)
    {
        state.MissedAlarmGrace = grace;
        state.ActivateChime = state.ChimeRingOnce = 1;
        state.SelectChime = "Tone";
        time.monotonic = 1000;
        for (int slot = 0; slot < static_cast<int>(alarms.size()); ++slot) {
            const AlarmAt& a = alarms[slot];
            DailyAlarm(slot, a.hour, a.minute, a.ampm).AlarmDate = a.date;
            state.Alarms[slot].AlarmMessage = "alarm";
        }
    }
    // Runs once a second for seconds from from, the first run monotonicStep after the last one;
    // returns the most ring tones one run played.
    int Run(const LocalTime& from, int seconds, double monotonicStep = 1)
    {
        int most = 0;
        for (int i = 0; i < seconds; ++i) {
            const auto before = sounds.Count(ToneUse::AlarmRing);
            *time.monotonic += i == 0 ? monotonicStep : 1;
            RunAt(LocalTimeAt(ContinuousSeconds(from) + i));
            most = std::max(most, sounds.Count(ToneUse::AlarmRing) - before);
        }
        return most;
    }
    int Rings() const { return sounds.Count(ToneUse::AlarmRing) / 4; }
    int Strokes() const { return sounds.Count(ToneUse::ChimeStroke); }
};

double Gap(const LocalTime& from, const LocalTime& to) { return ContinuousSeconds(to) - ContinuousSeconds(from); }

TEST(AlarmCatchUp, AlarmsSleptOverRingLateWithinTheGraceOneAtATimeAndAreListedOnceBeyondIt)
{
    const std::vector<AlarmAt> three{{"7", "02"}, {"7", "03"}, {"7", "04"}};
    // realSleep: monotonic seconds, 0 for as long as the wall clock moved; strokes: chime strokes after waking.
    const struct { const char* name; std::vector<AlarmAt> alarms; LocalTime sleep, wake; double realSleep; int16_t grace;
                   int rings, popups; std::vector<int> missed; bool firstArmed; int strokes = 0; } rows[] = {
        {"asleep 3 min past", {{"7", "05"}}, At(7, 0, 0), At(7, 8, 0), 0, 10, 4, 1, {}, true},
        {"asleep 3 h past", {{"7", "05"}}, At(7, 0, 0), At(10, 5, 0), 0, 10, 0, 0, {0}, true},
        {"three within the grace", three, At(7, 0, 0), At(7, 8, 0), 0, 10, 12, 3, {}, true},
        {"three beyond it", three, At(7, 0, 0), At(9, 0, 0), 0, 10, 0, 0, {0, 1, 2}, true, 1},
        {"grace 0", {{"7", "05"}}, At(7, 0, 0), At(7, 8, 0), 0, 0, 0, 0, {0}, true},
        {"dated 3 h past", {{"7", "05", "AM", kToday}}, At(7, 0, 0), At(10, 5, 0), 0, 10, 0, 0, {0}, false},
        {"dated 3 min past", {{"7", "05", "AM", kToday}}, At(7, 0, 0), At(7, 8, 0), 0, 10, 4, 1, {}, true},
        {"clock set 3 h on", {{"7", "05"}}, At(7, 0, 0), At(10, 5, 0), 1, 10, 4, 1, {}, true},
        {"spring's skipped hour", {{"2", "30"}}, At(1, 59, 59), At(3, 0, 0), 1, 10, 4, 1, {}, true, 1},
        {"asleep a day: today's rings", {{"7", "05"}}, At(7, 0, 0), At(7, 8, 0, {2026, 12, 7}), 0, 10, 4, 1, {}, true},
        {"woke in its minute", {{"7", "05"}}, At(7, 0, 0), At(7, 5, 30), 0, 10, 4, 1, {}, true},
        {"asleep over the hour", {}, At(7, 59, 0), At(8, 0, 20), 0, 10, 0, 0, {}, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        JumpRig rig(row.grace, row.alarms);
        rig.Run(LocalTimeAt(ContinuousSeconds(row.sleep) - 2), 3);
        const int strokes = rig.Strokes();
        EXPECT_LE(rig.Run(row.wake, 40, row.realSleep > 0 ? row.realSleep : Gap(row.sleep, row.wake)), 4)
            << "one ring a run, never several at once";
        std::vector<int> missed;
        for (const auto& popup : rig.popups.missed)
            for (const MissedAlarm& alarm : popup)
                missed.push_back(alarm.slot);
        EXPECT_EQ(std::tuple(rig.Rings(), int(rig.popups.shown.size()), missed, rig.state.Alarms[0].IsArmed(), rig.Strokes() - strokes),
                  std::tuple(row.rings, row.popups, row.missed, row.firstArmed, row.strokes));
        EXPECT_LE(rig.popups.missed.size(), 1u) << "one missed pop-up";
    }
}

TEST(AlarmCatchUp, AClockGoneBackRingsNoAlarmTimeTwiceAndTheChimeStrikesTheHourShown)
{
    // Runs from from; at back the clock shows to.
    const struct { const char* name; AlarmAt alarm; LocalTime from, back, to; int runsAfter, ringsBefore,
                   ringsAfter, strokesAfter; } rows[] = {
        {"set back an hour mid-ring", {"7", "05"}, At(7, 4, 59), At(7, 5, 2), At(6, 5, 2), 3660, 2, 0, 1},
        {"autumn's repeated hour", {"2", "30"}, At(2, 29, 58), At(2, 59, 59), At(2, 0, 0), 1900, 4, 0, 1},
        {"set back a day mid-ring", {"7", "05"}, At(7, 4, 59), At(7, 5, 2), At(7, 4, 50, {2026, 12, 5}), 60, 2, 2, 0},
    };
    for (const auto& row : rows) {
        JumpRig rig(10, {row.alarm});
        rig.Run(row.from, static_cast<int>(Gap(row.from, row.back)));
        const int rings = rig.Rings(), strokes = rig.Strokes();
        rig.Run(row.to, row.runsAfter);
        EXPECT_EQ(std::tuple(rings, rig.Rings() - rings, rig.Strokes() - strokes),
                  std::tuple(row.ringsBefore, row.ringsAfter, row.strokesAfter)) << row.name;
    }
}

TEST(AlarmCatchUp, ALateStartRingsAlarmsOfTheLastGraceMinutesOfTodayAndForgetsOlderOnes)
{
    const struct { const char* name; AlarmAt alarm; LocalTime start; int16_t grace; int rings; bool armedAfter; } rows[] = {
        {"5 min after", {"7", "05"}, At(7, 10, 0), 10, 4, true},
        {"exactly the grace after", {"7", "05"}, At(7, 15, 0), 10, 4, true},
        {"beyond the grace", {"7", "05"}, At(7, 15, 1), 10, 0, true},
        {"grace 0", {"7", "05"}, At(7, 10, 0), 0, 0, true},
        {"yesterday's, 5 min before midnight", {"11", "55", "PM"}, At(0, 0, 0), 10, 0, true},
        {"midnight's", {"12", "00"}, At(0, 5, 0), 10, 4, true},
        {"dated 5 min after", {"7", "05", "AM", kToday}, At(7, 10, 0), 10, 4, true},
        {"dated yesterday", {"7", "05", "AM", "Sat Dec 05, 2026"}, At(7, 10, 0), 10, 0, false},
    };
    for (const auto& row : rows) {
        JumpRig rig(row.grace, {row.alarm});
        rig.tick.ProgramStarting();
        rig.Run(row.start, 10);
        EXPECT_EQ(std::tuple(rig.Rings(), rig.state.Alarms[0].IsArmed(), rig.popups.missed.size()),
                  std::tuple(row.rings, row.armedAfter, 0u)) << row.name << ": a late start lists nothing";
    }
}

} // namespace
} // namespace dorvane
