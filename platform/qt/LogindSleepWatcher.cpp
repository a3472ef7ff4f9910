#include "platform/qt/LogindSleepWatcher.h"

#include <utility>

namespace dorvane {

LogindSleepWatcher::LogindSleepWatcher(std::function<void()> woke, QDBusConnection bus, const QString& sender)
    : woke_(std::move(woke))
{
    listening_ = bus.isConnected() &&
                 bus.connect(sender, "/org/freedesktop/login1", "org.freedesktop.login1.Manager", "PrepareForSleep", this,
                             SLOT(PrepareForSleep(bool)));
}

void LogindSleepWatcher::PrepareForSleep(bool goingToSleep)
{
    if (!goingToSleep && woke_)
        woke_();
}

} // namespace dorvane
