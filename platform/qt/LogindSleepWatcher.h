#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <functional>

namespace dorvane {

// Tells when the computer wakes from a suspend, from the login manager's PrepareForSleep signal
// (false: waking) on the D-Bus system bus, so that the clock can run at once instead of at its next
// timer. Where there is no bus or no login manager it never tells, which does no harm: the tick
// notices a sleep by itself, from the time that passed between two runs.
class LogindSleepWatcher : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kLogindService = "org.freedesktop.login1";

    // sender "" takes the signal from any sender on bus.
    explicit LogindSleepWatcher(std::function<void()> woke, QDBusConnection bus = QDBusConnection::systemBus(),
                                const QString& sender = kLogindService);

    // Whether the signal is being listened for.
    bool IsListening() const { return listening_; }

private slots:
    void PrepareForSleep(bool goingToSleep);

private:
    std::function<void()> woke_;
    bool listening_ = false;
};

} // namespace dorvane
