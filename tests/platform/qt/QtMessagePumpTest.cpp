#include "platform/qt/QtMessagePump.h"

#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <vector>

namespace dorvane {
namespace {

using namespace std::chrono_literals;

// A pump on a clock the test moves by hand, and a count of the queued calls it has run.
struct PumpOnAFakeClock {
    QtMessagePump::Clock::time_point now{};
    QtMessagePump pump{[this] { return now; }};
    int ran = 0;

    void Queue() { QTimer::singleShot(0, qApp, [this] { ++ran; }); }
    // Runs what is still queued so that one case leaves nothing behind for the next.
    ~PumpOnAFakeClock() { QCoreApplication::processEvents(); }
};

TEST(QtMessagePump, RunsWhatIsWaitingAtTheFirstCallThenLeavesItWaitingForTwoMillisecondsAfterTheLastRun)
{
    // Whether a call ran the queue before the call is queued, then calls after these steps of the clock.
    const struct { const char* what; bool ranBefore; std::vector<std::chrono::microseconds> calls; int ran; } cases[] = {
        {"the first call", false, {0us}, 1},
        {"at once", true, {0us}, 0}, {"300 us after", true, {300us}, 0}, {"1999 us after", true, {1999us}, 0},
        {"2 ms after", true, {2ms}, 1}, {"480 ms after", true, {480ms}, 1}, {"1 s after", true, {1s}, 1},
        {"calls every millisecond: quiet counts from the last run, not the last call", true, {1ms, 1ms, 1ms}, 1},
    };
    for (const auto& c : cases) {
        PumpOnAFakeClock fake;
        if (c.ranBefore)
            fake.pump.RunPendingMessages();
        fake.Queue();
        for (const auto step : c.calls) {
            fake.now += step;
            fake.pump.RunPendingMessages();
        }
        EXPECT_EQ(fake.ran, c.ran) << c.what;
    }
}

} // namespace
} // namespace dorvane
