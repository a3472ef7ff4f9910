#include "clock/commands/SnapshotCommand.h"

#include "clock/commands/CommandLine.h"
#include "clock/face/ClockSnapshot.h"
#include "clock/face/SkinCatalogue.h"
#include "clock/face/SkinSheet.h"
#include "clock/settings/SettingsFile.h"
#include "clock/settings/SettingsLocation.h"
#include "clock/settings/WindowlessHost.h"
#include "clock/state/NumberText.h"
#include "image/cGDIPlus.h"
#include "platform/FileStore.h"
#include "resources/EmbeddedResources.h"

#include <algorithm>
#include <ostream>

namespace dorvane {

const char* const kSnapshotCommandUsage =
    "       dorvane snapshot OUT.png [--skin NAME] [--time HH:MM:SS] [--settings FILE] [--border on|off]\n"
    "                                [--seconds on|off] [--scale F]\n"
    "       dorvane snapshot --sheet OUT.png [--time HH:MM:SS] [--settings FILE] [--border on|off]\n"
    "                                [--seconds on|off] [--scale F]\n"
    "                                           draw the clock, or every skin, to a PNG\n";

namespace {

// The moment the contact sheet shows: the hands frame the dial's name and leave the centre free.
constexpr TimeOfDay kSheetTime{10, 9, 30};

std::optional<bool> OnOff(const std::string& value)
{
    if (value == "on")
        return true;
    if (value == "off")
        return false;
    return std::nullopt;
}

const OptionNames kSnapshotOptions{{"--sheet"}, {"--skin", "--settings", "--time", "--border", "--seconds", "--scale"}};

// The scale factors a desktop may set, from a quarter to eight device pixels to a logical one.
constexpr double kLeastScale = 0.25, kMostScale = 8;

// An on/off option into target; the reason when its value is neither.
std::optional<std::string> TakeOnOff(const CommandLine& line, const std::string& name, std::optional<bool>& target)
{
    const auto value = line.Value(name);
    if (!value)
        return std::nullopt;
    target = OnOff(*value);
    if (!target)
        return name + " takes on or off";
    return std::nullopt;
}

bool NamesADial(const std::string& skin)
{
    const PictureResource dial = SkinCatalogue::DialOf(skin);
    return EmbeddedResources::Program().Find(dial.type, dial.name).has_value();
}

std::string SkinList()
{
    std::string list;
    for (std::string_view skin : SkinCatalogue::AllDials())
        list += (list.empty() ? "" : ", ") + std::string(skin);
    return list;
}

// The clock state the picture is drawn with: the settings file's (the clock's own unless the sheet
// is asked for), then the options given.
ClockState SettingsFor(const SnapshotRequest& request, const Screen& screen, std::ostream& err)
{
    ClockState state;
    if (request.settingsFile || !request.sheet) {
        const auto path = SettingsLocation::ForThisProcess(request.settingsFile).Resolve();
        WindowlessHost host(state, screen);
        SettingsFile(path, state, host, screen, err).LoadSettings();
    } else {
        state.Alpha = 255;
    }
    if (request.skin)
        state.Skin = *request.skin;
    if (request.showBorder)
        state.ShowBorder = *request.showBorder ? 1 : 0;
    if (request.showSeconds)
        state.ShowSeconds = *request.showSeconds ? 1 : 0;
    return state;
}

LocalTime MomentOf(const TimeOfDay& time, LocalTime today)
{
    today.hour = time.hour, today.minute = time.minute, today.second = time.second, today.fraction = 0;
    return today;
}

int WritePng(const std::filesystem::path& output, const c32bppDIB& picture, std::ostream& err)
{
    std::vector<std::uint8_t> png;
    if (!cGDIPlus().SaveToPNG({}, png, picture, 0)) {
        err << "dorvane: the picture could not be encoded\n";
        return 1;
    }
    if (Status written = FileStore::WriteOutput(output, std::string_view(reinterpret_cast<const char*>(png.data()), png.size()));
        !written) {
        err << "dorvane: " << written.error() << "\n";
        return 1;
    }
    return 0;
}

int WriteSnapshot(const SnapshotRequest& request, const ClockState& state, const LocalTime& moment, std::ostream& err)
{
    ClockSnapshot snapshot(state, request.scale);
    if (Status loaded = snapshot.LoadSkin(); !loaded)
        err << "dorvane: " << loaded.error() << "\n";
    const c32bppDIB& picture = snapshot.Draw(moment);
    if (!picture.Handle()) {
        err << "dorvane: no dial could be loaded for the skin \"" << state.Skin << "\"\n";
        return 1;
    }
    return WritePng(request.output, picture, err);
}

std::string SheetTitle(const LocalTime& moment)
{
    const auto twoDigits = [](int n) { return std::string(n < 10 ? "0" : "") + std::to_string(n); };
    return "Dorvane skins at " + std::to_string(moment.hour) + ":" + twoDigits(moment.minute) + ":" +
           twoDigits(moment.second);
}

int WriteSheet(const SnapshotRequest& request, ClockState state, const LocalTime& moment, std::ostream& err)
{
    const std::vector<std::string_view> skins = SkinCatalogue::AllDials();
    const std::string note = "Chrono is in no list: choose it with Skin=" + std::string(SkinCatalogue::kHiddenSkin) +
                             " in ClockSettings.ini";
    SkinSheet sheet(static_cast<int>(skins.size()), SheetTitle(moment), note, request.scale);
    for (std::size_t i = 0; i < skins.size(); ++i) {
        state.Skin = skins[i];
        ClockSnapshot snapshot(state, request.scale);
        if (Status loaded = snapshot.LoadSkin(); !loaded) {
            err << "dorvane: " << loaded.error() << "\n";
            return 1;
        }
        const auto position = SkinCatalogue::PositionOf(skins[i]);
        const std::string number = position ? std::to_string(*position) : std::string();
        sheet.Place(static_cast<int>(i), snapshot.Draw(moment), number, skins[i]);
    }
    return WritePng(request.output, sheet.Picture(), err);
}

} // namespace

std::variant<SnapshotRequest, std::string> ParseSnapshotRequest(std::span<const std::string> args)
{
    const auto parsed = CommandLine::Parse(args, kSnapshotOptions);
    if (!parsed)
        return parsed.error();
    const CommandLine& line = parsed.value();
    SnapshotRequest request;
    request.sheet = line.Has("--sheet");
    request.skin = line.Value("--skin");
    if (const auto settingsFile = line.Value("--settings"))
        request.settingsFile = PathFromText(*settingsFile);
    if (const auto time = line.Value("--time")) {
        request.time = ParseTimeOfDay(*time);
        if (!request.time)
            return "--time needs a time of day such as 10:09:30 or 7:05 PM, not \"" + *time + "\"";
    }
    if (auto error = TakeOnOff(line, "--border", request.showBorder))
        return *error;
    if (auto error = TakeOnOff(line, "--seconds", request.showSeconds))
        return *error;
    if (const auto scale = line.Value("--scale")) {
        const auto number = ParseNumber(*scale);
        if (!number || !(*number >= kLeastScale && *number <= kMostScale))
            return "--scale needs a number from 0.25 to 8 (device pixels to a logical pixel), not \"" + *scale + "\"";
        request.scale = *number;
    }
    const auto& operands = line.Operands();
    if (operands.empty())
        return "name the PNG file to write";
    if (operands.size() > 1)
        return "one output file only: \"" + operands[1] + "\" is one too many";
    request.output = PathFromText(operands[0]);
    if (request.sheet && request.skin)
        return "--sheet shows every skin; leave out --skin";
    return request;
}

int RunSnapshotCommand(std::span<const std::string> args, const Screen& screen, TimeSource& time, std::ostream& out,
                       std::ostream& err)
{
    if (std::ranges::find_if(args, [](const std::string& arg) { return arg == "--help" || arg == "-h"; }) != args.end()) {
        out << "usage:\n" << kSnapshotCommandUsage;
        return 0;
    }
    auto parsed = ParseSnapshotRequest(args);
    if (auto* error = std::get_if<std::string>(&parsed)) {
        err << "dorvane: " << *error << "\nusage:\n" << kSnapshotCommandUsage;
        return 2;
    }
    const SnapshotRequest& request = std::get<SnapshotRequest>(parsed);
    if (request.skin && !NamesADial(*request.skin)) {
        err << "dorvane: there is no skin named \"" << *request.skin << "\"; the skins are " << SkinList() << "\n";
        return 2;
    }
    const ClockState state = SettingsFor(request, screen, err);
    LocalTime moment = time.Now();
    if (request.time)
        moment = MomentOf(*request.time, moment);
    else if (request.sheet)
        moment = MomentOf(kSheetTime, moment);
    return request.sheet ? WriteSheet(request, state, moment, err) : WriteSnapshot(request, state, moment, err);
}

} // namespace dorvane
