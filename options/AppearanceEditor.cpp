#include "options/AppearanceEditor.h"

#include "clock/face/HandAngles.h"
#include "clock/face/SkinCatalogue.h"
#include "clock/state/NumberText.h"
#include "options/Form2.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace dorvane {
namespace {

// FreqVol falls by 0.65 × 100 for every twip the volume knob's centre lies below the track's top.
constexpr double kVolumePerTwip = 0.65;
constexpr double kTwipsPerAlpha = 5;
constexpr int kFirstBorderSkin = 13;
constexpr int kPastBorderSkins = 19;

int WholePart(double value) { return static_cast<int>(std::trunc(value)); }

} // namespace

AppearanceEditor::AppearanceEditor(ClockState& state, const Form2Parts& parts, Form2Window& window, const bool& visible,
                                   Form2Controls& controls, AlarmEditor& alarms)
    : state_(state), parts_(parts), window_(window), visible_(visible), controls_(controls), alarms_(alarms)
{
}

bool AppearanceEditor::HasBorder(double position) { return position >= kFirstBorderSkin && position < kPastBorderSkins; }

void AppearanceEditor::SkinArrowClicked(int index)
{
    if (!visible_)
        return;
    const int position = WholePart(LeadingNumber(controls_.labelSkin.substr(0, 2)));
    const int next = index == 1 ? position + 1 : position - 1;
    if (next < 1 || next > SkinCatalogue::kCount)
        return;
    ChangeSkin(next);
}

// The clock is hidden while its pictures are loaded, then shown in front with the new skin, even
// when it was invisible.
void AppearanceEditor::ChangeSkin(int position)
{
    controls_.labelSkin = std::to_string(position) + "/" + std::to_string(SkinCatalogue::kCount);
    state_.Skin = SkinCatalogue::SkinAt(position);
    WriteShowBorderEnabled(HasBorder(position));
    if (!HasBorder(position))
        WriteSwitch(OptionSwitch::ShowBorder, false);
    window_.ControlsChanged();
    parts_.appearance.look.HideClock();
    parts_.pump.RunPendingMessages();
    parts_.appearance.look.ChangeSkin();
    DrawSkinPreview();
    window_.ControlsChanged();
    parts_.pump.RunPendingMessages();
    parts_.appearance.look.ShowClock();
}

void AppearanceEditor::SetPreviewSize(int width, int height)
{
    previewWidth_ = width;
    previewHeight_ = height;
}

// The dial comes from the bytes it was loaded from, so the hands and border the clock last drew
// onto its own picture do not show in the preview.
void AppearanceEditor::DrawSkinPreview()
{
    if (!preview_.InitializeDIB(previewWidth_, previewHeight_))
        return;
    ClockSurfaces& s = parts_.appearance.surfaces;
    c32bppDIB dial;
    if (!s.iBack.SourceBytes().empty())
        dial.LoadPicture_Stream(s.iBack.SourceBytes());
    const HandAngles angles = HandAnglesAt(parts_.appearance.time.Now());
    DeviceContext* target = preview_.LoadDIBinDC(true);
    const std::pair<c32bppDIB*, float> layers[] = {
        {&dial, 0.0f}, {&s.iHour, angles.hour}, {&s.iMin, angles.minute}, {&s.iSec, angles.second}};
    for (const auto& [picture, angle] : layers)
        if (picture->Handle())
            picture->Render(target, 0, 0, previewWidth_, previewHeight_, 0, 0, 0, 0, 100, true, true, nullptr, angle, false);
    preview_.LoadDIBinDC(false);
    window_.ControlsChanged();
}

void AppearanceEditor::OpacityKnobPressed(double x, double y)
{
    if (!visible_)
        return;
    dragX_ = std::round(x);
    dragY_ = std::round(y);
}

