#include "clock/app/RunClock.h"

#include "clock/app/ClockApp.h"
#include "clock/app/SharedToneGenerator.h"
#include "image/cGDIPlus.h"
#include "platform/linux/SdlSoundOutput.h"
#include "platform/linux/SingleClockSocket.h"
#include "platform/linux/SystemTimeSource.h"
#include "platform/linux/X11Desktop.h"
#include "tones/ToneSounds.h"

#include <QApplication>
#include <QMessageBox>
#include <QSocketNotifier>

#include <csignal>
#include <functional>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sys/socket.h>
#include <unistd.h>

namespace dorvane {
namespace {

int signalPipe[2] = {-1, -1};

// The clock whose settings are saved should the process end without closing it.
ClockApp* clockToSaveAtExit = nullptr;

// When the X connection breaks, the window system ends the process with exit(); the handlers that
// exit() runs still save the session.
void SaveAtExit()
{
    if (clockToSaveAtExit)
        clockToSaveAtExit->SaveBeforeExit();
}

void ForwardSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] ssize_t written = ::write(signalPipe[1], &byte, 1);
}

// SIGTERM, SIGINT and SIGHUP (the terminal or session went away) end the clock the way its close
// picture does; the handler only wakes the event loop, which does the closing.
void CloseOnSignals(QObject* owner, const std::function<void()>& close)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, owner);
    QObject::connect(notifier, &QSocketNotifier::activated, owner, [close] {
        char byte;
        [[maybe_unused]] ssize_t read = ::read(signalPipe[0], &byte, 1);
        close();
    });
    struct sigaction action {};
    action.sa_handler = ForwardSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

// A later start on the same settings file connects to the socket; the clock comes to the front.
void ComeForwardOnRequest(const SingleClockSocket& single, ClockApp& clock)
{
    auto* notifier = new QSocketNotifier(single.RequestSocket(), QSocketNotifier::Read, &clock);
    QObject::connect(notifier, &QSocketNotifier::activated, &clock, [&single, &clock] {
        while (single.TakeRequest())
            clock.BringToFront();
    });
}

} // namespace

int RunClock(int argc, char** argv, const ClockRunOptions& options)
{
    if (!X11Desktop().HasDisplay()) {
        std::cerr << "dorvane: there is no X display to show the clock on (DISPLAY is unset or cannot be opened)\n";
        return 1;
    }
    const SingleClockSocket single(options.settingsPath);
    if (!single.Held() && single.AskRunningClockForward()) {
        std::cout << "dorvane: a clock is already running on " << options.settingsPath.string()
                  << "; it was brought to the front\n";
        return 0;
    }
    if (!single.Held())
        std::cerr << "dorvane: cannot make sure that no other clock runs on " << options.settingsPath.string() << "\n";
    // The sound server is asked for a device while the toolkit starts, so that the start signal
    // finds one; neither waits for the other.
    SystemSoundOutput().OpenAhead();
    ::setenv("QT_QPA_PLATFORM", "xcb", 0);
    // The clock's picture is small enough to travel through the X connection itself; shared memory
    // would add a round trip to the X server before each reuse, a second wake-up every second.
    ::setenv("QT_XCB_NO_MITSHM", "1", 0);
    QApplication application(argc, argv);
    QApplication::setApplicationName("Dorvane");
    QGuiApplication::setDesktopFileName("dorvane"); // its menu entry, dorvane.desktop
    QApplication::setQuitOnLastWindowClosed(false); // a hidden clock runs on when a pop-up closes

    const uint32_t token = cGDIPlus::Startup();
    if (token == 0) {
        std::cerr << "dorvane: Error loading GDI+!\n";
        QMessageBox::critical(nullptr, "Dorvane", "Error loading GDI+!");
        return 1;
    }

    QtMessagePump pump;
    ToneGenerator& generator = SharedToneGenerator();
    generator.SetMessagePump(pump);
    ToneSounds sounds(SharedClockState(), generator);
    SystemTimeSource time;
    std::ofstream tickLog;
    if (options.tickLog)
        tickLog.open(*options.tickLog, std::ios::app);
    ClockApp clock(SharedClockState(), ClockAppParts{time, sounds, options.settingsPath, options.settingsGiven, token,
                                                     options.tickLog ? &tickLog : nullptr});
    const auto closeAndQuit = [&clock] { clock.CloseAndQuit(); };
    CloseOnSignals(&clock, closeAndQuit);
    if (single.Held())
        ComeForwardOnRequest(single, clock);
    clockToSaveAtExit = &clock;
    std::atexit(SaveAtExit);
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &clock, [&clock] { clock.Close(); });
    QObject::connect(&application, &QCoreApplication::aboutToQuit, &clock, [&clock] { clock.Close(); });
    clock.Start();
    const int status = application.exec();
    clockToSaveAtExit = nullptr;
    return status != 0 || clock.LastSaveFailed() ? 1 : 0;
}

} // namespace dorvane
