#pragma once

#include "calendar/OptionsCalendar.h"
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
#include "clock/window/ClockWindowView.h"
#include "options/ButtonStripView.h"
#include "options/Form2View.h"
#include "options/OptionsLinks.h"
#include "popup/MissedAlarmsView.h"
#include "platform/linux/DesktopShell.h"
#include "platform/linux/X11Desktop.h"
#include "platform/linux/X11EscapeTaps.h"
#include "platform/linux/XdgAutostart.h"
#include "platform/qt/QtMessagePump.h"
#include "platform/qt/QtScreen.h"
#include "platform/qt/QtWindowMessageHooks.h"
#ifdef DORVANE_HAVE_QTDBUS
#include "platform/qt/LogindSleepWatcher.h"
#endif
#include "winmsg/MSubclass.h"

#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <filesystem>
#include <optional>
#include <ostream>
#include <memory>

namespace dorvane {

// The running clock: it creates the clock window at the moment the settings ask for its width,
// drives the one-second tick from a timer aligned to the wall clock, and wires the window's mouse,
// the button strip and the alarm pop-ups to their logic.
class ClockApp : public QObject,
                 public SettingsHost,
                 public ClockWindowLink,
                 public ClockMouseActions,
                 public ButtonStripActions,
                 public AlarmPopups,
                 public OptionsWindowLink,
                 public OptionsHost,
                 public ClockLook {
public:
    ClockApp(ClockState& state, ClockAppParts parts);
    ~ClockApp() override;

    // The program's start: settings (which create the window), the imaging token handed to the
    // five pictures, the window shown unless the clock is invisible, and moved to its place.
    void Start();
    // The clock window's closing: the strip's timer off, the tick's timer message given back, the
    // settings saved, the imaging services shut down and the farewell tone. Runs once; each step
    // runs whatever happened to the one before. Returns how the save went.
    Status Close();
    // Close, then, once a failed save's message has been read or has waited long enough, the end
    // of the event loop.
    void CloseAndQuit();
    // The process is ending outside the event loop, as when the X connection breaks and the
    // window system ends it: only the settings are saved, unless the clock was closed already.
    void SaveBeforeExit();
    // A later start on the same settings file asked for this clock: shown, raised, activated.
    void BringToFront();
    // Saves the settings; a failure is shown to the user, the first time only. Also the options
    // window's save when it closes.
    Status SaveSettings() override;
    // True when the last save failed, so that the program can end with a failure.
    bool LastSaveFailed() const { return lastSaveFailed_; }

    ClockWindowView* Window() const { return window_.get(); }

private:
    void CreateClockWindow();
    void StartSecondTimer(int milliseconds);
    void SecondTimerFired();
    // The computer woke from a suspend: the tick runs now (and finds the time that passed), and
    // the timer is aimed at the next second again.
    void ComputerWoke();
    QPoint TwipsToPixels(double left, double top) const;
    QPoint ReachablePlace() const;
    void TellSaveFailed(const std::string& reason);
    // Gives the user up to milliseconds to read a failure shown in a message box, if one is open.
    void LetNoticeBeRead(int milliseconds);

    // SettingsHost
    double ClockWindowWidthTwips() override;
    TwipsPoint ClockWindowPositionTwips() override;
    void SetTopMost(bool onTop) override;
    void LoadSkin() override;
    // ClockWindowLink
    bool EscapePressed() override;
    void MakeVisible() override;
    void DrawClock(const LocalTime& time) override;
    void PresentPicture() override;
    // ClockMouseActions
    void MoveClockBy(int dx, int dy) override;
    void ShowStrip() override;
    void UnloadStrip() override;
    void HideStrip() override;
    void SetStripTimer(bool enabled) override;
    void SilenceCurrentAlarm() override { tick_.SilenceCurrentAlarm(); }
    // ButtonStripActions
    TwipsRect ClockRect() override;
    void MoveClock(double left, double top) override;
    void MoveStrip(double left, double top) override;
    void MarkPointerMoved() override { mouse_.MarkPointerMoved(time_.Now().SecondsSinceMidnight()); }
    void ReopenOptions() override;
    void CloseClock() override;
    // AlarmPopups
    void ShowAlarmPopup(const AlarmPopupRequest& request) override;
    void ShowMissedAlarms(const std::vector<MissedAlarm>& alarms) override;
    // OptionsWindowLink: into the open options window, through its controls' handlers.
    void SetTimeLine(const std::string& text) override;
    void SetAlarmMinText(int slot, const std::string& text) override;
    void ClearActivateAlarm(int slot) override;
    void ClearAlarmRow(int slot) override;
    // OptionsHost
    void SetClockEnabled(bool enabled) override;
    Status DeleteSettingsFile() override;
    void LoadSettings() override { (void)settings_.LoadSettings(); }
    // ClockLook
    void HideClock() override { window_->hide(); }
    void ShowClock() override;
    void ChangeSkin() override;
    Form2Parts OptionsParts();

    ClockState& state_;
    TimeSource& time_;
    ClockSounds& sounds_;
    uint32_t imagingToken_;
    std::ostream* tickLog_;
    QtScreen screen_;
    X11Desktop desktop_;
    X11EscapeTaps escapeTaps_;
    QtMessagePump pump_;
    DesktopShell shell_;
    ClockSurfaces surfaces_;
    ClockFace face_;
    std::optional<SkinLoader> skins_; // sizes the clock window, so made with it
    SettingsFile settings_;
    QtWindowMessageHooks hooks_;
    MSubclass subclass_;
    ClockTick tick_;
    ClockTimerClient timerClient_;
    ClockMouse mouse_;
    std::unique_ptr<ClockWindowView> window_;
    std::unique_ptr<ButtonStripView> strip_;
    QPointer<Form2View> options_; // deletes itself when closed
    OptionsCalendar calendar_;    // fills the options window's alarm dates
    XdgAutostart autostart_;
    bool settingsGiven_;
    QTimer secondTimer_;
    QTimer stripTimer_;
    bool closed_ = false;
    bool lastSaveFailed_ = false;
    bool toldSaveFailure_ = false;
    QPointer<QMessageBox> notice_; // the failed save's message, while it is open
    QPointer<MissedAlarmsView> missed_; // the "Missed alarms" pop-up, while it is open
#ifdef DORVANE_HAVE_QTDBUS
    LogindSleepWatcher sleepWatcher_{[this] { ComputerWoke(); }};
#endif
};

} // namespace dorvane
