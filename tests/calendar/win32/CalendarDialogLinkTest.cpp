#include "calendar/win32/CalendarDialogLink.h"
#include "calendar/win32/FormCalendarDialogIds.h"
#include "options/win32/Form2Dialog.h"
#include "platform/win32/DialogMessages.h"
#include "tests/support/Fakes.h"
#include "tests/support/RecordingOptionsParts.h"
#include "tests/support/Win32Testing.h"

#include <gtest/gtest.h>

#include <functional>

namespace dorvane {
namespace {

using namespace dorvane::testing;

// An open options window whose date fields the calendar fills, on Sunday 6 December 2026.
struct OptionsWithCalendar {
    OptionsWithCalendar()
    {
        parts.time.Set(At(9, 0));
        options.Show();
        link.Attach(&options);
    }
    ClockState state;
    RecordingOptionsParts parts;
    CalendarDialogLink link{state, parts.time};
    Form2Dialog options{state, {parts.sounds, parts.pump, parts, link, parts, parts.shell, {}, {}, {parts, parts.surfaces, parts.time, parts.screen}}};
};

// Top edges level, to the right of the options window, or to its left, or at the screen's left
// edge when neither side has room.
bool Beside(HWND calendar, HWND options)
{
    RECT c{}, o{};
    GetWindowRect(calendar, &c);
    GetWindowRect(options, &o);
    return c.top == o.top && (c.left == o.right || c.right == o.left || (c.left == 0 && o.right + c.right > GetSystemMetrics(SM_CXSCREEN)));
}

TEST(CalendarDialogLink, ADateFieldOpensTheCalendarBesideTheOptionsAPickFillsThatRowsDateAndEscapeOnlyHidesIt)
{
    EXPECT_NE(FindResourceW(nullptr, MAKEINTRESOURCEW(IDD_FORMCALENDAR), RT_DIALOG), nullptr);
    OptionsWithCalendar o;
    o.options.Logic().Alarms().DateClicked(2);
    ASSERT_NE(o.link.Window(), nullptr);
    const HWND w = o.link.Window()->Handle();
    FormCalendar& logic = o.link.Window()->Logic();
    const auto pick = [&](int day) { Notify(w, IDC_Label30 + logic.CellOfDay(day), BN_CLICKED); };
    const struct { const char* step; std::function<void()> act; std::function<bool()> reached; } steps[] = {
        {"opened beside the options", [] {}, [&] { return IsWindowVisible(w) && Beside(w, o.options.Handle()); }},
        {"today's line and cell", [] {},
         [&] {
             HWND today = GetDlgItem(w, IDC_Label30 + logic.CellOfDay(6));
             return TextOf(w, IDC_Label5) == "Sun Dec 06, 2026" && WindowText(today) == "6" && GetFocus() == today;
         }},
        {"a month on", [&] { SendMessageW(w, WM_HSCROLL, SB_LINERIGHT, reinterpret_cast<LPARAM>(GetDlgItem(w, IDC_HScroll1))); },
         [&] { return TextOf(w, IDC_Label2) == "Jan" && TextOf(w, IDC_Label4) == "2027"; }},
        {"Reset", [&] { Click(w, IDC_Command1); }, [&] { return TextOf(w, IDC_Label2) == "Dec" && TextOf(w, IDC_Label4) == "2026"; }},
        {"a passed day refused", [&] { pick(1); }, [&] { return o.state.Alarms[2].AlarmDate.empty() && IsWindowVisible(w); }},
        {"a day from today on picked", [&] { pick(20); },
         [&] { return o.state.Alarms[2].AlarmDate == "Sun Dec 20, 2026" && !IsWindowVisible(w); }},
        {"Escape only hides the calendar",
         [&] {
             o.options.Logic().Alarms().DateClicked(0);
             MSG escape{GetFocus() ? GetFocus() : w, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
             EXPECT_TRUE(DialogMessages::Route(escape));
         },
         [&] { return !IsWindowVisible(w) && IsWindow(w) && o.options.IsOpen(); }},
        {"closing the options hides it", [&] { o.options.Logic().Alarms().DateClicked(0), o.options.Close(); }, [&] { return !IsWindowVisible(w); }},
    };
    for (const auto& step : steps) {
        step.act();
        EXPECT_TRUE(step.reached()) << step.step;
    }
}

} // namespace
} // namespace dorvane
