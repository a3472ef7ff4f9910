#include "clock/settings/SettingsFile.h"

#include "clock/settings/IniProfile.h"
#include "clock/state/NumberText.h"
#include "platform/FileStore.h"

#include <ostream>
#include <type_traits>
#include <variant>

namespace dorvane {
namespace {

constexpr const char* kSettings = "Settings";

using Field = std::variant<std::string ClockState::*, int16_t ClockState::*, uint8_t ClockState::*,
                           bool ClockState::*, int32_t ClockState::*>;

struct SettingKey {
    const char* name;
    const char* fallback; // nullptr: computed at load (the position)
    Field field;
};

// The keys of "[Settings]" in the order in which they are read and written.
const SettingKey kKeys[] = {
    {"Skin", "<Default>", &ClockState::Skin},
    {"ComputerSpeaker", "0", &ClockState::ComputerSpeaker},
    {"FreqVol", "16250", &ClockState::FreqVol},
    {"X", nullptr, &ClockState::X},
    {"Y", nullptr, &ClockState::Y},
    {"Unmovable", "0", &ClockState::Unmovable},
    {"AlwaysOnTop", "0", &ClockState::AlwaysOnTop},
    {"Alpha", "179", &ClockState::Alpha},
    {"RunAtStartup", "0", &ClockState::RunAtStartup},
    {"InvisibleClock", "0", &ClockState::InvisibleClock},
    {"ShowSeconds", "1", &ClockState::ShowSeconds},
    {"ActivateTick", "0", &ClockState::ActivateTick},
    {"TickFreq", "7000", &ClockState::TickFreq},
    {"TickDur", "50", &ClockState::TickDur},
    {"ActivateChime", "1", &ClockState::ActivateChime},
    {"SelectChime", "BigBen", &ClockState::SelectChime},
    {"ChimeFreq", "500", &ClockState::ChimeFreq},
    {"ChimeRingOnce", "0", &ClockState::ChimeRingOnce},
    {"AlarmFreq", "2000", &ClockState::AlarmFreq},
    {"AlarmNoOfRings", "4", &ClockState::AlarmNoOfRings},
    {"ShowBorder", "0", &ClockState::ShowBorder},
    {"MissedAlarmGrace", "10", &ClockState::MissedAlarmGrace},
};
constexpr int kX = 3, kY = 4, kAlpha = 7, kLast = 21;

struct AlarmKey {
    const char* name;
    const char* fallback;
    std::string AlarmSlot::*field;
};

const AlarmKey kAlarmKeys[] = {
    {"AlarmActivated", "0", &AlarmSlot::AlarmActivated}, {"AlarmDate", "", &AlarmSlot::AlarmDate},
    {"AlarmHour", "", &AlarmSlot::AlarmHour},           {"AlarmMin", "00", &AlarmSlot::AlarmMin},
    {"AlarmAMPM", "AM", &AlarmSlot::AlarmAMPM},         {"AlarmMessage", "", &AlarmSlot::AlarmMessage},
    {"AlarmExec", "", &AlarmSlot::AlarmExec},
};

std::string AlarmSection(int slot) { return "Alarm" + std::to_string(slot); }

// Converts text for a field; a value that does not convert, or does not fit, takes the default.
template <typename T>
T Converted(const std::string& text, const std::string& fallback, std::optional<T> (*round)(double))
{
    for (const std::string* candidate : {&text, &fallback})
        if (auto number = ParseNumber(*candidate))
            if (auto value = round(*number))
                return *value;
    return T{};
}

void Assign(ClockState& state, const Field& field, const std::string& text, const std::string& fallback)
{
    std::visit(
        [&](auto member) {
            using T = std::remove_reference_t<decltype(state.*member)>;
            if constexpr (std::is_same_v<T, std::string>)
                state.*member = text;
            else if constexpr (std::is_same_v<T, bool>)
                state.*member = ParseNumber(text).value_or(ParseNumber(fallback).value_or(0)) != 0;
            else if constexpr (std::is_same_v<T, int16_t>)
                state.*member = Converted<int16_t>(text, fallback, RoundToInt16);
            else if constexpr (std::is_same_v<T, uint8_t>)
                state.*member = Converted<uint8_t>(text, fallback, RoundToByte);
            else
                state.*member = Converted<int32_t>(text, fallback, RoundToInt32);
        },
        field);
}

std::string Text(const ClockState& state, const Field& field)
{
    return std::visit(
        [&](auto member) -> std::string {
            const auto& value = state.*member;
            using T = std::remove_cvref_t<decltype(value)>;
            if constexpr (std::is_same_v<T, std::string>)
                return value;
            else if constexpr (std::is_same_v<T, bool>)
                return value ? "1" : "0";
            else
                return std::to_string(static_cast<int64_t>(value));
        },
        field);
}

} // namespace

SettingsFile::SettingsFile(std::filesystem::path path, ClockState& state, SettingsHost& host, const Screen& screen,
                           std::ostream& errors)
    : path_(std::move(path)), state_(state), host_(host), screen_(screen), errors_(errors)
{
}

Status SettingsFile::Reported(Status status)
{
    if (!status)
        errors_ << "dorvane: " << status.error() << "\n";
    return status;
}

Status SettingsFile::LoadSettings()
{
    auto file = IniProfile::Load(path_);
    unreadableReason_ = file ? std::string() : file.error();
    const IniFile source = file ? file.take() : IniFile();
    LoadKeys(source, 0, kX - 1);
    LoadPosition(source);
    LoadKeys(source, kY + 1, kAlpha);
    state_.HighQuality = true;
    host_.SetTopMost(state_.AlwaysOnTop);
    LoadKeys(source, kAlpha + 1, kLast);
    LoadAlarms(source);
    host_.LoadSkin();
    if (!unreadableReason_.empty())
        return Reported(Status::Failure(unreadableReason_ + "; using the default settings"));
    return Status::Ok();
}

void SettingsFile::LoadKeys(const IniFile& file, int first, int last)
{
    for (int i = first; i <= last; ++i) {
        const SettingKey& key = kKeys[i];
        Assign(state_, key.field, IniProfile::Lookup(file, kSettings, key.name, key.fallback), key.fallback);
    }
}

// The default position keeps the clock 300 twips from the right and top edges of the screen.
// Asking for the window's width creates the clock window at this moment.
void SettingsFile::LoadPosition(const IniFile& file)
{
    const double screenWidthTwips = screen_.WidthPixels() * screen_.TwipsPerPixelX();
    const double windowWidthTwips = host_.ClockWindowWidthTwips();
    const std::string defaultX =
        std::to_string(WholeQuotient(screenWidthTwips - windowWidthTwips - 300, screen_.TwipsPerPixelX()));
    const std::string defaultY = std::to_string(WholeQuotient(300, screen_.TwipsPerPixelY()));
    Assign(state_, kKeys[kX].field, IniProfile::Lookup(file, kSettings, "X", defaultX), defaultX);
    Assign(state_, kKeys[kY].field, IniProfile::Lookup(file, kSettings, "Y", defaultY), defaultY);
}

void SettingsFile::LoadAlarms(const IniFile& file)
{
    for (int slot = 0; slot < ClockState::kUsedAlarms; ++slot)
        for (const AlarmKey& key : kAlarmKeys)
            state_.Alarms[slot].*key.field = IniProfile::Lookup(file, AlarmSection(slot), key.name, key.fallback);
}

void SettingsFile::WriteInto(IniFile& file)
{
    const TwipsPoint position = host_.ClockWindowPositionTwips();
    for (int i = 0; i <= kLast; ++i) {
        std::string value = Text(state_, kKeys[i].field);
        if (i == kX)
            value = std::to_string(WholeQuotient(position.x, screen_.TwipsPerPixelX()));
        else if (i == kY)
            value = std::to_string(WholeQuotient(position.y, screen_.TwipsPerPixelY()));
        file.Set(kSettings, kKeys[i].name, value);
    }
    for (int slot = 0; slot < ClockState::kUsedAlarms; ++slot)
        for (const AlarmKey& key : kAlarmKeys)
            file.Set(AlarmSection(slot), key.name, state_.Alarms[slot].*key.field);
}

Status SettingsFile::SaveSettings()
{
    // The user's choice to keep the file as it is; said once, not at every save.
    if (FileStore::IsReadOnly(path_)) {
        if (!toldReadOnly_)
            errors_ << "dorvane: " << path_.string() << " is read-only; the settings are not saved into it\n";
        toldReadOnly_ = true;
        return Status::Ok();
    }
    if (!unreadableReason_.empty())
        return Reported(Status::Failure("not saving the settings over a file that could not be read (" +
                                        unreadableReason_ + ")"));
    auto file = IniProfile::Load(path_);
    if (!file)
        return Reported(Status::Failure("not saving the settings: " + file.error()));
    WriteInto(file.value());
    return Reported(IniProfile::Store(path_, file.value()));
}

Status SettingsFile::ResetToDefaults(MessagePump& pump)
{
    Status removed = Reported(FileStore::Remove(path_));
    pump.RunPendingMessages();
    Status loaded = LoadSettings();
    return removed ? loaded : removed;
}

std::string SettingsFile::SettingsText()
{
    // The file as it is now with every key written, as SaveSettings leaves it. A file that could not
    // be read is never saved over; its text is then only the keys.
    auto loaded = unreadableReason_.empty() ? IniProfile::Load(path_) : Result<IniFile>::Failure(unreadableReason_);
    IniFile file = loaded ? loaded.take() : IniFile();
    WriteInto(file);
    return file.Serialize();
}

} // namespace dorvane