// The label shows the percentage of the knob's place before the move. The knob follows the mouse
// only while the left button is down, and never leaves the track or goes below its floor.
void AppearanceEditor::OpacityKnobMoved(double x, bool leftButton)
{
    if (!visible_)
        return;
    const double centre = OpacityCentre();
    sliders_.percentShown = true;
    sliders_.percentText = std::to_string(WholePart((centre - kOpacityTrackLeft) / kOpacityTrackWidth * 100)) + "%";
    sliders_.percentLeft = sliders_.opacityKnobLeft;
    if (leftButton && centre >= kOpacityTrackLeft && centre <= kOpacityTrackLeft + kOpacityTrackWidth)
        sliders_.opacityKnobLeft = sliders_.opacityKnobLeft - dragX_ + x;
    if (OpacityCentre() < kOpacityTrackLeft + kOpacityFloor)
        SetOpacityCentre(kOpacityTrackLeft + kOpacityFloor);
    if (OpacityCentre() > kOpacityTrackLeft + kOpacityTrackWidth)
        SetOpacityCentre(kOpacityTrackLeft + kOpacityTrackWidth);
    state_.Alpha = static_cast<uint8_t>(WholePart((OpacityCentre() - kOpacityTrackLeft) / kTwipsPerAlpha));
    window_.ControlsChanged();
}

void AppearanceEditor::OpacityKnobReleased()
{
    if (!visible_)
        return;
    BackgroundMouseMoved();
}

void AppearanceEditor::BackgroundMouseMoved()
{
    if (!sliders_.percentShown)
        return;
    sliders_.percentShown = false;
    window_.ControlsChanged();
}

void AppearanceEditor::VolumeKnobPressed(double x, double y) { OpacityKnobPressed(x, y); }

// The top of the track is the loudest, the bottom silent.
void AppearanceEditor::VolumeKnobMoved(double y, bool leftButton)
{
    if (!visible_ || !leftButton)
        return;
    sliders_.volumeKnobTop = sliders_.volumeKnobTop - dragY_ + y;
    const double centre = std::clamp(VolumeCentre(), kVolumeTrackTop, kVolumeTrackTop + kVolumeTrackHeight);
    sliders_.volumeKnobTop = centre - kVolumeKnobHeight / 2;
    state_.FreqVol = static_cast<int16_t>(kLoudest - WholePart((centre - kVolumeTrackTop) * kVolumePerTwip * 100));
    window_.ControlsChanged();
}

void AppearanceEditor::VolumeKnobReleased(bool leftButton)
{
    if (visible_ && leftButton)
        alarms_.PlayClickTone();
}

// Taken at its middle, moved by the steps and let go, as the mouse would.
void AppearanceEditor::OpacityKeyStep(int steps)
{
    OpacityKnobPressed(kOpacityKnobWidth / 2, kOpacityKnobHeight / 2);
    OpacityKnobMoved(kOpacityKnobWidth / 2 + steps * kOpacityKeyStep, true);
    OpacityKnobReleased();
}

void AppearanceEditor::VolumeKeyStep(int steps)
{
    VolumeKnobPressed(kVolumeKnobWidth / 2, kVolumeKnobHeight / 2);
    VolumeKnobMoved(kVolumeKnobHeight / 2 - steps * kVolumeKeyStep, true);
    VolumeKnobReleased(true);
}

void AppearanceEditor::PlaceKnobs()
{
    sliders_.opacityKnobLeft = kOpacityTrackLeft - kOpacityKnobWidth / 2 + state_.Alpha * kTwipsPerAlpha;
    sliders_.volumeKnobTop =
        kVolumeTrackTop - kVolumeKnobHeight / 2 + ((kLoudest - state_.FreqVol) / kVolumePerTwip) / 100;
}

bool& AppearanceEditor::SwitchValue(OptionSwitch which)
{
    Form2Controls& c = controls_;
    switch (which) {
    case OptionSwitch::ShowSeconds: return c.showSeconds;
    case OptionSwitch::ShowBorder: return c.showBorder;
    case OptionSwitch::ComputerSpeaker: return c.computerSpeaker;
    case OptionSwitch::OnTop: return c.onTop;
    case OptionSwitch::InvisibleClock: return c.invisibleClock;
    case OptionSwitch::Chime: return c.chime;
    case OptionSwitch::ChimeRingOnce: return c.chimeRingOnce;
    case OptionSwitch::Ticks: break;
    }
    return c.ticks;
}

