#include "clock/app/win32/Win32ClockApp.h"

#include "clock/state/ClockText.h"
#include "clock/tick/TickTiming.h"
#include "clock/window/ScreenPlacement.h"
#include "clock/window/win32/PictureBitmap.h"
#include "image/cGDIPlus.h"
#include "options/ProgramTargets.h"
#include "platform/FileStore.h"
#include "platform/win32/ProgramWindow.h"
#include "platform/win32/WideText.h"

#include <algorithm>
#include <iostream>
#include <vector>

namespace dorvane {
namespace {

// How long a failed save's message waits for the user before it closes by itself.
constexpr UINT kNoticeMilliseconds = 15000;
constexpr const wchar_t* kNoticeTitle = L"Dorvane: settings not saved";

// The desktop's screens, for keeping the clock within reach.
BOOL CALLBACK AddScreen(HMONITOR, HDC, LPRECT area, LPARAM screens)
{
    reinterpret_cast<std::vector<PixelRect>*>(screens)->push_back(
        {area->left, area->top, area->right - area->left, area->bottom - area->top});
    return TRUE;
}

// The failed save's message closes by itself, so that an unattended clock still ends.
void CALLBACK CloseNotice(HWND, UINT, UINT_PTR timer, DWORD)
{
    ::KillTimer(nullptr, timer);
    if (HWND notice = ::FindWindowW(L"#32770", kNoticeTitle))
        ::PostMessageW(notice, WM_CLOSE, 0, 0);
}

} // namespace

int32_t Win32ClockApp::TimerAim::WindowProc(WindowHandle, uint32_t, uintptr_t, intptr_t)
{
    app_.AimSecondTimer();
    return 0;
}

Win32ClockApp::Win32ClockApp(ClockState& state, Win32ClockAppParts parts)
    : state_(state), time_(parts.time), sounds_(parts.sounds), imagingToken_(parts.imagingToken),
      tickLog_(parts.tickLog), settingsGiven_(parts.settingsGiven), face_(state, surfaces_),
      settings_(parts.settingsPath, state, *this, screen_, std::cerr), subclass_(hooks_),
      tick_(state, TickLinks{time_, sounds_, pump_, shell_, *this, *this, *this}), timerClient_(tick_),
      mouse_(*this, state), calendar_(state, time_)
{
    CreateHost(parts.instanceName);
    popupPictures_ = {ResourceBitmap("PNG", "POPUP-CLOSE"), ResourceBitmap("PNG", "POPUP-RESET"),
                      ResourceBitmap("PNG", "POPUP-SNOOZE"), ResourceBitmap("PNG", "POPUP-ALARM")};
    bigIcon_ = ProgramIcon(::GetSystemMetrics(SM_CXICON));
    smallIcon_ = ProgramIcon(::GetSystemMetrics(SM_CXSMICON));
}

Win32ClockApp::~Win32ClockApp()
{
    if (window_ && !closed_)
        subclass_.ReleaseMessage(timerClient_, Win32WindowMessageHooks::HandleOf(window_->Handle()), kWmTimer);
    // The options window saves as it goes, which asks the clock window for its place.
    options_.reset();
    closedOptions_.reset();
    strip_.reset();
    missed_.reset();
    window_.reset();
    ForgetObject(host_);
    ::DestroyWindow(host_);
    for (HBITMAP picture : {popupPictures_.close, popupPictures_.reset, popupPictures_.snooze, popupPictures_.decoration})
        if (picture)
            ::DeleteObject(picture);
    for (HICON icon : {bigIcon_, smallIcon_})
        if (icon)
            ::DestroyIcon(icon);
}

// A message-only window: it never shows, and a later start finds it by its class and title.
void Win32ClockApp::CreateHost(const std::wstring& instanceName)
{
    RegisterWindowClass(kHostClassName);
    host_ = ::CreateWindowExW(0, kHostClassName, instanceName.c_str(), 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              ::GetModuleHandleW(nullptr), nullptr);
    HandMessagesTo(host_, this, &HostProcedure);
}

LRESULT CALLBACK Win32ClockApp::HostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = ObjectOf<Win32ClockApp>(window);
    if (!self)
        return ::DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
    case WM_TIMER:
        if (wParam == kStripTimerId)
            self->mouse_.StripTimerFired(self->time_.Now().SecondsSinceMidnight());
        return 0;
    case kComeForward:
        self->BringToFront();
        return 0;
    case kCloseRequest:
        self->CloseAndQuit();
        return 0;
    case kDropClosedOptions:
        self->closedOptions_.reset();
        return 0;
    default:
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

void Win32ClockApp::Start()
{
    (void)settings_.LoadSettings();
    for (c32bppDIB* surface : surfaces_.All())
        surface->SetGdiToken(imagingToken_);
    std::vector<PixelRect> screens;
    ::EnumDisplayMonitors(nullptr, nullptr, &AddScreen, reinterpret_cast<LPARAM>(&screens));
    PixelRect clock = ClockPixels();
    clock.x = state_.X;
    clock.y = state_.Y;
    const PixelPoint place = ReachablePosition(clock, screens);
    state_.X = place.x;
    state_.Y = place.y;
    window_->MoveTo(place.x, place.y);
    if (state_.InvisibleClock == 0)
        window_->Show();
}

// Creating the clock window: its icon, the timer message taken over by the tick, the one-second
// timer started, one run of the tick, and the greeting.
void Win32ClockApp::CreateClockWindow()
{
    window_ = std::make_unique<LayeredClockWindow>(mouse_, time_, *this);
    skins_.emplace(state_, surfaces_, *window_);
    window_->SetIcon(bigIcon_, smallIcon_);
    const WindowHandle handle = Win32WindowMessageHooks::HandleOf(window_->Handle());
    for (ISubclass* client : {static_cast<ISubclass*>(&timerClient_), static_cast<ISubclass*>(&timerAim_)})
        if (auto refused = subclass_.InterceptMessage(*client, handle, kWmTimer))
            std::cerr << "dorvane: " << refused->description << "\n";
    ::SetTimer(window_->Handle(), kTickTimerId, USER_TIMER_MINIMUM, nullptr);
    tick_.ProgramStarting();
    tick_.UpdateClock();
    sounds_.PlayStartSignal();
}

// The timer is aimed just past the next wall-clock second after every run, so that the second
// hand keeps step with the system clock.
void Win32ClockApp::AimSecondTimer()
{
    if (closed_ || !window_)
        return;
    const auto lastRun = tick_.LastRun();
    const int milliseconds = lastRun ? MillisecondsUntilNextTick(*lastRun, time_.Now()) : 1000;
    ::SetTimer(window_->Handle(), kTickTimerId, std::max<UINT>(milliseconds, USER_TIMER_MINIMUM), nullptr);
}

Status Win32ClockApp::Close()
{
    if (closed_)
        return Status::Ok();
    closed_ = true;
    ::KillTimer(host_, kStripTimerId);
    if (OpenOptions())
        options_->Close();
    if (window_) {
        ::KillTimer(window_->Handle(), kTickTimerId);
        const WindowHandle handle = Win32WindowMessageHooks::HandleOf(window_->Handle());
        subclass_.ReleaseMessage(timerAim_, handle, kWmTimer);
        subclass_.ReleaseMessage(timerClient_, handle, kWmTimer);
    }
    Status saved = SaveSettings();
    cGDIPlus::Shutdown(imagingToken_);
    sounds_.PlayStopSignal();
    return saved;
}

void Win32ClockApp::CloseAndQuit()
{
    Close();
    ::PostQuitMessage(lastSaveFailed_ ? 1 : 0);
}

void Win32ClockApp::BringToFront() { window_->BringToFront(); }

Status Win32ClockApp::SaveSettings()
{
    Status saved = settings_.SaveSettings();
    lastSaveFailed_ = !saved;
    if (!saved)
        TellSaveFailed(saved.error());
    return saved;
}

// The failure goes to the error stream and, the first time, to a message box that closes by itself
// after a while.
void Win32ClockApp::TellSaveFailed(const std::string& reason)
{
    const std::string text = "Dorvane could not save its settings.\n" + reason;
    std::cerr << "dorvane: " << reason << "\n";
    if (toldSaveFailure_)
        return;
    toldSaveFailure_ = true;
    ::SetTimer(nullptr, 0, kNoticeMilliseconds, &CloseNotice);
    ::MessageBoxW(nullptr, Widen(text).c_str(), kNoticeTitle, MB_OK | MB_ICONWARNING | MB_TOPMOST | MB_SETFOREGROUND);
}

// Asked whether the session may end, the clock saves; when it ends, the clock closes.
void Win32ClockApp::SessionEnding(bool final)
{
    if (final)
        Close();
    else if (!closed_)
        (void)SaveSettings();
}

void Win32ClockApp::ComputerWoke()
{
    if (!closed_ && window_)
        ::SendMessageW(window_->Handle(), WM_TIMER, kTickTimerId, 0);
}

// GetAsyncKeyState's low bit tells of a press since the last question; it is asked at every tick,
// shown clock or not, so that an old press is not taken for a new one.
bool Win32ClockApp::EscapePressed()
{
    const bool pressed = (::GetAsyncKeyState(VK_ESCAPE) & 0x8001) != 0;
    return pressed && !window_->IsShown();
}

PixelRect Win32ClockApp::ClockPixels() const
{
    const RECT frame = window_->Frame();
    return {frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top};
}

double Win32ClockApp::ClockWindowWidthTwips()
{
    if (!window_)
        CreateClockWindow();
    return ClockPixels().width * screen_.TwipsPerPixelX();
}

TwipsPoint Win32ClockApp::ClockWindowPositionTwips()
{
    const TwipsRect clock = ClockRect();
    return {clock.left, clock.top};
}

void Win32ClockApp::LoadSkin()
{
    if (Status loaded = skins_->LoadSkin(); !loaded)
        std::cerr << "dorvane: " << loaded.error() << "\n";
}

void Win32ClockApp::PresentPicture()
{
    window_->Present(face_.Picture(), state_.Alpha);
    if (tickLog_)
        *tickLog_ << TickLogLine(time_.Now()) << std::flush;
}

void Win32ClockApp::MoveClockBy(int dx, int dy)
{
    const PixelRect clock = ClockPixels();
    window_->MoveTo(clock.x + dx, clock.y + dy);
}

void Win32ClockApp::ShowStrip()
{
    if (!strip_) {
        ButtonStripWindow::Pictures pictures{ResourceBitmap("PNG", "STRIP-CLOSE"), ResourceBitmap("PNG", "STRIP-OPTIONS"),
                                             ResourceBitmap("PNG", "STRIP-DRAG")};
        strip_ = std::make_unique<ButtonStripWindow>(*this, screen_, pictures);
        strip_->Logic().Place();
    }
    strip_->Show();
}

void Win32ClockApp::HideStrip()
{
    if (strip_)
        strip_->Hide();
}

void Win32ClockApp::SetStripTimer(bool enabled)
{
    if (enabled)
        ::SetTimer(host_, kStripTimerId, kStripTimerMilliseconds, nullptr);
    else
        ::KillTimer(host_, kStripTimerId);
}

TwipsRect Win32ClockApp::ClockRect() { return PixelsToTwips(ClockPixels(), screen_); }

void Win32ClockApp::MoveClock(double left, double top)
{
    const PixelPoint place = TwipsToPixels(left, top, screen_);
    window_->MoveTo(place.x, place.y);
}

void Win32ClockApp::MoveStrip(double left, double top)
{
    const PixelPoint place = TwipsToPixels(left, top, screen_);
    if (strip_)
        strip_->MoveTo(place.x, place.y);
}

// Each pop-up owns itself and goes when it closes.
void Win32ClockApp::ShowAlarmPopup(const AlarmPopupRequest& request)
{
    new AlarmPopupWindow(state_, PopupLinks{sounds_, pump_, *this, this}, time_, request, popupPictures_);
}

void Win32ClockApp::ShowMissedAlarms(const std::vector<MissedAlarm>& alarms)
{
    if (!missed_)
        missed_ = std::make_unique<MissedAlarmsWindow>();
    missed_->Add(alarms);
}

// The strip's options picture and a reset: an open options window closes (saving) and a fresh one
// opens. The old one may be the one asking, so it goes once its message is done.
void Win32ClockApp::ReopenOptions()
{
    if (options_) {
        if (options_->IsOpen())
            options_->Close();
        closedOptions_ = std::move(options_);
        ::PostMessageW(host_, kDropClosedOptions, 0, 0);
    }
    options_ = std::make_unique<Form2Dialog>(state_, OptionsParts());
    calendar_.Attach(options_.get());
    options_->Show();
}

Form2Parts Win32ClockApp::OptionsParts()
{
    wchar_t program[MAX_PATH * 4] = {};
    ::GetModuleFileNameW(nullptr, program, MAX_PATH * 4);
    const std::filesystem::path programPath(program);
    return {sounds_, pump_, *this, calendar_, autostart_, shell_,
            StartCommandFor(programPath, settings_.Path(), settingsGiven_),
            AboutTargetsFor(ManualPlaces(programPath.parent_path()), settings_.Path()),
            {*this, surfaces_, time_, screen_}};
}

Form2* Win32ClockApp::OpenOptions() const { return options_ && options_->IsOpen() ? &options_->Logic() : nullptr; }

void Win32ClockApp::SetTimeLine(const std::string& text)
{
    if (Form2* options = OpenOptions())
        options->SetTimeLine(text);
}

void Win32ClockApp::SetAlarmMinText(int slot, const std::string& text)
{
    if (Form2* options = OpenOptions())
        options->SetAlarmMinText(slot, text);
}

void Win32ClockApp::ClearActivateAlarm(int slot)
{
    if (Form2* options = OpenOptions())
        options->ClearActivateAlarm(slot);
}

void Win32ClockApp::ClearAlarmRow(int slot)
{
    if (Form2* options = OpenOptions())
        options->ClearAlarmRow(slot);
}

void Win32ClockApp::SetClockEnabled(bool enabled)
{
    if (window_)
        window_->SetEnabled(enabled);
}

Status Win32ClockApp::DeleteSettingsFile() { return FileStore::Remove(settings_.Path()); }

// The options window's skin arrows: the new skin is drawn and shown at once, not at the next tick.
void Win32ClockApp::ChangeSkin()
{
    LoadSkin();
    face_.Draw(time_.Now());
    window_->Present(face_.Picture(), state_.Alpha);
}

} // namespace dorvane
