#include "clock/app/RunClock.h"

#include "clock/app/SharedToneGenerator.h"
#include "clock/app/win32/Win32ClockApp.h"
#include "image/cGDIPlus.h"
#include "options/ProgramTargets.h"
#include "platform/win32/DialogMessages.h"
#include "platform/win32/SystemTimeSource.h"
#include "platform/win32/Win32MessagePump.h"
#include "tones/ToneSounds.h"

#include <windows.h>

#include <cwctype>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

namespace dorvane {
namespace {

// The running clock's request window, for the console's Ctrl+C and closing.
HWND consoleTarget = nullptr;
// Set once the clock has closed, so that a closing console waits for the save.
HANDLE closedEvent = nullptr;
// How long a closing console, a logoff or a shutdown waits for the settings to be saved.
constexpr DWORD kSaveWaitMilliseconds = 5000;

// The clock on one settings file has one name, the same whatever the case or form of the path,
// for the mutex that keeps it single and for the window that a later start finds it by.
std::wstring InstanceName(const std::filesystem::path& settingsPath)
{
    std::error_code ec;
    std::wstring path = std::filesystem::weakly_canonical(std::filesystem::absolute(settingsPath), ec).wstring();
    if (ec)
        path = std::filesystem::absolute(settingsPath).wstring();
    uint64_t hash = 1469598103934665603ull; // FNV-1a over the lower-cased path
    for (wchar_t c : path) {
        hash ^= static_cast<uint64_t>(std::towlower(c));
        hash *= 1099511628211ull;
    }
    wchar_t name[40];
    std::swprintf(name, 40, L"Dorvane-%016llx", static_cast<unsigned long long>(hash));
    return name;
}

// Asks the clock that holds the name to come forward; it may still be starting, so it is given a
// few seconds to make its window.
bool AskRunningClockForward(const std::wstring& name)
{
    constexpr int kTries = 30;
    for (int i = 0; i < kTries; ++i) {
        if (HWND running = ::FindWindowExW(HWND_MESSAGE, nullptr, Win32ClockApp::kHostClassName, name.c_str())) {
            DWORD process = 0;
            ::GetWindowThreadProcessId(running, &process);
            ::AllowSetForegroundWindow(process);
            return ::PostMessageW(running, Win32ClockApp::kComeForward, 0, 0) != FALSE;
        }
        ::Sleep(100);
    }
    return false;
}

BOOL WINAPI CloseOnConsoleEvent(DWORD event)
{
    ::PostMessageW(consoleTarget, Win32ClockApp::kCloseRequest, 0, 0);
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT)
        ::WaitForSingleObject(closedEvent, kSaveWaitMilliseconds);
    return TRUE;
}

// Every message goes to the modeless dialogs first, so that Tab and Enter work in them.
int RunMessageLoop()
{
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (DialogMessages::Route(message))
            continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

} // namespace

int RunClock(int, char**, const ClockRunOptions& options)
{
    const std::wstring name = InstanceName(options.settingsPath);
    HANDLE single = ::CreateMutexW(nullptr, FALSE, (L"Local\\" + name).c_str());
    if (single && ::GetLastError() == ERROR_ALREADY_EXISTS && AskRunningClockForward(name)) {
        std::cout << "dorvane: a clock is already running on " << PathText(options.settingsPath)
                  << "; it was brought to the front\n";
        ::CloseHandle(single);
        return 0;
    }
    if (!single)
        std::cerr << "dorvane: cannot make sure that no other clock runs on " << PathText(options.settingsPath) << "\n";
    const uint32_t token = cGDIPlus::Startup();
    if (token == 0) {
        std::cerr << "dorvane: Error loading GDI+!\n";
        ::MessageBoxW(nullptr, L"Error loading GDI+!", L"Dorvane", MB_OK | MB_ICONERROR);
        return 1;
    }
    Win32MessagePump pump;
    ToneGenerator& generator = SharedToneGenerator();
    generator.SetMessagePump(pump);
    ToneSounds sounds(SharedClockState(), generator);
    SystemTimeSource time;
    std::ofstream tickLog;
    if (options.tickLog)
        tickLog.open(*options.tickLog, std::ios::app);
    Win32ClockApp clock(SharedClockState(), Win32ClockAppParts{{time, sounds, options.settingsPath, options.settingsGiven,
                                                                token, options.tickLog ? &tickLog : nullptr}, name});
    consoleTarget = clock.HostHandle();
    closedEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ::SetConsoleCtrlHandler(&CloseOnConsoleEvent, TRUE);
    clock.Start();
    const int status = RunMessageLoop();
    clock.Close();
    ::SetEvent(closedEvent);
    if (single)
        ::CloseHandle(single);
    return status != 0 || clock.LastSaveFailed() ? 1 : 0;
}

} // namespace dorvane
