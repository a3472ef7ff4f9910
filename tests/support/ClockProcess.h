#pragma once

#include "tests/support/PulseRecording.h"
#include "tests/support/ShellCommand.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace dorvane::testing {

// The real program on the X display, for the end-to-end tests.

// What a shell line prints, without its last line break.
inline std::string Output(const std::string& command)
{
    std::string output = RunShell(command).output;
    return output.ends_with('\n') ? output.substr(0, output.size() - 1) : output;
}

// The faketime library, or "" when it is not installed.
inline std::string FakeTimeLibrary() { return Output("ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -n 1"); }

inline bool HasDisplayAndXdotool() { return Output("command -v xdotool >/dev/null && xdpyinfo >/dev/null 2>&1 && echo y") == "y"; }

// Waits up to the given seconds (ten by default) for a visible window whose title matches the pattern to show, or to be
// gone; says which window it is, or "gone", or "" when the time is up.
inline std::string AwaitWindow(const std::string& titlePattern, bool gone, int seconds = 10)
{
    return Output("for i in $(seq " + std::to_string(seconds * 10) + "); do w=$(xdotool search --onlyvisible --name '" + titlePattern + "' 2>/dev/null | head -n 1); " +
                  std::string(gone ? "[ -z \"$w\" ] && echo gone" : "[ -n \"$w\" ] && echo $w") + " && break; sleep 0.1; done");
}

// The clock with its settings file, its time of day given as FAKETIME takes it, such as
// "@2026-12-07 07:04:57" (with " x5" it runs five times as fast). The library is preloaded directly
// so that the clock keeps its own process id (for the signal that ends it).
inline pid_t StartClock(const std::string& library, const std::string& settings, const std::string& fakeTime)
{
    const pid_t child = fork();
    if (child == 0) {
        setenv("LD_PRELOAD", library.c_str(), 1);
        setenv("FAKETIME", fakeTime.c_str(), 1);
        setenv("FAKETIME_DONT_FAKE_MONOTONIC", "1", 1);
        execl(DORVANE_EXECUTABLE, DORVANE_EXECUTABLE, "--settings", settings.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return child;
}

// The clock as StartClock starts it, but with its time of day read from timeFile at every look, so
// that writing a new time into the file makes the clock jump there, as after a sleep. The monotonic
// clocks stay real.
inline pid_t StartSteppableClock(const std::string& library, const std::string& settings, const std::string& fakeTime,
                                 const std::string& timeFile)
{
    TempFolder::Write(timeFile, fakeTime + "\n");
    const pid_t child = fork();
    if (child == 0) {
        setenv("LD_PRELOAD", library.c_str(), 1);
        setenv("FAKETIME_TIMESTAMP_FILE", timeFile.c_str(), 1);
        setenv("FAKETIME_NO_CACHE", "1", 1);
        setenv("FAKETIME_DONT_FAKE_MONOTONIC", "1", 1);
        execl(DORVANE_EXECUTABLE, DORVANE_EXECUTABLE, "--settings", settings.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return child;
}

// Ends the clock as the session does and returns whether it exited cleanly.
inline bool StopClock(pid_t clock)
{
    kill(clock, SIGTERM);
    int status = 0;
    waitpid(clock, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Kills the clock when a test ends early, so that it does not outlive the test.
struct ClockGuard {
    pid_t clock;
    ~ClockGuard()
    {
        if (kill(clock, 0) == 0) {
            kill(clock, SIGKILL);
            waitpid(clock, nullptr, 0);
        }
    }
};

// An end-to-end test of the real program: it has the faketime library and a recording of the sound
// server, or it is skipped with the reason.
class ClockProcessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        library = FakeTimeLibrary();
        if (library.empty() || !HasDisplayAndXdotool())
            GTEST_SKIP() << "needs an X display, xdotool and faketime (scripts/test-services, scripts/install-deps --test)";
        auto started = PulseRecording::Start();
        if (!started)
            GTEST_SKIP() << started.error();
        recording = std::move(started.value());
    }

    std::string library;
    std::unique_ptr<PulseRecording> recording;
};

} // namespace dorvane::testing
