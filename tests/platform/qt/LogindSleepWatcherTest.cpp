#include "platform/qt/LogindSleepWatcher.h"
#include "tests/support/ShellCommand.h"

#include <QDBusConnection>
#include <QStringList>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

namespace dorvane {
namespace {

// On a bus of the test's own, dbus-send plays the login manager: going to sleep, another signal of
// its, then waking, which alone runs the clock.
TEST(LogindSleepWatcher, RunsTheClockWhenTheComputerWakesAndNotWhenItGoesToSleep)
{
    const QStringList started = QString::fromStdString( // the bus's address, then the daemon's id
        testing::RunShell("dbus-daemon --session --fork --print-address=1 --print-pid=1 --nopidfile 2>/dev/null").output)
                                    .split('\n', Qt::SkipEmptyParts);
    if (started.size() < 2)
        GTEST_SKIP() << "needs dbus-daemon";
    const std::string address = started[0].trimmed().toStdString();
    QDBusConnection bus = QDBusConnection::connectToBus(QString::fromStdString(address), "sleep-watcher-test");
    int woken = 0;
    LogindSleepWatcher watcher([&] { ++woken; }, bus, "");
    EXPECT_TRUE(watcher.IsListening());
    for (const char* signal : {"PrepareForSleep boolean:true", "SessionNew boolean:false", "PrepareForSleep boolean:false"})
        testing::RunShell("dbus-send --bus=" + address + " --type=signal /org/freedesktop/login1 org.freedesktop.login1.Manager." + signal);
    EXPECT_TRUE(QTest::qWaitFor([&] { return woken > 0; }, 10000));
    QTest::qWait(100); // anything else delivered would come with the last signal
    EXPECT_EQ(woken, 1);
    QDBusConnection::disconnectFromBus("sleep-watcher-test");
    if (const int daemon = started[1].trimmed().toInt(); daemon > 0)
        testing::RunShell("kill " + std::to_string(daemon));
}

} // namespace
} // namespace dorvane
