#pragma once

#include "clock/state/ClockState.h"
#include "image/c32bppDIB.h"
#include "options/AlarmEditor.h"
#include "options/OptionsLinks.h"

#include <string>

namespace dorvane {

struct Form2Controls;

// Where the two slider knobs stand and the opacity percentage label, in twips within each
// slider. The opacity track starts half a knob in from the slider's left edge and the volume track
// half a knob down from its top, so that a knob can stand centred on either end.
struct SliderControls {
    double opacityKnobLeft = 0; // ImageOpacity.Left
    double volumeKnobTop = 0;   // ImageVolume.Top
    bool percentShown = false;  // LabelOpP, designed hidden
    std::string percentText;
    double percentLeft = 0;
};

// The check boxes of the "Options" area and of the chime and tick settings.
enum class OptionSwitch { ShowSeconds, ShowBorder, ComputerSpeaker, OnTop, InvisibleClock, Chime, ChimeRingOnce, Ticks };
// Their number fields.
enum class OptionNumber { ChimeFreq, TicksFreq, TickDur };

// The appearance and sound options of the options window: the skin chooser with its preview, the
// opacity and volume sliders, the switches and the chime and tick settings. As with the alarm
// rows, every write into a control runs its handler when the value changes, whoever writes it, and
// the handlers store into the shared state at once. All but the Invisible Clock box act only while
// the window is visible.
class AppearanceEditor {
public:
    static constexpr double kOpacityTrackWidth = 1275;
    static constexpr double kOpacityFloor = 128; // Alpha 25, the faintest the slider gives
    static constexpr double kOpacityKnobWidth = 180;
    static constexpr double kOpacityKnobHeight = 240;
    static constexpr double kOpacityTrackLeft = kOpacityKnobWidth / 2;
    static constexpr double kVolumeTrackHeight = 500;
    static constexpr double kVolumeKnobWidth = 240;
    static constexpr double kVolumeKnobHeight = 120;
    static constexpr double kVolumeTrackTop = kVolumeKnobHeight / 2;
    static constexpr int kLoudest = 32500;
    // One arrow key moves a knob this far, as dragging it would.
    static constexpr double kOpacityKeyStep = 65; // 13 steps of Alpha
    static constexpr double kVolumeKeyStep = 25;  // 1625 steps of FreqVol
    static constexpr int kLongestTickDur = 300;
    static constexpr int kChimeToneMilliseconds = 500;

    AppearanceEditor(ClockState& state, const Form2Parts& parts, Form2Window& window, const bool& visible,
                     Form2Controls& controls, AlarmEditor& alarms);

    const SliderControls& Sliders() const { return sliders_; }
    const c32bppDIB& Preview() const { return preview_; }

    // The arrows: 0 the previous skin, 1 the next; neither wraps around.
    void SkinArrowClicked(int index);
    // The size of the preview box in pixels, given by the window before it opens.
    void SetPreviewSize(int width, int height);
    // The skin as the clock window holds it, with the hands at the time of drawing; the second hand
    // is drawn whatever ShowSeconds says, the border ring never.
    void DrawSkinPreview();

    // Mouse positions are in twips within the knob; a move tells whether the left button is down.
    void OpacityKnobPressed(double x, double y);
    void OpacityKnobMoved(double x, bool leftButton);
    void OpacityKnobReleased();
    void BackgroundMouseMoved();
    void VolumeKnobPressed(double x, double y);
    void VolumeKnobMoved(double y, bool leftButton);
    void VolumeKnobReleased(bool leftButton);
    // An arrow key on a knob: steps towards the right (opacity) or the top (volume) when positive.
    void OpacityKeyStep(int steps);
    void VolumeKeyStep(int steps);

    void WriteSwitch(OptionSwitch which, bool checked);
    bool SwitchChecked(OptionSwitch which) const { return const_cast<AppearanceEditor*>(this)->SwitchValue(which); }
    void WriteShowBorderEnabled(bool enabled);
    // Selects OptionChimeBigBen (true) or OptionChimeFreq (false).
    void SelectChime(bool bigBen);
    void WriteNumber(OptionNumber which, const std::string& text);
    const std::string& NumberText(OptionNumber which) const;

    // The knobs placed from Alpha and FreqVol; moves no setting.
    void PlaceKnobs();
    // Border availability at catalogue position n: the glass skins 13..18 only.
    static bool HasBorder(double position);

private:
    bool& SwitchValue(OptionSwitch which);
    std::string& NumberField(OptionNumber which);
    void SwitchClicked(OptionSwitch which);
    void ChimeSelected();
    void NumberChanged(OptionNumber which);
    void PlayChimeTone();
    void ChangeSkin(int position);
    double OpacityCentre() const { return sliders_.opacityKnobLeft + kOpacityKnobWidth / 2; }
    double VolumeCentre() const { return sliders_.volumeKnobTop + kVolumeKnobHeight / 2; }
    void SetOpacityCentre(double centre) { sliders_.opacityKnobLeft = centre - kOpacityKnobWidth / 2; }

    ClockState& state_;
    const Form2Parts& parts_;
    Form2Window& window_;
    const bool& visible_; // the edit guard
    Form2Controls& controls_;
    AlarmEditor& alarms_;
    SliderControls sliders_;
    double dragX_ = 0, dragY_ = 0; // DragX, DragY: where a knob was taken, in twips
    int previewWidth_ = 0, previewHeight_ = 0;
    c32bppDIB preview_; // pClock's picture
};

} // namespace dorvane
