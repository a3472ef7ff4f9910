#include "options/AppearanceEditor.h"
#include "clock/face/ClockFace.h"
#include "clock/face/SkinLoader.h"
#include "tests/support/Fakes.h"
#include "tests/support/RecordingOptionsParts.h"

#include <gtest/gtest.h>

#include <functional>
#include <span>
#include <tuple>
#include <vector>

namespace dorvane {
namespace {

using namespace dorvane::testing;
using Act = std::function<void(AppearanceEditor&)>;
using A = AppearanceEditor;

std::vector<int> Frequencies(const RecordingTickSounds& sounds, ToneUse use)
{
    std::vector<int> heard;
    for (const auto& p : sounds.played)
        if (p.route != RecordingTickSounds::Route::RecordedChime && p.tone.use == use)
            heard.push_back(p.tone.frequencyHz);
    return heard;
}

TEST(AppearanceEditor, SkinArrowsStepWithoutWrappingOfferTheBorderOnlyToGlassSkinsAndShowTheClock)
{
    // The skin, an arrow (0: previous, 1: next) and whether the clock is invisible; then the label,
    // the skin and whether the border may be switched on (ShowBorder was 1, and is cleared).
    const struct { const char* skin; int arrow; bool invisible; const char* label; const char* skinAfter;
                   bool borderEnabled; int skinChanges; } cases[] = {
        {"BRISA", 1, false, "20/20", "BRISA", false, 0},
        {"<default>", 0, false, "1/20", "<default>", false, 0},
        {"GlassGold", 1, false, "19/20", "Border", false, 1},
        {"GlassBlack", 0, false, "12/20", "System", false, 1},
        {"System", 1, true, "13/20", "GlassBlack", true, 1},
        {"Border", 0, false, "18/20", "GlassGold", true, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.skin);
        OptionsRig w([&](ClockState& s) { s.Skin = c.skin, s.ShowBorder = 1, s.InvisibleClock = c.invisible; });
        w.form.Appearance().SkinArrowClicked(c.arrow);
        const Form2Controls& shown = w.form.Controls();
        EXPECT_EQ(std::tuple(shown.labelSkin, w.state.Skin, shown.showBorderEnabled, shown.showBorder,
                  w.state.ShowBorder, w.parts.skinChanges),
                  std::tuple(c.label, c.skinAfter, c.borderEnabled, false, 0, c.skinChanges));
        EXPECT_EQ(w.parts.clockShown, !c.invisible || c.skinChanges > 0) << "a new skin shows even an invisible clock";
        EXPECT_EQ(shown.invisibleClock, c.invisible);
    }
}

// The preview shows the skin's dial and the hands at the time of drawing: the second hand whatever
// ShowSeconds says, never the border, and not the hands the clock last drew onto its own picture.
TEST(AppearanceEditor, ThePreviewDrawsTheSkinWithAllThreeHandsAtTheTimeOfDrawing)
{
    const struct { const char* name; std::function<void(OptionsRig&)> between; bool differs; } cases[] = {
        {"the second moves", [](OptionsRig& w) { w.parts.time.Set(At(10, 8, 40)); }, true},
        {"the minute moves", [](OptionsRig& w) { w.parts.time.Set(At(10, 20, 5)); }, true},
        {"the border is switched on", [](OptionsRig& w) { w.state.ShowBorder = 1; }, false},
        {"the clock draws its face", [](OptionsRig& w) { ClockFace(w.state, w.parts.surfaces).Draw(At(3, 40, 50)); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OptionsRig w([](ClockState& s) { s.Skin = "GlassGold", s.ShowSeconds = 0; }, false);
        RecordingFrame frame;
        ASSERT_TRUE(SkinLoader(w.state, w.parts.surfaces, frame).LoadSkin().ok());
        w.parts.time.Set(At(10, 8, 5));
        A& a = w.form.Appearance();
        a.SetPreviewSize(90, 90);
        a.DrawSkinPreview();
        const std::span<std::uint8_t> before = a.Preview().PixelBytes();
        const std::vector<std::uint8_t> first(before.begin(), before.end());
        EXPECT_NE(std::count(first.begin(), first.end(), 0), static_cast<long>(first.size())) << "the dial is drawn";
        c.between(w);
        a.DrawSkinPreview();
        const std::span<std::uint8_t> after = a.Preview().PixelBytes();
        EXPECT_EQ(std::vector<std::uint8_t>(after.begin(), after.end()) != first, c.differs);
    }
}

TEST(AppearanceEditor, TheSlidersKeepTheirKnobsOnTheTrackAndStoreOpacityAndVolume)
{
    const double opacityMiddle = A::kOpacityKnobWidth / 2, volumeMiddle = A::kVolumeKnobHeight / 2;
    // After the act: Alpha, the percentage shown (empty when hidden), FreqVol and the volumes clicked at.
    const struct { const char* name; bool open; Act act; int alpha; const char* percent; int freqVol;
                   std::vector<int> clickVolumes; } cases[] = {
        {"opacity fully left", true, [&](A& a) { a.OpacityKnobPressed(opacityMiddle, 10), a.OpacityKnobMoved(-9000, true), a.OpacityKnobMoved(0, false); },
         25, "10%", 16250, {}},
        {"opacity fully right", true, [&](A& a) { a.OpacityKnobPressed(opacityMiddle, 10), a.OpacityKnobMoved(9000, true), a.OpacityKnobMoved(0, false); },
         255, "100%", 16250, {}},
        {"hovering moves nothing", true, [&](A& a) { a.OpacityKnobPressed(0, 0), a.OpacityKnobMoved(900, false); }, 179, "70%", 16250, {}},
        {"let go", true, [&](A& a) { a.OpacityKnobMoved(9000, true), a.OpacityKnobReleased(); }, 255, "", 16250, {}},
        {"the background", true, [&](A& a) { a.OpacityKnobMoved(0, false), a.BackgroundMouseMoved(); }, 179, "", 16250, {}},
        {"volume at the top", true, [&](A& a) { a.VolumeKnobPressed(0, volumeMiddle), a.VolumeKnobMoved(-9000, true), a.VolumeKnobReleased(true); },
         179, "", 32500, {32500}},
        {"volume at the bottom", true, [&](A& a) { a.VolumeKnobPressed(0, volumeMiddle), a.VolumeKnobMoved(9000, true), a.VolumeKnobReleased(true); },
         179, "", 0, {0}},
        {"volume without the left button", true, [&](A& a) { a.VolumeKnobMoved(9000, false), a.VolumeKnobReleased(false); }, 179, "", 16250, {}},
        {"arrow keys", true, [](A& a) { a.OpacityKeyStep(1), a.VolumeKeyStep(-1); }, 179 + 13, "", 16250 - 1625, {16250 - 1625}},
        {"window not yet shown", false, [](A& a) { a.OpacityKeyStep(-3), a.VolumeKeyStep(3); }, 179, "", 16250, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OptionsRig w({}, c.open);
        w.form.Appearance().PlaceKnobs();
        std::vector<int> clickVolumes;
        w.parts.sounds.onTone = [&](const TickTone& tone) { clickVolumes.push_back(w.state.FreqVol); (void)tone; };
        c.act(w.form.Appearance());
        const SliderControls& s = w.form.Appearance().Sliders();
        EXPECT_EQ(std::tuple(w.state.Alpha, s.percentShown ? s.percentText : "", w.state.FreqVol, clickVolumes),
                  std::tuple(c.alpha, c.percent, c.freqVol, c.clickVolumes));
        EXPECT_EQ(w.parts.sounds.Count(ToneUse::Click), static_cast<int>(c.clickVolumes.size()));
    }
}

TEST(AppearanceEditor, SwitchesChimeAndTickFieldsStoreTheirSettingsAndPlayWhatTheyPreview)
{
    const auto type = [](OptionNumber field, std::string text) { // key by key
        return [=](A& a) {
            for (std::size_t length = 1; length <= text.size(); ++length)
                a.WriteNumber(field, text.substr(0, length));
        };
    };
    const auto flip = [](OptionSwitch which, bool on) { return [=](A& a) { a.WriteSwitch(which, on); }; };
    const auto read = [](int16_t ClockState::*setting) { return [=](const ClockState& s) { return int{s.*setting}; }; };
    // After the act: the setting read, the chime tones heard, the recorded chimes started, whether the clock shows.
    const struct { const char* name; std::function<void(ClockState&)> prepare; bool open; Act act;
                   std::function<int(const ClockState&)> setting; int expected; std::vector<int> chimeTones;
                   int recordedChimes; bool clockShown; } cases[] = {
        {"Big Ben with the speaker on", [](ClockState& s) { s.SelectChime = "Freq", s.ComputerSpeaker = 1; }, true,
         [](A& a) { a.SelectChime(true); }, [](const ClockState& s) { return s.SelectChime == "BigBen"; }, 1, {}, 1, true},
        {"Frequency", {}, true, [](A& a) { a.SelectChime(false); }, [](const ClockState& s) { return s.SelectChime == "Freq"; }, 1, {500}, 0, true},
        {"500 with the chime off", [](ClockState& s) { s.ActivateChime = 0; }, true, type(OptionNumber::ChimeFreq, "500"), read(&ClockState::ChimeFreq), 500, {}, 0, true},
        {"500 with the chime on", [](ClockState& s) { s.ChimeFreq = 0; }, true, type(OptionNumber::ChimeFreq, "500"), read(&ClockState::ChimeFreq), 500, {5, 50, 500}, 0, true},
        {"chime 9e9", [](ClockState& s) { s.ActivateChime = 0; }, true, type(OptionNumber::ChimeFreq, "9e9"), read(&ClockState::ChimeFreq), 32767, {}, 0, true},
        {"tick frequency 9e9", {}, true, type(OptionNumber::TicksFreq, "9e9"), read(&ClockState::TickFreq), 32767, {}, 0, true},
        {"tick duration 450", {}, true, type(OptionNumber::TickDur, "450"), read(&ClockState::TickDur), A::kLongestTickDur, {}, 0, true},
        {"tick duration 9e9", {}, true, type(OptionNumber::TickDur, "9e9"), read(&ClockState::TickDur), A::kLongestTickDur, {}, 0, true},
        {"tick duration -7", {}, true, type(OptionNumber::TickDur, "-7"), read(&ClockState::TickDur), -7, {}, 0, true},
        {"on top, ticks, ring once, speaker", {}, true, [](A& a) { for (auto k : {OptionSwitch::OnTop, OptionSwitch::Ticks, OptionSwitch::ChimeRingOnce, OptionSwitch::ComputerSpeaker}) a.WriteSwitch(k, true); },
         [](const ClockState& s) { return s.AlwaysOnTop + 2 * s.ActivateTick + 4 * s.ChimeRingOnce + 8 * s.ComputerSpeaker; }, 15, {}, 0, true},
        {"show seconds off", {}, true, flip(OptionSwitch::ShowSeconds, false), read(&ClockState::ShowSeconds), 0, {}, 0, true},
        {"not yet shown", {}, false, flip(OptionSwitch::ShowSeconds, false), read(&ClockState::ShowSeconds), 1, {}, 0, true},
        {"invisible even before showing", {}, false, flip(OptionSwitch::InvisibleClock, true), read(&ClockState::InvisibleClock), 1, {}, 0, false},
        {"visible again", [](ClockState& s) { s.InvisibleClock = 1; }, true, flip(OptionSwitch::InvisibleClock, false), read(&ClockState::InvisibleClock), 0, {}, 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OptionsRig w(c.prepare, c.open);
        c.act(w.form.Appearance());
        EXPECT_EQ(std::tuple(c.setting(w.state), Frequencies(w.parts.sounds, ToneUse::ChimeStroke),
                  w.parts.sounds.RecordedChimes(), w.parts.clockShown),
                  std::tuple(c.expected, c.chimeTones, c.recordedChimes, c.clockShown));
    }
    OptionsRig typed;
    typed.form.Appearance().WriteNumber(OptionNumber::TickDur, "450");
    EXPECT_EQ(typed.form.Appearance().NumberText(OptionNumber::TickDur), "300");
}

TEST(AppearanceEditor, ResetAsksThenLoadsTheDefaultsThroughTheHandlersAndReopensTheWindow)
{
    const struct { const char* name; bool answerOk; const char* deleteFailure; bool loaded; } cases[] = {
        {"OK", true, "", true}, {"Cancel", false, "", false}, {"the file cannot be deleted", true, "Permission denied", false}
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OptionsRig w([](ClockState& s) { s.RunAtStartup = 1, s.SelectChime = "Freq", s.Alpha = 40; });
        w.parts.answerOk = c.answerOk;
        w.parts.deleteFailure = c.deleteFailure;
        w.parts.onLoad = [&] { w.state = ClockState{}, w.state.OptionsOpen = true; };
        w.form.ResetClicked();
        EXPECT_EQ(w.parts.asked, std::vector<std::string>{"Dorvane: Reset Settings to Default?"});
        EXPECT_EQ(std::tuple(w.parts.deletes, w.parts.loads, w.parts.reopens),
                  std::tuple(c.answerOk ? 1 : 0, int{c.loaded}, int{c.loaded}));
        EXPECT_EQ(w.state.RunAtStartup, c.loaded ? 0 : 1);
        EXPECT_EQ(w.parts.IsEnabled(), !c.loaded) << "the autostart entry goes with the default";
        EXPECT_EQ(w.parts.sounds.RecordedChimes(), int{c.loaded}) << "the chime type going back to Big Ben plays it";
        EXPECT_EQ(w.parts.failures.size(), *c.deleteFailure ? 1u : 0u);
        EXPECT_NE((w.parts.failures.empty() ? std::string() : w.parts.failures[0]).find(c.deleteFailure), std::string::npos);
        EXPECT_EQ(w.form.Appearance().Sliders().opacityKnobLeft, (c.loaded ? ClockState{}.Alpha : 40) * 5.0);
    }
}

} // namespace
} // namespace dorvane
