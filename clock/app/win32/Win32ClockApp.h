#pragma once

#include "calendar/win32/CalendarDialogLink.h"
#include "clock/app/ClockAppParts.h"
#include "clock/face/ClockFace.h"
#include "clock/face/SkinLoader.h"
#include "clock/settings/SettingsFile.h"
#include "clock/settings/SettingsHost.h"
#include "clock/state/ClockState.h"
#include "clock/state/ClockSurfaces.h"
#include "clock/tick/AlarmPopups.h"
#include "clock/tick/ClockSounds.h"
#include "clock/tick/ClockTick.h"
#include "clock/tick/ClockTimerClient.h"
#include "clock/tick/ClockWindowLink.h"
#include "clock/tick/OptionsWindowLink.h"
#include "clock/window/ClockMouse.h"
#include "clock/window/ScreenPlacement.h"
#include "clock/window/win32/LayeredClockWindow.h"
#include "options/ButtonStrip.h"
#include "options/OptionsLinks.h"
#include "options/win32/ButtonStripWindow.h"
#include "options/win32/Form2Dialog.h"
#include "platform/win32/RunKeyAutostart.h"
#include "platform/win32/Win32MessagePump.h"
#include "platform/win32/Win32WindowMessageHooks.h"
#include "platform/win32/WindowsScreen.h"
#include "platform/win32/WindowsShell.h"
#include "popup/win32/AlarmPopupWindow.h"
#include "popup/win32/MissedAlarmsWindow.h"
#include "winmsg/MSubclass.h"

#include <windows.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

