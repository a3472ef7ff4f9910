#pragma once

#include "clock/state/ClockState.h"
#include "clock/tick/OptionsWindowLink.h"
#include "options/AlarmEditor.h"
#include "options/AppearanceEditor.h"
#include "options/OptionsLinks.h"

#include <array>
#include <string>
#include <string_view>

namespace dorvane {

// What the options window shows outside the alarm rows. The appearance, chime and tick values are
// filled by ShowSettings; their own handlers belong to the "Options" area.
struct Form2Controls {
    std::string labelSkin = "1/20"; // LabelSkin: catalogue position of the skin
    std::string timeLine;           // LabelTime, written by the tick
    std::string version;            // Label2
    bool runAtStartup = false;      // CheckRunatStartup
    bool onTop = false;             // CheckOnTop
    bool invisibleClock = false;    // CheckInvisibleClock
    bool showSeconds = false;       // CheckShowSeconds
    bool computerSpeaker = false;   // CheckComputerSpeaker
    bool showBorder = false;        // CheckShowBorder
    bool showBorderEnabled = false; // designed disabled
    bool ticks = false;             // CheckTicks
    std::string ticksFreq;          // TextTicksFreq
    std::string tickDur;            // TextTickDur
    bool chime = false;             // CheckChime
    bool chimeBigBen = false;       // OptionChimeBigBen, else OptionChimeFreq
    std::string chimeFreq;          // TextChimeFreq
    bool chimeRingOnce = false;     // CheckChimeRingOnce
    bool helpShown = false;         // PictureHelp
    bool resetPictureShown = true;  // ImageResetOptions
    std::array<std::string, 5> textHelp{}; // TextHelp(0..4); element 1 is not used
};

// The options window: opened from the button strip, it edits the shared clock state directly
// while the clock keeps running, and saves the settings when it closes. Holds the alarm editor;
// the tick and the alarm pop-up write into its rows through OptionsWindowLink.
class Form2 : public OptionsWindowLink {
public:
    static constexpr std::string_view kTitle = "Dorvane Options";
    static constexpr std::string_view kProductTitle = "Dorvane";
    static constexpr std::string_view kAboutLine = "An analog desktop clock with alarms";
    static constexpr std::string_view kManualCaption = "User manual";
    static constexpr std::string_view kSettingsFolderCaption = "Settings folder";
    static constexpr int kHelpLabels = 10;
    // LabelHelp(0..9) and the lines of TextHelp(0).
    static const std::array<std::string_view, kHelpLabels> kLabelHelp;
    static const std::array<std::string_view, 8> kOptionsHelpLines;

    Form2(ClockState& state, Form2Parts parts, Form2Window& window);
    Form2(const Form2&) = delete; // its alarm editor refers to its members
    Form2& operator=(const Form2&) = delete;

    // Opening, while the window is still invisible: the clock disabled, the version, every
    // control filled and the click tone. The window shows afterwards, and from then on edits reach
    // the shared state.
    void Open();
    // Fills every control from the shared state.
    void ShowSettings();
    // The window's closing, whatever closes it; runs once. Never asks anything.
    void Close();

    bool IsVisible() const { return visible_; }
    bool IsClosed() const { return closed_; }
    const Form2Controls& Controls() const { return controls_; }
    // The screen whose twips per pixel the window's geometry is given in.
    const Screen& TwipsScreen() const { return parts_.appearance.screen; }
    AlarmEditor& Alarms() { return alarms_; }
    const AlarmEditor& Alarms() const { return alarms_; }
    AppearanceEditor& Appearance() { return appearance_; }
    const AppearanceEditor& Appearance() const { return appearance_; }

    void HelpClicked();
    // ImageResetOptions: asked first; every setting back to its default and the window opened
    // afresh. Acts even while the window is invisible.
    void ResetClicked();
    // CheckRunatStartup, by a click or by ShowSettings; acts even while the window is invisible.
    void WriteRunAtStartup(bool checked);
    void ManualClicked();
    void SettingsFolderClicked();

    // OptionsWindowLink: the tick's and the pop-up's writes, through the controls' own handlers.
    void SetTimeLine(const std::string& text) override;
    void SetAlarmMinText(int slot, const std::string& text) override { alarms_.Write(slot, AlarmField::Minute, text); }
    void ClearActivateAlarm(int slot) override { alarms_.WriteActivate(slot, false); }
    void ClearAlarmRow(int slot) override { alarms_.ClearRow(slot); }

private:
    void ShowSkinPosition();
    void ShowOptionValues();
    void ShowBorderAvailability();

    ClockState& state_;
    Form2Parts parts_;
    Form2Window& window_;
    bool visible_ = false; // the edit guard
    bool closed_ = false;
    Form2Controls controls_;
    AlarmEditor alarms_;
    AppearanceEditor appearance_;
};

} // namespace dorvane
