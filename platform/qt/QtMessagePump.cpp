#include "platform/qt/QtMessagePump.h"

#include <QCoreApplication>

namespace dorvane {

void QtMessagePump::RunPendingMessages() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

} // namespace dorvane
