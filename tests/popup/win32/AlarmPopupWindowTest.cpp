#include "popup/win32/AlarmPopupWindow.h"

#include "popup/win32/MissedAlarmsWindow.h"
#include "tests/support/TickRig.h"
#include "tests/support/Win32Testing.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace dorvane {
namespace {

using namespace dorvane::testing;

// The alarm of slot 2, dated today at 7:05, popped up; each of its picture buttons clicked once.
TEST(AlarmPopupWindow, ShowsTheAlarmInNamedControlsAndItsPictureButtonsDriveThePopupsLogic)
{
    const struct { int button; bool closed, snoozed, reset; } cases[] = {
        {AlarmPopupWindow::ImageClose, true, false, false},
        {AlarmPopupWindow::ImageSnooze, false, true, false},
        {AlarmPopupWindow::ImageReset, true, false, true},
    };
    ClockState state;
    RecordingTickSounds sounds;
    FakeMessagePump pump;
    RecordingOptionsWindow options;
    FakeTimeSource time{At(7, 5, 3)};
    for (const auto& c : cases) {
        std::tie(state.Alarms[2].AlarmActivated, state.Alarms[2].AlarmDate, state.Alarms[2].AlarmHour, state.Alarms[2].AlarmMin) =
            std::tuple("1", "Sun Dec 06, 2026", "7", "05");
        auto* popup = new AlarmPopupWindow(state, PopupLinks{sounds, pump, options}, time,
                                           {2, "Dorvane ", "Sun Dec 06, 2026  7:05 AM", "Wake up\nnow"}, {});
        const HWND window = popup->Handle();
        EXPECT_EQ(std::tuple(TextOf(window, AlarmPopupWindow::Label1), TextOf(window, AlarmPopupWindow::Text1),
                  TextOf(window, AlarmPopupWindow::ImageSnooze),
                             TextOf(window, AlarmPopupWindow::Picture1)),
                  std::tuple("Sun Dec 06, 2026  7:05 AM", "Wake up\r\nnow", "Snooze", "Picture1"));
        EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(window, AlarmPopupWindow::Label2)));
        EXPECT_TRUE(::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
        const bool snoozedBefore = popup->Logic().IsSnoozed();
        ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(c.button, BN_CLICKED), 0);
        EXPECT_EQ(std::tuple(popup->Logic().IsClosed(), popup->Logic().IsSnoozed() && !snoozedBefore, state.Alarms[2].AlarmHour.empty()),
                  std::tuple(c.closed, c.snoozed, c.reset));
        EXPECT_EQ(::IsWindowVisible(window) != FALSE, false) << "closed or snoozed, it is out of sight";
        if (!c.closed)
            ::SendMessageW(window, WM_CLOSE, 0, 0);
        for (MSG message; ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);)
            ::DispatchMessageW(&message);
        EXPECT_FALSE(::IsWindow(window)) << "the window went, and took itself with it";
    }
}

TEST(MissedAlarmsWindow, ListsEveryMissedAlarmUntilClosedWhichEmptiesIt)
{
    MissedAlarmsWindow missed;
    missed.Add({{1, " 7:05 AM", "Wake up"}, {4, "Sun Dec 06, 2026  9:00 PM", ""}});
    missed.Add({{5, "10:00 PM", "Call"}});
    const HWND list = ::GetDlgItem(missed.Handle(), MissedAlarmsWindow::ListMissedAlarms);
    ASSERT_EQ(::SendMessageW(list, LB_GETCOUNT, 0, 0), 3);
    wchar_t line[64] = {};
    ::SendMessageW(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(line));
    EXPECT_STREQ(line, L"7:05 AM  Wake up");
    EXPECT_TRUE(missed.IsShown());
    EXPECT_EQ(TextOf(missed.Handle(), MissedAlarmsWindow::ButtonCloseMissed), "Close");
    ::SendMessageW(missed.Handle(), WM_COMMAND, MAKEWPARAM(MissedAlarmsWindow::ButtonCloseMissed, BN_CLICKED), 0);
    EXPECT_FALSE(missed.IsShown());
    EXPECT_EQ(::SendMessageW(list, LB_GETCOUNT, 0, 0), 0);
}

} // namespace
} // namespace dorvane
