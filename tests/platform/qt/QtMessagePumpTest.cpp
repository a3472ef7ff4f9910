#include "platform/qt/QtMessagePump.h"

#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

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
    {
        PumpOnAFakeClock fake;
        fake.Queue();
        fake.pump.RunPendingMessages();
        EXPECT_EQ(fake.ran, 1) << "the first call";
    }
    const struct {
        std::chrono::microseconds sinceLastRun;
        bool runs;
    } cases[] = {{0us, false}, {300us, false}, {1999us, false}, {2ms, true}, {480ms, true}, {1s, true}};
    for (const auto& c : cases) {
        PumpOnAFakeClock fake;
        fake.pump.RunPendingMessages();
        fake.Queue();
        fake.now += c.sinceLastRun;
        fake.pump.RunPendingMessages();
        EXPECT_EQ(fake.ran, c.runs ? 1 : 0) << c.sinceLastRun.count() << " us after the last run";
    }
    // A quiet period counts from the last run, not the last call.
    PumpOnAFakeClock fake;
    fake.pump.RunPendingMessages();
    fake.Queue();
    for (int call = 0; call < 3; ++call) {  // calls every millisecond: the second one after the run runs
        fake.now += 1ms;
        fake.pump.RunPendingMessages();
    }
    EXPECT_EQ(fake.ran, 1);
}

} // namespace
} // namespace dorvane
