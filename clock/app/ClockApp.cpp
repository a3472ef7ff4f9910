#include "clock/app/ClockApp.h"

#include "clock/state/ClockText.h"
#include "clock/tick/TickTiming.h"
#include "clock/window/ScreenPlacement.h"
#include "clock/window/SurfaceImage.h"
#include "image/cGDIPlus.h"
#include "options/ProgramTargets.h"
#include "platform/FileStore.h"
#include "popup/Form3View.h"
#include "resources/IconImages.h"

#include <QApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>
#include <QIcon>
#include <QTimerEvent>

#include <cmath>
#include <iostream>
#include <vector>

namespace dorvane {
namespace {

// The id of the clock window's one-second timer, as its timer message carries it.
constexpr int kTickTimerId = 1;
constexpr int kStripTimerMilliseconds = 100;
// How long a failed save's message box may hold up the end of the program.
constexpr int kNoticeMilliseconds = 15000;
// The window's drawing area before a skin sizes it: 2250 twips at 15 twips per pixel.
constexpr int kInitialWindowPixels = 150;

// The window system's own connection to the X server; nullptr on other window systems.
::Display* WindowSystemXDisplay()
{
    const auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->display() : nullptr;
}

// The user manual: beside an installed program, beside the program, or in the sources it was built from.
std::vector<std::filesystem::path> ManualPlacesOf(const std::filesystem::path& programFolder)
{
    std::vector<std::filesystem::path> places = ManualPlaces(programFolder);
#ifdef DORVANE_SOURCE_MANUAL
    places.emplace_back(DORVANE_SOURCE_MANUAL);
#endif
    return places;
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (const IconImage& size : IconImages(EmbeddedResources::Program(), "MAINICON")) {
        c32bppDIB picture;
        if (picture.LoadPicture_Stream(size.bytes))
            icon.addPixmap(QPixmap::fromImage(SurfaceImage(picture)));
    }
    return icon;
}

} // namespace

ClockApp::ClockApp(ClockState& state, ClockAppParts parts)
    : state_(state), time_(parts.time), sounds_(parts.sounds), imagingToken_(parts.imagingToken), tickLog_(parts.tickLog),
      desktop_(WindowSystemXDisplay()), face_(state, surfaces_),
      settings_(parts.settingsPath, state, *this, screen_, std::cerr), subclass_(hooks_),
      tick_(state, TickLinks{time_, sounds_, pump_, shell_, *this, *this, *this}), timerClient_(tick_),
      mouse_(*this, state), calendar_(state, time_), autostart_(XdgAutostart::ForThisUser()),
      settingsGiven_(parts.settingsGiven)
{
    secondTimer_.setSingleShot(true);
    secondTimer_.setTimerType(Qt::PreciseTimer);
    connect(&secondTimer_, &QTimer::timeout, this, [this] { SecondTimerFired(); });
    stripTimer_.setInterval(kStripTimerMilliseconds);
    connect(&stripTimer_, &QTimer::timeout, this, [this] { mouse_.StripTimerFired(time_.Now().SecondsSinceMidnight()); });
}

ClockApp::~ClockApp() = default;

void ClockApp::Start()
{
    settings_.LoadSettings();
    for (c32bppDIB* surface : surfaces_.All())
        surface->SetGdiToken(imagingToken_);
    const QPoint place = ReachablePlace();
    state_.X = place.x();
    state_.Y = place.y();
    if (state_.InvisibleClock == 0)
        window_->show();
    window_->move(place);
}

// The saved place, unless the clock would lie wholly off every screen there: a borderless clock out
// of sight can be neither seen nor dragged back.
QPoint ClockApp::ReachablePlace() const
{
    std::vector<PixelRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->geometry();
        screens.push_back({area.x(), area.y(), area.width(), area.height()});
    }
    const PixelPoint place = ReachablePosition({state_.X, state_.Y, window_->width(), window_->height()}, screens);
    return QPoint(place.x, place.y);
}

// Creating the clock window: its icon, the tick's timer message taken over, the one-second timer
// started, one run of the tick, and the greeting.
void ClockApp::CreateClockWindow()
{
    window_ = std::make_unique<ClockWindowView>(mouse_, time_, desktop_.IsCompositing());
    window_->resize(kInitialWindowPixels, kInitialWindowPixels);
    skins_.emplace(state_, surfaces_, *window_);
    const QIcon icon = ProgramIcon();
    window_->setWindowIcon(icon);
    QApplication::setWindowIcon(icon);
    hooks_.Track(window_.get());
    if (auto refused = subclass_.InterceptMessage(timerClient_, QtWindowMessageHooks::HandleOf(window_.get()), kWmTimer))
        std::cerr << "dorvane: " << refused->description << "\n";
    StartSecondTimer(0);
    tick_.ProgramStarting();
    tick_.UpdateClock();
    sounds_.PlayStartSignal();
}

