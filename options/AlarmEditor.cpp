#include "options/AlarmEditor.h"

#include "clock/state/NumberText.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace dorvane {
namespace {

constexpr TickTone kClickTone{ToneUse::Click, 2000, 100, 0, false};

// Characters, not bytes, of a UTF-8 text.
std::size_t CharacterCount(const std::string& text)
{
    return static_cast<std::size_t>(std::ranges::count_if(text, [](char c) { return (c & 0xC0) != 0x80; }));
}

} // namespace

AlarmEditor::AlarmEditor(ClockState& state, const Form2Parts& parts, Form2Window& window, const bool& visible)
    : state_(state), parts_(parts), window_(window), visible_(visible)
{
}

std::string& AlarmEditor::Field(int row, AlarmField field)
{
    AlarmRowControls& controls = rows_.at(row);
    switch (field) {
    case AlarmField::Date: return controls.date;
    case AlarmField::Hour: return controls.hour;
    case AlarmField::Minute: return controls.minute;
    case AlarmField::Message: return controls.message;
    case AlarmField::Exec: break;
    }
    return controls.exec;
}

void AlarmEditor::Write(int row, AlarmField field, const std::string& text)
{
    std::string& value = Field(row, field);
    if (value == text)
        return;
    value = text;
    window_.ControlsChanged();
    Changed(row, field);
}

void AlarmEditor::Changed(int row, AlarmField field)
{
    switch (field) {
    case AlarmField::Date: DateChanged(row); break;
    case AlarmField::Hour: HourChanged(row); break;
    case AlarmField::Minute: MinuteChanged(row); break;
    case AlarmField::Message: state_.Alarms[row].AlarmMessage = rows_[row].message; break;
    case AlarmField::Exec: state_.Alarms[row].AlarmExec = rows_[row].exec; break;
    }
}

void AlarmEditor::WriteActivate(int row, bool checked)
{
    if (rows_.at(row).activate == checked)
        return;
    rows_[row].activate = checked;
    window_.ControlsChanged();
    ActivateClicked(row);
}

void AlarmEditor::WriteAmPmCaption(int row, const std::string& caption)
{
    rows_.at(row).ampm = caption;
    window_.ControlsChanged();
}

void AlarmEditor::WriteAlarmFreq(const std::string& text)
{
    if (alarmFreq_ == text)
        return;
    alarmFreq_ = text;
    window_.ControlsChanged();
    AlarmFreqChanged();
}

void AlarmEditor::WriteRingCount(const std::string& text)
{
    if (ringCount_ == text)
        return;
    ringCount_ = text;
    window_.ControlsChanged();
    RingCountChanged();
}

// An hour outside 1..12, or none, empties the field and disarms the row.
void AlarmEditor::HourChanged(int row)
{
    if (!visible_)
        return;
    if (LeadingNumber(rows_[row].hour) > 12)
        EmptyHour(row);
    if (LeadingNumber(rows_[row].hour) <= 0) // an empty field reads as 0
        EmptyHour(row);
    state_.Alarms[row].AlarmHour = rows_[row].hour;
    if (rows_[row].activate && !rows_[row].hour.empty())
        Rearm(row);
}

// Without an hour a minute is always "00"; a minute above 59, zero or no number becomes "00"
// with both characters selected, so that the next keystroke replaces them.
void AlarmEditor::MinuteChanged(int row)
{
    if (!visible_)
        return;
    if (rows_[row].hour.empty()) {
        Write(row, AlarmField::Minute, "00");
        return;
    }
    if (LeadingNumber(rows_[row].minute) > 59)
        SelectMinute(row);
    if (LeadingNumber(rows_[row].minute) <= 0)
        SelectMinute(row);
    state_.Alarms[row].AlarmMin = rows_[row].minute;
    if (rows_[row].activate && !rows_[row].minute.empty())
        Rearm(row);
}

void AlarmEditor::EmptyHour(int row)
{
    Write(row, AlarmField::Hour, "");
    WriteActivate(row, false);
}

void AlarmEditor::SelectMinute(int row)
{
    Write(row, AlarmField::Minute, "00");
    window_.SelectMinuteText(row);
}

