#include "platform/qt/QtWindowMessageHooks.h"

#include <QCoreApplication>
#include <QTimerEvent>

namespace dorvane {

void QtWindowMessageHooks::Track(QWidget* widget)
{
    windows_[HandleOf(widget)].widget = widget;
}

QtWindowMessageHooks::Window* QtWindowMessageHooks::Find(WindowHandle window)
{
    auto found = windows_.find(window);
    if (found == windows_.end() || found->second.widget.isNull())
        return nullptr;
    return &found->second;
}

bool QtWindowMessageHooks::IsWindow(WindowHandle window) const
{
    auto found = windows_.find(window);
    return found != windows_.end() && !found->second.widget.isNull();
}

bool QtWindowMessageHooks::InstallHook(WindowHandle window, Hook hook)
{
    Window* target = Find(window);
    if (!target)
        return false;
    if (!target->hook)
        target->widget->installEventFilter(this);
    target->hook = std::move(hook);
    return true;
}

void QtWindowMessageHooks::RemoveHook(WindowHandle window)
{
    if (Window* target = Find(window)) {
        target->widget->removeEventFilter(this);
        target->hook = nullptr;
    }
}

int32_t QtWindowMessageHooks::CallOwnHandling(const WindowMessage& message)
{
    Window* target = Find(message.window);
    if (!target || !current_)
        return 0;
    passing_ = true;
    const bool handled = QCoreApplication::sendEvent(target->widget, current_);
    passing_ = false;
    return handled ? 1 : 0;
}

bool QtWindowMessageHooks::eventFilter(QObject* watched, QEvent* event)
{
    if (passing_ || event->type() != QEvent::Timer)
        return false;
    Window* target = Find(HandleOf(static_cast<QWidget*>(watched)));
    if (!target || !target->hook)
        return false;
    const WindowMessage message{HandleOf(target->widget), kWmTimer,
                                static_cast<uintptr_t>(static_cast<QTimerEvent*>(event)->timerId()), 0};
    QEvent* outer = current_;
    current_ = event;
    target->hook(message);
    current_ = outer;
    return true;
}

} // namespace dorvane
