#include "options/win32/Form2Dialog.h"
#include "options/win32/Form2DialogIds.h"
#include "platform/win32/DialogMessages.h"
#include "tests/support/Fakes.h"
#include "tests/support/RecordingOptionsParts.h"
#include "tests/support/Win32Testing.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <functional>

namespace dorvane {
namespace {

using namespace dorvane::testing;

// An open options window over recording parts, at a fixed time.
struct OpenOptions {
    OpenOptions()
    {
        parts.time.Set(At(9, 0));
        state.Alarms[1].AlarmMessage = "Caf\xE9"; // Latin-1 from an old settings file: the field shows U+FFFD
        dialog.Show();
    }
    ClockState state;
    RecordingOptionsParts parts;
    Form2Dialog dialog{state, parts.Parts()};
    HWND window = dialog.Handle();
};

TEST(Form2Dialog, EditsAndClicksOnTheControlsReachTheSharedStateAndItsAnswersShowInTheControls)
{
    OpenOptions options;
    const HWND w = options.window;
    const ClockState& state = options.state;
    EXPECT_EQ(options.parts.sounds.played.size(), 1u) << "filling the controls on opening is no edit: only the click tone";
    EXPECT_EQ(state.Alarms[1].AlarmMessage, "Caf\xE9") << "what the logic writes into a control does not come back as typing";
    const struct { const char* step; std::function<void()> act; std::function<bool()> reached; } steps[] = {
        {"an hour typed", [&] { Type(w, IDC_TextAlarmHour3, L"7"); }, [&] { return state.Alarms[3].AlarmHour == "7"; }},
        {"a minute typed and left", [&] { Type(w, IDC_TextAlarmMin3, L"5"), Notify(w, IDC_TextAlarmMin3, EN_KILLFOCUS); },
         [&] { return state.Alarms[3].AlarmMin == "05" && TextOf(w, IDC_TextAlarmMin3) == "05"; }},
        {"Activate clicked", [&] { Click(w, IDC_CheckActivateAlarm3); }, [&] { return state.Alarms[3].AlarmActivated == "1"; }},
        {"AM/PM clicked", [&] { Click(w, IDC_LabelAlarmAMPM3); },
         [&] { return state.Alarms[3].AlarmAMPM == "PM" && TextOf(w, IDC_LabelAlarmAMPM3) == "PM"; }},
        {"a message typed", [&] { Type(w, IDC_TextAlarmMessage3, L"Tea is ready"); }, [&] { return state.Alarms[3].AlarmMessage == "Tea is ready"; }},
        {"no hour 13", [&] { Type(w, IDC_TextAlarmHour5, L"13"); }, [&] { return TextOf(w, IDC_TextAlarmHour5).empty(); }},
        {"at most 30 rings", [&] { Type(w, IDC_TextAlarmRingCount, L"45"); },
         [&] { return state.AlarmNoOfRings == 30 && TextOf(w, IDC_TextAlarmRingCount) == "30"; }},
        {"files dropped", [&] { Drop(GetDlgItem(w, IDC_TextAlarmExec3), {L"C:\\Música\\alarm.wav", L"C:\\b.txt"}); },
         [&] { return state.Alarms[3].AlarmExec == "C:\\Música\\alarm.wav"; }},
        {"the next skin", [&] { Click(w, IDC_ImageSkin1); },
         [&] { return TextOf(w, IDC_LabelSkin) == "2/20" && options.parts.skinChanges == 1; }},
        {"a switch clicked", [&] { Click(w, IDC_CheckShowSeconds); }, [&] { return state.ShowSeconds == 0; }},
        {"a tick longer than 300 ms cut", [&] { Type(w, IDC_TextTickDur, L"400"); },
         [&] { return state.TickDur == 300 && TextOf(w, IDC_TextTickDur) == "300"; }},
        {"the frequency chime chosen", [&] { Click(w, IDC_OptionChimeFreq); }, [&] { return state.SelectChime == "Freq"; }},
        {"start at logon", [&] { Click(w, IDC_CheckRunatStartup); }, [&] { return state.RunAtStartup == 1 && options.parts.autostartWrites == 1; }},
        {"the user manual", [&] { Click(w, IDC_Label4); }, [&] { return options.parts.shell.opened == std::vector<std::string>{"/opt/dorvane/README.md"}; }},
        {"the opacity slider moved", [&] { Slide(w, IDC_ImageOpacity, 600); }, [&] { return state.Alpha == 120; }},
        {"the volume slider at its top", [&] { Slide(w, IDC_ImageVolume, 0); }, [&] { return state.FreqVol == 32500; }},
        {"a double click empties the message", [&] { DoubleClick(GetDlgItem(w, IDC_TextAlarmMessage3)); },
         [&] { return state.Alarms[3].AlarmMessage.empty(); }},
        {"a click on a date field opens the calendar", [&] { SendDlgItemMessageW(w, IDC_TextAlarmDate4, WM_LBUTTONDOWN, MK_LBUTTON, 0); },
         [&] { return options.parts.calendarShown && state.DateEditAlarm == 4; }},
        {"the help shown over the rows", [&] { Click(w, IDC_Image1); },
         [&] { return Shown(w, IDC_LabelHelp9) && !Shown(w, IDC_TextAlarmHour3) && TextOf(w, IDC_LabelHelp0).starts_with("Set alarms"); }},
    };
    for (const auto& step : steps) {
        step.act();
        EXPECT_TRUE(step.reached()) << step.step;
    }
}

TEST(Form2Dialog, EveryControlIsNamedEveryInputIsOnTheTabChainAndEscapeClosesTheWindowWhichSaves)
{
    EXPECT_NE(FindResourceW(nullptr, MAKEINTRESOURCEW(IDD_FORM2), RT_DIALOG), nullptr) << "the template is linked in";
    OpenOptions options;
    EXPECT_EQ(WindowText(options.window), "Dorvane Options");
    EXPECT_EQ(TextOf(options.window, IDC_Label4), Form2::kManualCaption);
    EXPECT_EQ(TextOf(options.window, IDC_LabelBRISA), Form2::kSettingsFolderCaption);
    EXPECT_EQ(SendMessageW(HintsOf(options.window), TTM_GETTOOLCOUNT, 0, 0), 13) << "every date field and six other controls";
    // Fields carry their names as accessibility annotations, which Wine does not read back; every
    // other control the user works with is named by its caption.
    for (HWND control : Children(options.window)) {
        if (!IsInput(control))
            continue;
        EXPECT_TRUE(ReachableByTab(control)) << GetDlgCtrlID(control);
        EXPECT_TRUE(IsField(control) || !AccessibleName(control).empty()) << GetDlgCtrlID(control);
    }
    MSG escape{GetDlgItem(options.window, IDC_TextAlarmDate0), WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    EXPECT_TRUE(DialogMessages::Route(escape));
    EXPECT_FALSE(IsWindow(options.window));
    EXPECT_TRUE(!options.dialog.IsOpen() && options.parts.saves == 1 && options.parts.clockEnabled && !options.state.OptionsOpen);
}

} // namespace
} // namespace dorvane
