#include "options/Form2.h"
#include "tests/support/RecordingOptionsParts.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace dorvane {
namespace {

using namespace dorvane::testing;

// What row 0 of the alarm editor and slot 0 show after the row's actions, by name.
std::map<std::string, std::string> Observe(const Form2& form, const ClockState& state, const RecordingOptionsParts& parts)
{
    const AlarmRowControls& row = form.Alarms().Row(0);
    const AlarmSlot& slot = state.Alarms[0];
    return {{"hour", row.hour}, {"min", row.minute}, {"box", row.activate ? "1" : "0"}, {"ampm", row.ampm},
            {"date", row.date}, {"exec", row.exec}, {"AlarmHour", slot.AlarmHour}, {"AlarmMin", slot.AlarmMin},
            {"AlarmActivated", slot.AlarmActivated}, {"AlarmAMPM", slot.AlarmAMPM}, {"AlarmDate", slot.AlarmDate},
            {"AlarmExec", slot.AlarmExec}, {"rearmed", slot.RingCount == 0 && !slot.MessageShown && !slot.ExecDone ? "1" : "0"},
            {"selected", parts.selectedMinutes.count(0) ? "1" : "0"}, {"calendar", parts.calendarShown ? "shown" : "hidden"},
            {"clicks", std::to_string(parts.sounds.Count(ToneUse::Click))},
            {"rings", std::to_string(parts.sounds.Count(ToneUse::AlarmRing))}, {"freqText", form.Alarms().AlarmFreqText()},
            {"AlarmFreq", std::to_string(state.AlarmFreq)}, {"ringText", form.Alarms().RingCountText()},
            {"AlarmNoOfRings", std::to_string(state.AlarmNoOfRings)}, {"DateEditAlarm", std::to_string(state.DateEditAlarm)}};
}

using Action = std::function<void(Form2&)>;
Action Hour(std::string t) { return [t](Form2& f) { f.Alarms().Write(0, AlarmField::Hour, t); }; }
Action Min(std::string t) { return [t](Form2& f) { f.Alarms().Write(0, AlarmField::Minute, t); }; }
Action Date(std::string t) { return [t](Form2& f) { f.Alarms().Write(0, AlarmField::Date, t); }; }
Action Box(bool on) { return [on](Form2& f) { f.Alarms().WriteActivate(0, on); }; }
Action Freq(std::string t) { return [t](Form2& f) { f.Alarms().WriteAlarmFreq(t); }; }
Action Rings(std::string t) { return [t](Form2& f) { f.Alarms().WriteRingCount(t); }; }
Action Drop(std::vector<std::string> files) { return [files](Form2& f) { f.Alarms().ExecDropped(0, files); }; }
const Action kLeaveMin = [](Form2& f) { f.Alarms().MinuteLeft(0); };
const Action kAmPm = [](Form2& f) { f.Alarms().AmPmClicked(0); };
const Action kDateClick = [](Form2& f) { f.Alarms().DateClicked(0); };
const Action kDateDoubleClick = [](Form2& f) { f.Alarms().DateDoubleClicked(0); };
const Action kMinDoubleClick = [](Form2& f) { f.Alarms().MinuteDoubleClicked(0); };
const Action kTickClears = [](Form2& f) { f.ClearActivateAlarm(0); };
const Action kTickSetsMin = [](Form2& f) { f.SetAlarmMinText(0, "00"); };
const Action kPopupClears = [](Form2& f) { f.ClearAlarmRow(0); };

// Slot 0 before opening: hour, minute, armed; "rung" marks it as having rung and popped up.
struct Slot { const char* hour; const char* min; const char* activated; bool rung; };

TEST(AlarmEditor, EachEditIsCheckedNormalisedAndCopiedIntoTheSlotAtOnce)
{
    const Slot empty{"", "00", "0", false}, set{"7", "05", "0", false}, armedRung{"7", "05", "1", true};
    const struct { const char* name; Slot slot; std::vector<Action> actions; std::map<std::string, std::string> expected; } cases[] = {
        {"13 is no hour", armedRung, {Hour("1"), Hour("13")}, {{"hour", ""}, {"box", "0"}, {"AlarmActivated", "0"}, {"AlarmHour", ""}}},
        {"0 is no hour", set, {Hour("0")}, {{"hour", ""}, {"AlarmHour", ""}}},
        {"12 stays", set, {Hour("12")}, {{"hour", "12"}, {"AlarmHour", "12"}}},
        {"hour re-arms", armedRung, {Hour("8")}, {{"AlarmHour", "8"}, {"rearmed", "1"}, {"box", "1"}}},
        {"no hour, minute 00", empty, {Min("3"), Min("35")}, {{"min", "00"}, {"AlarmMin", "00"}}},
        {"7 becomes 07 on leaving", set, {Min("7"), kLeaveMin}, {{"min", "07"}, {"AlarmMin", "07"}}},
        {"60 becomes 00 selected", set, {Min("60")}, {{"min", "00"}, {"AlarmMin", "00"}, {"selected", "1"}}},
        {"59 stays", set, {Min("59")}, {{"min", "59"}, {"AlarmMin", "59"}, {"selected", "0"}}},
        {"minute double click", set, {kMinDoubleClick}, {{"min", "00"}, {"selected", "1"}}},
        {"minute re-arms", armedRung, {Min("06")}, {{"AlarmMin", "06"}, {"rearmed", "1"}}},
        {"activate without hour", empty, {Box(true)}, {{"box", "0"}, {"AlarmActivated", "0"}, {"clicks", "0"}}},
        {"activate with hour", set, {Box(true)}, {{"box", "1"}, {"AlarmActivated", "1"}, {"clicks", "1"}, {"rearmed", "1"}}},
        {"AM/PM toggles, no re-arm", armedRung, {kAmPm}, {{"ampm", "PM"}, {"AlarmAMPM", "PM"}, {"rearmed", "0"}}},
        {"AM/PM twice", set, {kAmPm, kAmPm}, {{"ampm", "AM"}, {"AlarmAMPM", "AM"}}},
        {"date re-arms", armedRung, {Date("Mon Dec 07, 2026")}, {{"AlarmDate", "Mon Dec 07, 2026"}, {"rearmed", "1"}}},
        {"date click shows calendar", set, {kDateClick}, {{"calendar", "shown"}, {"DateEditAlarm", "0"}}},
        {"date double click", set, {Date("Mon Dec 07, 2026"), kDateClick, kDateDoubleClick}, {{"date", ""}, {"AlarmDate", ""}, {"calendar", "hidden"}}},
        {"ring count 45", set, {Rings("45")}, {{"ringText", "30"}, {"AlarmNoOfRings", "30"}}},
        {"ring count 0", set, {Rings("0")}, {{"ringText", "1"}, {"AlarmNoOfRings", "1"}}},
        {"ring count empty", set, {Rings("")}, {{"ringText", "1"}, {"AlarmNoOfRings", "1"}}},
        {"ring count half to even", set, {Rings("2.5")}, {{"ringText", "2.5"}, {"AlarmNoOfRings", "2"}}},
        {"ring count leading number", set, {Rings("1 5x")}, {{"AlarmNoOfRings", "15"}}},
        {"frequency preview", set, {Freq("2"), Freq("25")}, {{"AlarmFreq", "25"}, {"rings", "8"}}},
        {"frequency 9e9 kept in range", set, {Freq("9e9")}, {{"AlarmFreq", "32767"}, {"rings", "4"}}},
        {"frequency -9e9 kept in range", set, {Freq("-9e9")}, {{"AlarmFreq", "-32768"}}},
        {"frequency half to even", set, {Freq("2000.5")}, {{"AlarmFreq", "2000"}}},
        {"frequency without number", set, {Freq("x")}, {{"AlarmFreq", "0"}}},
        {"two files dropped", set, {Drop({"/home/ann/a b.ogg", "/home/ann/c.ogg"})}, {{"exec", "/home/ann/a b.ogg"}, {"AlarmExec", "/home/ann/a b.ogg"}}},
        {"a drop without files", set, {Drop({"/x"}), Drop({})}, {{"exec", ""}, {"AlarmExec", ""}}},
        {"tick clears the box", armedRung, {kTickClears}, {{"box", "0"}, {"AlarmActivated", "0"}}},
        {"tick sets the minute", set, {Min("30"), kTickSetsMin}, {{"min", "00"}, {"AlarmMin", "00"}}},
        {"pop-up clears the row", armedRung, {kAmPm, kPopupClears}, {{"hour", ""}, {"min", "00"}, {"ampm", "AM"}, {"box", "0"}, {"AlarmActivated", "0"}, {"AlarmHour", ""}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OptionsRig w([&](ClockState& state) {
            AlarmSlot& slot = state.Alarms[0];
            std::tie(slot.AlarmHour, slot.AlarmMin, slot.AlarmActivated) = std::tuple(c.slot.hour, c.slot.min, c.slot.activated);
            if (c.slot.rung)
                std::tie(slot.RingCount, slot.MessageShown, slot.ExecDone) = std::tuple(4, true, true);
        });
        for (const Action& action : c.actions)
            action(w.form);
        const auto seen = Observe(w.form, w.state, w.parts);
        for (const auto& [name, value] : c.expected)
            EXPECT_EQ(seen.at(name), value) << name;
    }
}

} // namespace
} // namespace dorvane