// Aims the timer to fire once after milliseconds. A timer that repeats every second and would fire
// then anyway is left as it is, so that most runs do not restart it.
void ClockApp::StartSecondTimer(int milliseconds)
{
    constexpr int kInStepMilliseconds = 5;
    if (closed_)
        return;
    if (secondTimer_.isActive() && !secondTimer_.isSingleShot() &&
        std::abs(secondTimer_.remainingTime() - milliseconds) <= kInStepMilliseconds)
        return;
    secondTimer_.setSingleShot(true);
    secondTimer_.start(milliseconds);
}

// The timer message goes to the clock window, where the interception hands it to the tick; then
// the timer is aimed just past the next second boundary. A single shot that fires, just past a
// boundary, turns into a timer repeating every second from then on, which stays in step with the
// wall clock until the clock is set, the computer sleeps or a run takes long.
void ClockApp::SecondTimerFired()
{
    if (secondTimer_.isSingleShot()) {
        secondTimer_.setSingleShot(false);
        secondTimer_.start(1000);
    }
    QTimerEvent message(kTickTimerId);
    QCoreApplication::sendEvent(window_.get(), &message);
    const auto lastRun = tick_.LastRun();
    StartSecondTimer(lastRun ? MillisecondsUntilNextTick(*lastRun, time_.Now()) : 1000);
}

void ClockApp::ComputerWoke()
{
    if (closed_ || !window_)
        return;
    QTimerEvent message(kTickTimerId);
    QCoreApplication::sendEvent(window_.get(), &message);
    const auto lastRun = tick_.LastRun();
    StartSecondTimer(lastRun ? MillisecondsUntilNextTick(*lastRun, time_.Now()) : 1000);
}

Status ClockApp::Close()
{
    if (closed_)
        return Status::Ok();
    closed_ = true;
    stripTimer_.stop();
    secondTimer_.stop();
    if (options_)
        options_->close();
    if (window_)
        subclass_.ReleaseMessage(timerClient_, QtWindowMessageHooks::HandleOf(window_.get()), kWmTimer);
    Status saved = SaveSettings();
    cGDIPlus::Shutdown(imagingToken_);
    sounds_.PlayStopSignal();
    return saved;
}

// A second request while the notice waits (another SIGTERM, say) ends the wait and the program.
void ClockApp::CloseAndQuit()
{
    if (!closed_) {
        Close();
        LetNoticeBeRead(kNoticeMilliseconds);
    }
    QCoreApplication::quit();
}

void ClockApp::SaveBeforeExit()
{
    if (closed_ || !window_)
        return;
    closed_ = true;
    lastSaveFailed_ = !settings_.SaveSettings();
}

void ClockApp::BringToFront()
{
    window_->show();
    window_->raise();
    window_->activateWindow();
}

Status ClockApp::SaveSettings()
{
    Status saved = settings_.SaveSettings();
    lastSaveFailed_ = !saved;
    if (!saved)
        TellSaveFailed(saved.error());
    return saved;
}

// A desktop user never sees the error stream: the failure goes to the desktop's notifications when
// notify-send is there, else to a small message box that waits for nobody.
void ClockApp::TellSaveFailed(const std::string& reason)
{
    if (toldSaveFailure_)
        return;
    toldSaveFailure_ = true;
    const std::string text = "Dorvane could not save its settings.\n" + reason;
    if (shell_.StartProgram("notify-send", {"--app-name=Dorvane", "--urgency=critical", "Dorvane", text}))
        return;
    notice_ = new QMessageBox(QMessageBox::Warning, "Dorvane: settings not saved", QString::fromStdString(text),
                              QMessageBox::Ok);
    notice_->setObjectName("SaveFailureNotice");
    notice_->setAttribute(Qt::WA_DeleteOnClose);
    notice_->setModal(false);
    notice_->show();
}