namespace dorvane {

// What the clock needs from outside on every system, and the title a later start finds the running
// clock by.
struct Win32ClockAppParts : ClockAppParts {
    std::wstring instanceName;
};

// The running clock on Windows: it creates the layered clock window when the settings ask for its
// width, drives the one-second tick from the window's timer (its WM_TIMER runs the tick through
// the message interception and is then aimed at the next second), and wires the window's mouse,
// the button strip and the alarm pop-ups to their logic. A hidden message window of its own takes
// the strip's timer and the requests of other threads and processes.
class Win32ClockApp : public SettingsHost,
                      public ClockWindowLink,
                      public ClockMouseActions,
                      public ButtonStripActions,
                      public AlarmPopups,
                      public OptionsWindowLink,
                      public OptionsHost,
                      public ClockLook,
                      public ClockWindowEvents {
public:
    static constexpr const wchar_t* kHostClassName = L"DorvaneInstance";
    // Messages the host window takes from elsewhere.
    static constexpr UINT kComeForward = WM_APP + 10;
    static constexpr UINT kCloseRequest = WM_APP + 11;
    static constexpr UINT kDropClosedOptions = WM_APP + 12;
    static constexpr UINT_PTR kTickTimerId = 1;
    static constexpr UINT_PTR kStripTimerId = 2;
    static constexpr UINT kStripTimerMilliseconds = 100;

    Win32ClockApp(ClockState& state, Win32ClockAppParts parts);
    ~Win32ClockApp() override;
    Win32ClockApp(const Win32ClockApp&) = delete;
    Win32ClockApp& operator=(const Win32ClockApp&) = delete;

    // The program's start: settings (which create the window), the imaging token handed to the
    // five pictures, the window moved to a reachable place and shown unless the clock is invisible.
    void Start();
    // The clock window's closing: the timers off, the tick's timer message given back, the
    // settings saved, the imaging services shut down and the farewell tone. Runs once.
    Status Close();
    // Close, then the end of the message loop.
    void CloseAndQuit();
    void BringToFront();
    Status SaveSettings() override;
    bool LastSaveFailed() const { return lastSaveFailed_; }

    HWND HostHandle() const { return host_; }
    LayeredClockWindow* Window() const { return window_.get(); }
    ButtonStripWindow* Strip() const { return strip_.get(); }
    Form2Dialog* Options() const { return options_.get(); }

private:
    // Re-aims the clock window's timer after each of its messages.
    class TimerAim : public ISubclass {
    public:
        explicit TimerAim(Win32ClockApp& app) : app_(app) {}
        int32_t MsgResponse() const override { return PassNone; }
        void SetMsgResponse(int32_t) override {}
        int32_t WindowProc(WindowHandle, uint32_t, uintptr_t, intptr_t) override;

    private:
        Win32ClockApp& app_;
    };

    static LRESULT CALLBACK HostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void CreateHost(const std::wstring& instanceName);
    void CreateClockWindow();
    void AimSecondTimer();
    PixelRect ClockPixels() const;
    void TellSaveFailed(const std::string& reason);
    Form2Parts OptionsParts();
    Form2* OpenOptions() const;

    // SettingsHost
    double ClockWindowWidthTwips() override;
    TwipsPoint ClockWindowPositionTwips() override;
    void SetTopMost(bool onTop) override { window_->SetTopMost(onTop); }
    void LoadSkin() override;
    // ClockWindowLink
    bool EscapePressed() override;
    void MakeVisible() override { window_->Show(); }
    void DrawClock(const LocalTime& time) override { face_.Draw(time); }
    void PresentPicture() override;
    // ClockMouseActions
    void MoveClockBy(int dx, int dy) override;
    void ShowStrip() override;
    void UnloadStrip() override { strip_.reset(); }
    void HideStrip() override;
    void SetStripTimer(bool enabled) override;
    void SilenceCurrentAlarm() override { tick_.SilenceCurrentAlarm(); }
    // ButtonStripActions
    TwipsRect ClockRect() override;
    void MoveClock(double left, double top) override;
    void MoveStrip(double left, double top) override;
    void MarkPointerMoved() override { mouse_.MarkPointerMoved(time_.Now().SecondsSinceMidnight()); }
    void ReopenOptions() override;
    void CloseClock() override { ::PostMessageW(host_, kCloseRequest, 0, 0); }
    // AlarmPopups
    void ShowAlarmPopup(const AlarmPopupRequest& request) override;
    void ShowMissedAlarms(const std::vector<MissedAlarm>& alarms) override;
    // OptionsWindowLink: into the open options window.
    void SetTimeLine(const std::string& text) override;
    void SetAlarmMinText(int slot, const std::string& text) override;
    void ClearActivateAlarm(int slot) override;
    void ClearAlarmRow(int slot) override;
    // OptionsHost
    void SetClockEnabled(bool enabled) override;
    Status DeleteSettingsFile() override;
    void LoadSettings() override { (void)settings_.LoadSettings(); }
    // ClockLook
    void HideClock() override { window_->Hide(); }
    void ShowClock() override { window_->BringToFront(); }
    void ChangeSkin() override;
    // ClockWindowEvents
    void CloseRequested() override { CloseAndQuit(); }
    void SessionEnding(bool final) override;
    // The tick runs at once (and finds the time that passed); its timer is aimed afresh.
    void ComputerWoke() override;

    ClockState& state_;
    TimeSource& time_;
    ClockSounds& sounds_;
    uint32_t imagingToken_;
    std::ostream* tickLog_;
    bool settingsGiven_;
    WindowsScreen screen_;
    Win32MessagePump pump_;
    WindowsShell shell_;
    RunKeyAutostart autostart_;
    ClockSurfaces surfaces_;
    ClockFace face_;
    std::optional<SkinLoader> skins_; // sizes the clock window, so made with it
    SettingsFile settings_;
    Win32WindowMessageHooks hooks_;
    MSubclass subclass_;
    ClockTick tick_;
    ClockTimerClient timerClient_;
    TimerAim timerAim_{*this};
    ClockMouse mouse_;
    HWND host_ = nullptr;
    std::unique_ptr<LayeredClockWindow> window_;
    std::unique_ptr<ButtonStripWindow> strip_;
    std::unique_ptr<MissedAlarmsWindow> missed_;
    std::unique_ptr<Form2Dialog> options_;
    // A closed options window waits here until the message that closed it is done with it.
    std::unique_ptr<Form2Dialog> closedOptions_;
    CalendarDialogLink calendar_; // fills the options window's alarm dates
    AlarmPopupWindow::Pictures popupPictures_;
    HICON bigIcon_ = nullptr;
    HICON smallIcon_ = nullptr;
    bool closed_ = false;
    bool lastSaveFailed_ = false;
    bool toldSaveFailure_ = false;
};

} // namespace dorvane
