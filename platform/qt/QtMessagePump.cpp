#include "platform/qt/QtMessagePump.h"

#include <QCoreApplication>

namespace dorvane {

void QtMessagePump::RunPendingMessages()
{
    const Clock::time_point now = now_();
    if (lastRun_ && now - *lastRun_ < kQuietTime)
        return;
    lastRun_ = now;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

} // namespace dorvane