void ClockApp::LetNoticeBeRead(int milliseconds)
{
    if (!notice_)
        return;
    QEventLoop loop;
    connect(notice_, &QObject::destroyed, &loop, &QEventLoop::quit);
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// The taps are read at every tick, shown clock or not, so that they never pile up unread.
bool ClockApp::EscapePressed()
{
    const bool tapped = escapeTaps_.PressedSinceLastAsk();
    return window_->isHidden() && (tapped || desktop_.EscapeIsDown());
}

double ClockApp::ClockWindowWidthTwips()
{
    if (!window_)
        CreateClockWindow();
    return window_->width() * screen_.TwipsPerPixelX();
}

TwipsPoint ClockApp::ClockWindowPositionTwips()
{
    return {window_->x() * screen_.TwipsPerPixelX(), window_->y() * screen_.TwipsPerPixelY()};
}

void ClockApp::SetTopMost(bool onTop)
{
    const bool wasVisible = window_->isVisible();
    window_->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (wasVisible)
        window_->show();
}

void ClockApp::LoadSkin()
{
    if (Status loaded = skins_->LoadSkin(); !loaded)
        std::cerr << "dorvane: " << loaded.error() << "\n";
}

void ClockApp::MakeVisible() { window_->show(); }

// The face is drawn at the resolution of the screen the window is on, which may change as the
// window moves between screens.
void ClockApp::DrawClock(const LocalTime& time)
{
    face_.SetDeviceScale(window_ ? window_->devicePixelRatio() : 1.0);
    face_.Draw(time);
}

void ClockApp::PresentPicture()
{
    window_->Present(face_.Picture(), state_.Alpha);
    if (tickLog_)
        *tickLog_ << TickLogLine(time_.Now()) << std::flush;
}

void ClockApp::MoveClockBy(int dx, int dy) { window_->move(window_->pos() + QPoint(dx, dy)); }

void ClockApp::ShowStrip()
{
    if (!strip_) {
        ButtonStripView::Pictures pictures{ResourceImage("PNG", "STRIP-CLOSE"), ResourceImage("PNG", "STRIP-OPTIONS"),
                                           ResourceImage("PNG", "STRIP-DRAG")};
        strip_ = std::make_unique<ButtonStripView>(*this, screen_, std::move(pictures));
        strip_->Logic().Place();
    }
    strip_->show();
}

void ClockApp::UnloadStrip()
{
    // The strip may be the one asking (its own mouse events), so it goes once they are done.
    if (strip_)
        strip_.release()->deleteLater();
}

void ClockApp::HideStrip()
{
    if (strip_)
        strip_->hide();
}

void ClockApp::SetStripTimer(bool enabled)
{
    if (enabled)
        stripTimer_.start();
    else
        stripTimer_.stop();
}

TwipsRect ClockApp::ClockRect()
{
    const QRect frame = window_->geometry();
    return PixelsToTwips({frame.x(), frame.y(), frame.width(), frame.height()}, screen_);
}

QPoint ClockApp::TwipsToPixels(double left, double top) const
{
    const PixelPoint place = dorvane::TwipsToPixels(left, top, screen_);
    return QPoint(place.x, place.y);
}

void ClockApp::MoveClock(double left, double top) { window_->move(TwipsToPixels(left, top)); }

void ClockApp::MoveStrip(double left, double top)
{
    if (strip_)
        strip_->move(TwipsToPixels(left, top));
}

void ClockApp::CloseClock()
{
    // The strip's own click asks for this; the windows go once its event is done.
    QTimer::singleShot(0, this, [this] { CloseAndQuit(); });
}

void ClockApp::ShowAlarmPopup(const AlarmPopupRequest& request)
{
    static const Form3View::Pictures pictures{ResourceImage("PNG", "POPUP-CLOSE"), ResourceImage("PNG", "POPUP-RESET"),
                                              ResourceImage("PNG", "POPUP-SNOOZE"), ResourceImage("PNG", "POPUP-ALARM")};
    auto* popup = new Form3View(state_, PopupLinks{sounds_, pump_, *this, this}, time_, request, pictures);
    popup->show();
    popup->raise();
}

// The strip's options picture and a reset: an open options window closes (saving) and a fresh one
// opens. The clock is disabled while it is open.
void ClockApp::ReopenOptions()
{
    if (options_)
        options_->close();
    options_ = new Form2View(state_, OptionsParts());
    calendar_.Attach(options_);
    options_->show();
    options_->raise();
    options_->activateWindow();
}

Form2Parts ClockApp::OptionsParts()
{
    const std::filesystem::path program = QCoreApplication::applicationFilePath().toStdString();
    return {sounds_, pump_, *this, calendar_, autostart_, shell_,
            StartCommandFor(program, settings_.Path(), settingsGiven_),
            AboutTargetsFor(ManualPlacesOf(program.parent_path()), settings_.Path()), {*this, surfaces_, time_, screen_}};
}

void ClockApp::SetClockEnabled(bool enabled)
{
    if (window_)
        window_->setEnabled(enabled);
}

Status ClockApp::DeleteSettingsFile() { return FileStore::Remove(settings_.Path()); }

void ClockApp::ShowClock()
{
    window_->show();
    window_->raise();
}

// The options window's skin arrows: the new skin is drawn and shown at once, not at the next tick.
void ClockApp::ChangeSkin()
{
    LoadSkin();
    face_.Draw(time_.Now());
    window_->Present(surfaces_.iBack, state_.Alpha);
}

void ClockApp::SetTimeLine(const std::string& text)
{
    if (options_)
        options_->Logic().SetTimeLine(text);
}

void ClockApp::SetAlarmMinText(int slot, const std::string& text)
{
    if (options_)
        options_->Logic().SetAlarmMinText(slot, text);
}

void ClockApp::ClearActivateAlarm(int slot)
{
    if (options_)
        options_->Logic().ClearActivateAlarm(slot);
}

void ClockApp::ClearAlarmRow(int slot)
{
    if (options_)
        options_->Logic().ClearAlarmRow(slot);
}

void ClockApp::ShowMissedAlarms(const std::vector<MissedAlarm>& alarms)
{
    if (!missed_)
        missed_ = new MissedAlarmsView;
    missed_->Add(alarms);
    missed_->show();
    missed_->raise();
}

} // namespace dorvane
