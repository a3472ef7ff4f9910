#include "platform/qt/LogindSleepWatcher.h"
#include "tests/support/ShellCommand.h"

#include <QDBusConnection>
#include <QStringList>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

namespace dorvane {
namespace {

// A bus of the test's own, on which dbus-send plays the login manager.
TEST(LogindSleepWatcher, RunsTheClockWhenTheComputerWakesAndNotWhenItGoesToSleep)
{
    // Prints the bus's address, then the daemon's process id.
    const QStringList started = QString::fromStdString(
        testing::RunShell("dbus-daemon --session --fork --print-address=1 --print-pid=1 --nopidfile 2>/dev/null").output)
                                    .split('\n', Qt::SkipEmptyParts);
    if (started.size() < 2)
        GTEST_SKIP() << "needs dbus-daemon";
    const QString busAddress = started[0].trimmed();
    QDBusConnection bus = QDBusConnection::connectToBus(busAddress, "sleep-watcher-test");
    ASSERT_TRUE(bus.isConnected());
    const struct { const char* signal; const char* argument; int woken; } rows[] = {
        {"org.freedesktop.login1.Manager.PrepareForSleep", "boolean:true", 0},
        {"org.freedesktop.login1.Manager.PrepareForSleep", "boolean:false", 1},
        {"org.freedesktop.login1.Manager.SessionNew", "boolean:false", 0},
    };
    for (const auto& row : rows) {
        int woken = 0;
        LogindSleepWatcher watcher([&] { ++woken; }, bus, "");
        ASSERT_TRUE(watcher.IsListening());
        testing::RunShell("dbus-send --bus=" + busAddress.toStdString() + " --type=signal /org/freedesktop/login1 " +
                          row.signal + " " + row.argument);
        // A last signal that every watcher hears shows that the one before has been delivered.
        int marks = 0;
        LogindSleepWatcher mark([&] { ++marks; }, bus, "");
        testing::RunShell("dbus-send --bus=" + busAddress.toStdString() +
                          " --type=signal /org/freedesktop/login1 org.freedesktop.login1.Manager.PrepareForSleep boolean:false");
        EXPECT_TRUE(QTest::qWaitFor([&] { return marks > 0; }, 10000)) << row.signal;
        EXPECT_EQ(woken, row.woken + 1) << row.signal << " " << row.argument;
    }
    QDBusConnection::disconnectFromBus("sleep-watcher-test");
    if (const int daemon = started[1].trimmed().toInt(); daemon > 0)
        testing::RunShell("kill " + std::to_string(daemon));
}

} // namespace
} // namespace dorvane