void AppearanceEditor::WriteSwitch(OptionSwitch which, bool checked)
{
    bool& value = SwitchValue(which);
    if (value == checked)
        return;
    value = checked;
    window_.ControlsChanged();
    SwitchClicked(which);
}

void AppearanceEditor::WriteShowBorderEnabled(bool enabled)
{
    controls_.showBorderEnabled = enabled;
    window_.ControlsChanged();
}

// Always on Top is only stored: the clock's stacking follows it from the next start. The
// Invisible Clock box acts even while the window is being filled.
void AppearanceEditor::SwitchClicked(OptionSwitch which)
{
    const int16_t value = SwitchValue(which) ? 1 : 0;
    if (which == OptionSwitch::InvisibleClock) {
        state_.InvisibleClock = value;
        value ? parts_.appearance.look.HideClock() : parts_.appearance.look.ShowClock();
        return;
    }
    if (!visible_)
        return;
    switch (which) {
    case OptionSwitch::ShowSeconds: state_.ShowSeconds = value; break;
    case OptionSwitch::ShowBorder: state_.ShowBorder = value; break;
    case OptionSwitch::ComputerSpeaker: state_.ComputerSpeaker = value; break;
    case OptionSwitch::OnTop: state_.AlwaysOnTop = value == 1; break;
    case OptionSwitch::Chime: state_.ActivateChime = value; break;
    case OptionSwitch::ChimeRingOnce: state_.ChimeRingOnce = value; break;
    case OptionSwitch::Ticks: state_.ActivateTick = value; break;
    case OptionSwitch::InvisibleClock: break;
    }
}

void AppearanceEditor::SelectChime(bool bigBen)
{
    if (controls_.chimeBigBen == bigBen)
        return;
    controls_.chimeBigBen = bigBen;
    window_.ControlsChanged();
    ChimeSelected();
}

// Big Ben is always the recording, whatever the speaker switch says; the frequency chime follows
// the sound rule.
void AppearanceEditor::ChimeSelected()
{
    if (!visible_)
        return;
    state_.SelectChime = controls_.chimeBigBen ? "BigBen" : "Freq";
    if (controls_.chimeBigBen)
        parts_.sounds.StartRecordedChime();
    else
        PlayChimeTone();
}

void AppearanceEditor::PlayChimeTone()
{
    parts_.sounds.PlayTone({ToneUse::ChimeStroke, state_.ChimeFreq, kChimeToneMilliseconds, 0, false});
}

std::string& AppearanceEditor::NumberField(OptionNumber which)
{
    switch (which) {
    case OptionNumber::ChimeFreq: return controls_.chimeFreq;
    case OptionNumber::TicksFreq: return controls_.ticksFreq;
    case OptionNumber::TickDur: break;
    }
    return controls_.tickDur;
}

const std::string& AppearanceEditor::NumberText(OptionNumber which) const
{
    return const_cast<AppearanceEditor*>(this)->NumberField(which);
}

void AppearanceEditor::WriteNumber(OptionNumber which, const std::string& text)
{
    std::string& value = NumberField(which);
    if (value == text)
        return;
    value = text;
    window_.ControlsChanged();
    NumberChanged(which);
}

// The chime frequency is heard on every keystroke while the chime is on; a tick longer than
// 300 ms is cut to 300.
void AppearanceEditor::NumberChanged(OptionNumber which)
{
    if (!visible_)
        return;
    switch (which) {
    case OptionNumber::ChimeFreq:
        state_.ChimeFreq = ToSetting(LeadingNumber(controls_.chimeFreq));
        if (controls_.chime)
            PlayChimeTone();
        break;
    case OptionNumber::TicksFreq: state_.TickFreq = ToSetting(LeadingNumber(controls_.ticksFreq)); break;
    case OptionNumber::TickDur:
        if (LeadingNumber(controls_.tickDur) > kLongestTickDur)
            WriteNumber(OptionNumber::TickDur, std::to_string(kLongestTickDur));
        state_.TickDur = ToSetting(LeadingNumber(controls_.tickDur));
        break;
    }
}

} // namespace dorvane
