#include "clock/commands/SimulatedDesktop.h"

#include "clock/state/ClockText.h"

#include <cstdio>
#include <ostream>

namespace dorvane {
namespace {

std::string Describe(const TickTone& tone)
{
    return std::to_string(tone.frequencyHz) + "Hz " + std::to_string(tone.milliseconds) + "ms";
}

} // namespace

std::string Quoted(const std::string& text)
{
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02x", static_cast<unsigned char>(c));
            quoted += escape;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

std::ostream& SimulatedDesktop::Line()
{
    return out_ << FormatTimestamp(now_) << " ";
}

std::string SimulatedDesktop::StrokeName() const
{
    return "chime stroke " + (tick_ ? std::to_string(tick_->ChimeStroke()) : std::string("?"));
}

void SimulatedDesktop::PlayTone(const TickTone& tone)
{
    switch (tone.use) {
    case ToneUse::SecondsTick: Line() << "tick " << Describe(tone) << "\n"; break;
    case ToneUse::ChimeStroke: Line() << StrokeName() << " tone " << Describe(tone) << "\n"; break;
    default: Line() << "tone " << Describe(tone) << "\n"; break;
    }
}

void SimulatedDesktop::PlayGeneratedTone(const TickTone& tone)
{
    const char* name = tone.use == ToneUse::BrisaMinuteMark ? "brisa minute mark " : "brisa tick ";
    Line() << name << Describe(tone) << "\n";
}

void SimulatedDesktop::StartRecordedChime() { Line() << StrokeName() << " BigBen\n"; }

bool SimulatedDesktop::Open(const std::string& target)
{
    Line() << "launch " << Quoted(target) << "\n";
    return true;
}

void SimulatedDesktop::ShowAlarmPopup(const AlarmPopupRequest& request)
{
    Line() << "popup slot " << request.slot << " " << Quoted(request.message) << "\n";
}

void SimulatedDesktop::ShowMissedAlarms(const std::vector<MissedAlarm>& alarms)
{
    for (const MissedAlarm& alarm : alarms)
        Line() << "missed slot " << alarm.slot << " " << Quoted(alarm.label) << " " << Quoted(alarm.message) << "\n";
}

void SimulatedDesktop::Note(const std::string& event) { Line() << event << "\n"; }

} // namespace dorvane
