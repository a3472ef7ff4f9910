#include "options/Form2.h"

#include "clock/face/SkinCatalogue.h"
#include "clock/state/NumberText.h"
#include "clock/state/ProductVersion.h"

namespace dorvane {
namespace {

constexpr std::string_view kLineBreak = "\r\n";

} // namespace

const std::array<std::string_view, Form2::kHelpLabels> Form2::kLabelHelp = {
    "Set alarms dates and times, Click am pm to switch, click activate to activate alarms.",
    "If you do not enter date, alarm will ring daily at the set time.",
    "Click reset to clear current alarm data.",
    "Enter pop-up messages to show with alarms.",
    "In the execute boxes, enter full path or drag and drop files and programs to launch.",
    "For registered software, you may just enter the exe name (i.e. notepad.exe).",
    "You may also launch docs, songs, videos, web sites, or set your own alarm sound.",
    "Click snooze for an alarm reminder.",
    "When closing pop-up message, alarm will deactivate unless date is not entered.",
    "If no pop-up message is set, double click clock to stop the alarm.",
};

const std::array<std::string_view, 8> Form2::kOptionsHelpLines = {
    "Move opacity slider to change clock opacity.",
    "Click arrows to change clock skin. Check show border when available.",
    "Select invisible clock to make clock invisible. *Press esc to show clock*",
    "Select show seconds to show the second hand.",
    "Select run at startup to start when computer starts.",
    "Select always on top to keep on top.",
    "Select computer speaker to sound from internal speaker on some systems.",
    "Move volume slider to adjust frequency volume.",
};

Form2::Form2(ClockState& state, Form2Parts parts, Form2Window& window)
    : state_(state), parts_(std::move(parts)), window_(window), alarms_(state, parts_, window, visible_),
      appearance_(state, parts_, window, visible_, controls_, alarms_)
{
    for (std::string_view line : kOptionsHelpLines)
        (controls_.textHelp[0] += line) += kLineBreak;
}

void Form2::Open()
{
    parts_.host.SetClockEnabled(false);
    state_.OptionsOpen = true;
    controls_.version = "v" + std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor);
    appearance_.DrawSkinPreview();
    ShowSettings();
    alarms_.PlayClickTone();
    visible_ = true;
    window_.ControlsChanged();
}

void Form2::ShowSettings()
{
    ShowSkinPosition();
    appearance_.PlaceKnobs();
    ShowOptionValues();
    ShowBorderAvailability();
    alarms_.ShowSlots();
    window_.ControlsChanged();
}

// A Skin text outside the catalogue leaves the caption as it was.
void Form2::ShowSkinPosition()
{
    if (const auto position = SkinCatalogue::PositionOf(state_.Skin))
        controls_.labelSkin = std::to_string(*position) + "/" + std::to_string(SkinCatalogue::kCount);
}

// Through the controls' own handlers, which store only while the window is visible (after a reset).
void Form2::ShowOptionValues()
{
    WriteRunAtStartup(state_.RunAtStartup == 1);
    AppearanceEditor& a = appearance_;
    a.WriteSwitch(OptionSwitch::OnTop, state_.AlwaysOnTop);
    a.WriteSwitch(OptionSwitch::InvisibleClock, state_.InvisibleClock == 1);
    a.WriteSwitch(OptionSwitch::ShowSeconds, state_.ShowSeconds == 1);
    a.WriteSwitch(OptionSwitch::Ticks, state_.ActivateTick == 1);
    a.WriteNumber(OptionNumber::TicksFreq, std::to_string(state_.TickFreq));
    a.WriteNumber(OptionNumber::TickDur, std::to_string(state_.TickDur));
    a.WriteSwitch(OptionSwitch::Chime, state_.ActivateChime == 1);
    a.SelectChime(state_.SelectChime == "BigBen");
    a.WriteNumber(OptionNumber::ChimeFreq, std::to_string(state_.ChimeFreq));
    a.WriteSwitch(OptionSwitch::ChimeRingOnce, state_.ChimeRingOnce == 1);
    a.WriteSwitch(OptionSwitch::ComputerSpeaker, state_.ComputerSpeaker == 1);
}

// Only the glass skins have a border ring; any other skin turns the border off.
void Form2::ShowBorderAvailability()
{
    if (AppearanceEditor::HasBorder(LeadingNumber(controls_.labelSkin.substr(0, 2))))
        appearance_.WriteShowBorderEnabled(true);
    else
        state_.ShowBorder = 0;
    appearance_.WriteSwitch(OptionSwitch::ShowBorder, state_.ShowBorder == 1);
}

void Form2::Close()
{
    if (closed_)
        return;
    closed_ = true;
    visible_ = false;
    state_.OptionsOpen = false;
    parts_.host.SetClockEnabled(true);
    parts_.host.SaveSettings();
    parts_.calendar.CloseCalendar();
}

void Form2::HelpClicked()
{
    alarms_.PlayClickTone();
    Form2Controls& c = controls_;
    c.helpShown = !c.helpShown;
    c.resetPictureShown = !c.helpShown;
    if (c.helpShown) {
        c.textHelp[2] = "Select to activate seconds ticks. You may change the frequency, up to 9999, and duration up to 300.";
        c.textHelp[3] = "Select to activate chime. Select chime type. Chime will ring hourly, the no. of hours times. You may select ring once.";
        c.textHelp[4] = "Set Alarm Frequency, up to 9999, and no. of rings up to 30.";
        c.textHelp[4] += kLineBreak;
    }
    window_.ControlsChanged();
}

// A settings file that cannot be deleted stops the reset, told with its reason, so that nothing
// looks reset that is not.
void Form2::ResetClicked()
{
    if (!window_.AskOkCancel("Reset Settings to Default?", std::string(kProductTitle)))
        return;
    if (Status deleted = parts_.host.DeleteSettingsFile(); !deleted) {
        window_.TellFailure("The settings were not reset: " + deleted.error(), std::string(kProductTitle));
        return;
    }
    parts_.pump.RunPendingMessages();
    parts_.host.LoadSettings();
    ShowSettings();
    parts_.host.ReopenOptions();
}

// A change writes or removes the autostart entry; a failure is not reported, and RunAtStartup
// follows the box all the same.
void Form2::WriteRunAtStartup(bool checked)
{
    if (controls_.runAtStartup == checked)
        return;
    controls_.runAtStartup = checked;
    if (checked)
        (void)parts_.autostart.Enable(parts_.startCommand.program, parts_.startCommand.arguments);
    else
        (void)parts_.autostart.Disable();
    state_.RunAtStartup = checked ? 1 : 0;
    window_.ControlsChanged();
}

void Form2::ManualClicked()
{
    if (!parts_.about.manual.empty())
        (void)parts_.shell.Open(parts_.about.manual);
}

void Form2::SettingsFolderClicked() { (void)parts_.shell.Open(parts_.about.settingsFolder); }

void Form2::SetTimeLine(const std::string& text)
{
    controls_.timeLine = text;
    window_.ControlsChanged();
}

} // namespace dorvane
