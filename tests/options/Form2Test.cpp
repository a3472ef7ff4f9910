#include "options/Form2.h"
#include "tests/support/RecordingOptionsParts.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace dorvane {
namespace {

using namespace dorvane::testing;

TEST(Form2, OpeningFillsTheControlsWithoutWritingThemBackAndShowsTheSkinsBorderAvailability)
{
    // ShowBorder was 1: it stays only for a skin that has a border.
    const struct { const char* skin; int16_t runAtStartup; const char* labelSkin; int16_t showBorderAfter;
                   const char* autostart; } cases[] = {
        {"<Default>", 0, "1/20", 0, ""},
        {"GlassBlack", 1, "13/20", 1, "/opt/dorvane/dorvane --settings /home/ann/c.ini"},
        {"Border", 0, "19/20", 0, ""},
        {"glassblack", 0, "1/20", 0, ""},
        {"BRISA", 0, "20/20", 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.skin);
        OptionsRig w([&](ClockState& s) {
            std::tie(s.Skin, s.RunAtStartup, s.ShowBorder) = std::tuple(c.skin, c.runAtStartup, 1);
            s.Alarms[2] = {"1", "", "13", "75", "PM", "Tea", "/usr/bin/true"}; // not valid, and not touched
        });
        auto& [state, parts, form, clicks] = w;
        EXPECT_EQ(std::tuple(state.OptionsOpen, form.IsVisible(), parts.clockEnabled, clicks), std::tuple(true, true, false, 1));
        EXPECT_EQ(std::tuple(form.Controls().labelSkin, state.ShowBorder, form.Controls().showBorderEnabled),
                  std::tuple(c.labelSkin, c.showBorderAfter, c.showBorderAfter == 1));
        EXPECT_EQ(std::tuple(parts.autostartCommand, parts.autostartWrites), std::tuple(c.autostart, int{c.runAtStartup}));
        const AlarmRowControls& row = form.Alarms().Row(2);
        EXPECT_EQ(row.hour + ":" + row.minute + " " + row.ampm + " " + row.message, "13:75 PM Tea");
        EXPECT_TRUE(row.activate);
        EXPECT_EQ(state.Alarms[2].AlarmHour + state.Alarms[2].AlarmMin + state.Alarms[2].AlarmActivated, "13751");
        EXPECT_EQ(form.Alarms().RingCountText(), std::to_string(state.AlarmNoOfRings));
    }
}

TEST(Form2, ClosingSavesEveryTimeAndHelpAutostartAndAboutDoWhatTheyShow)
{
    const struct { const char* name; std::function<void(Form2&)> act; bool helpShown; int clicks;
                   int16_t runAtStartup; std::vector<std::string> opened; } cases[] = {
        {"nothing changed", [](Form2&) {}, false, 0, 1, {}},
        {"help once", [](Form2& f) { f.HelpClicked(); }, true, 1, 1, {}},
        {"help twice", [](Form2& f) { f.HelpClicked(); f.HelpClicked(); }, false, 2, 1, {}},
        {"run at startup cleared", [](Form2& f) { f.WriteRunAtStartup(false); }, false, 0, 0, {}},
        {"about labels", [](Form2& f) { f.ManualClicked(); f.SettingsFolderClicked(); }, false, 0, 1,
         {"/opt/dorvane/README.md", "/home/ann"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OptionsRig w([](ClockState& s) { s.RunAtStartup = 1; });
        auto& [state, parts, form, opening] = w;
        c.act(form);
        EXPECT_EQ(std::tuple(form.Controls().helpShown, form.Controls().resetPictureShown, parts.sounds.Count(ToneUse::Click)),
                  std::tuple(c.helpShown, !c.helpShown, c.clicks));
        EXPECT_EQ(std::tuple(state.RunAtStartup, parts.IsEnabled(), parts.shell.opened),
                  std::tuple(c.runAtStartup, c.runAtStartup == 1, c.opened));

        parts.calendarShown = true;
        form.Close();
        form.Close();
        EXPECT_EQ(std::tuple(parts.saves, state.OptionsOpen, form.IsVisible(), parts.clockEnabled, parts.calendarShown),
                  std::tuple(1, false, false, true, false));
    }
}

} // namespace
} // namespace dorvane
