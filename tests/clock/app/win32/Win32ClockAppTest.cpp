#include "clock/app/win32/Win32ClockApp.h"

#include "image/cGDIPlus.h"
#include "options/ButtonStripLayout.h"
#include "options/win32/Form2DialogIds.h"
#include "tests/support/Fakes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <sstream>

namespace dorvane {
namespace {

using namespace dorvane::testing;

struct QuietClockSounds : ClockSounds {
    void PlayTone(const TickTone&) override {}
    void PlayGeneratedTone(const TickTone&) override {}
    void StartRecordedChime() override {}
    void PlayStartSignal() override { ++signals; }
    void PlayStopSignal() override { ++signals; }
    int signals = 0;
};

class Win32ClockAppTest : public ::testing::Test {
protected:
    Win32ClockAppTest() { TempFolder::Write(settings, "[Settings]\nX=40\nY=30\nAlpha=200\n"); }

    TempFolder folder;
    std::filesystem::path settings = folder / "ClockSettings.ini";
    FakeTimeSource time{At(10, 8, 0)};
    QuietClockSounds sounds;
    std::ostringstream tickLog;
    ClockState state;
    Win32ClockApp app{state, {{time, sounds, settings, false, cGDIPlus::Startup(), &tickLog}, L"Dorvane-test"}};
};

TEST_F(Win32ClockAppTest, TheClockIsAShownLayeredToolWindowAtItsSavedPlaceThatTicksAndSavesThePlaceOnceOnClosing)
{
    app.Start();
    const HWND clock = app.Window()->Handle();
    c32bppDIB dial;
    ASSERT_TRUE(dial.LoadPicture_Resource("BACK", "PNG"));
    RECT frame;
    ::GetWindowRect(clock, &frame);
    EXPECT_EQ(::GetWindowLongPtrW(clock, GWL_EXSTYLE) & (WS_EX_LAYERED | WS_EX_TOOLWINDOW), WS_EX_LAYERED | WS_EX_TOOLWINDOW);
    EXPECT_EQ((std::vector<LONG>{frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top}),
              (std::vector<LONG>{40, 30, dial.Width(), dial.Height()}));
    EXPECT_TRUE(::IsWindowVisible(clock));
    EXPECT_NE(::SendMessageW(clock, WM_GETICON, ICON_BIG, 0), 0) << "the program icon";
    EXPECT_EQ(sounds.signals, 1) << "the greeting";
    // Each timer message runs the tick through the interception; closing saves the place once.
    const std::string firstRun = tickLog.str();
    time.Set(At(10, 8, 1));
    ::SendMessageW(app.Window()->Handle(), WM_TIMER, Win32ClockApp::kTickTimerId, 0);
    EXPECT_EQ(tickLog.str(), firstRun + "2026-12-06 10:08:01.000\n");

    app.Window()->MoveTo(300, 200);
    ASSERT_TRUE(app.Close());
    EXPECT_NE(TempFolder::Read(settings).find("X=300\nY=200\n"), std::string::npos) << TempFolder::Read(settings);
    EXPECT_TRUE(app.Close()) << "a second close does nothing";
    EXPECT_EQ(sounds.signals, 2) << "the greeting and one farewell";
    ::SendMessageW(app.Window()->Handle(), WM_TIMER, Win32ClockApp::kTickTimerId, 0);
    EXPECT_EQ(tickLog.str(), firstRun + "2026-12-06 10:08:01.000\n") << "a closed clock no longer ticks";
}

TEST_F(Win32ClockAppTest, TheStripsOptionsPictureOpensAFreshOptionsWindowEachTimeWhoseClockLineTheTickKeeps)
{
    app.Start();
    ::SendMessageW(app.Window()->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
    ASSERT_NE(app.Strip(), nullptr) << "hovering shows the strip";
    const auto picture = ButtonStripLayout::Options();
    ::SendMessageW(app.Strip()->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(picture.left + 2, picture.top + 2));
    Form2Dialog* first = app.Options();
    ASSERT_TRUE(first && first->IsOpen());
    EXPECT_TRUE(state.OptionsOpen);
    EXPECT_FALSE(::IsWindowEnabled(app.Window()->Handle())) << "the clock takes no input while the options are open";

    ::SendMessageW(app.Strip()->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(picture.left + 2, picture.top + 2));
    ASSERT_TRUE(app.Options() && app.Options()->IsOpen());
    EXPECT_NE(app.Options(), first);
    time.Set(At(10, 8, 1));
    ::SendMessageW(app.Window()->Handle(), WM_TIMER, Win32ClockApp::kTickTimerId, 0);
    wchar_t line[64] = {};
    ::GetDlgItemTextW(app.Options()->Handle(), IDC_LabelTime, line, 64);
    EXPECT_NE(std::wstring(line).find(L"10:08:01"), std::wstring::npos) << line;
}

} // namespace
} // namespace dorvane