void AlarmEditor::MinuteLeft(int row)
{
    if (CharacterCount(rows_.at(row).minute) == 1) {
        std::string padded(1, '0');
        padded += rows_[row].minute;
        Write(row, AlarmField::Minute, padded);
    }
    if (rows_[row].hour.empty())
        Write(row, AlarmField::Minute, "00");
}

void AlarmEditor::MinuteDoubleClicked(int row) { SelectMinute(row); }

void AlarmEditor::AmPmClicked(int row)
{
    WriteAmPmCaption(row, rows_.at(row).ampm == "AM" ? "PM" : "AM");
    state_.Alarms[row].AlarmAMPM = rows_[row].ampm;
}

void AlarmEditor::DateClicked(int row)
{
    state_.DateEditAlarm = static_cast<int16_t>(row);
    parts_.calendar.ShowCalendar();
}

void AlarmEditor::DateDoubleClicked(int row)
{
    Write(row, AlarmField::Date, "");
    parts_.calendar.CloseCalendar();
}

void AlarmEditor::DateChanged(int row)
{
    if (!visible_)
        return;
    state_.Alarms[row].AlarmDate = rows_[row].date;
    if (rows_[row].activate)
        Rearm(row);
}

// The field is emptied first and pending events run before the first file's path arrives.
void AlarmEditor::ExecDropped(int row, const std::vector<std::string>& files)
{
    Write(row, AlarmField::Exec, "");
    parts_.pump.RunPendingMessages();
    if (!files.empty())
        Write(row, AlarmField::Exec, files.front());
}

// A row without an hour cannot be armed; arming re-arms the slot and confirms with the click tone.
void AlarmEditor::ActivateClicked(int row)
{
    if (!visible_)
        return;
    if (rows_[row].hour.empty())
        WriteActivate(row, false);
    state_.Alarms[row].AlarmActivated.assign(1, rows_[row].activate ? '1' : '0');
    if (rows_[row].activate) {
        Rearm(row);
        PlayClickTone();
    }
}

// Every change is heard: four tones, one ring of an alarm.
void AlarmEditor::AlarmFreqChanged()
{
    if (!visible_)
        return;
    state_.AlarmFreq = ToSetting(LeadingNumber(alarmFreq_));
    for (int tone = 0; tone < kPreviewTones; ++tone)
        parts_.sounds.PlayTone({ToneUse::AlarmRing, state_.AlarmFreq, kRingMilliseconds, 0, false});
}

void AlarmEditor::RingCountChanged()
{
    if (!visible_)
        return;
    if (LeadingNumber(ringCount_) > kMostRings)
        WriteRingCount(std::to_string(kMostRings));
    if (LeadingNumber(ringCount_) < 1)
        WriteRingCount("1");
    state_.AlarmNoOfRings = ToSetting(LeadingNumber(ringCount_));
}

void AlarmEditor::Rearm(int row)
{
    AlarmSlot& slot = state_.Alarms[row];
    slot.RingCount = 0;
    slot.MessageShown = false;
    slot.ExecDone = false;
}

void AlarmEditor::ClearRow(int row)
{
    WriteActivate(row, false);
    for (AlarmField field : {AlarmField::Date, AlarmField::Hour, AlarmField::Minute, AlarmField::Message, AlarmField::Exec})
        Write(row, field, "");
    WriteAmPmCaption(row, "AM");
}

void AlarmEditor::ShowSlots()
{
    for (int row = 0; row < kRows; ++row) {
        const AlarmSlot& slot = state_.Alarms[row];
        WriteActivate(row, IsNumberOne(slot.AlarmActivated));
        Write(row, AlarmField::Date, slot.AlarmDate);
        Write(row, AlarmField::Hour, slot.AlarmHour);
        Write(row, AlarmField::Minute, slot.AlarmMin);
        WriteAmPmCaption(row, slot.AlarmAMPM);
        Write(row, AlarmField::Message, slot.AlarmMessage);
        Write(row, AlarmField::Exec, slot.AlarmExec);
    }
    WriteAlarmFreq(std::to_string(state_.AlarmFreq));
    WriteRingCount(std::to_string(state_.AlarmNoOfRings));
}

void AlarmEditor::PlayClickTone() { parts_.sounds.PlayTone(kClickTone); }

} // namespace dorvane
