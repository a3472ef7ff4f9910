#pragma once

#include "platform/WindowMessageHooks.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <map>

class QEvent;

namespace dorvane {

// Message interception for Qt windows. A window's timer events arrive as the timer message
// (wParam = the timer's id); an event filter hands them to the window's hook and keeps them from
// the widget unless the hook passes them on.
class QtWindowMessageHooks : public QObject, public WindowMessageHooks {
public:
    static WindowHandle HandleOf(const QWidget* widget) { return reinterpret_cast<WindowHandle>(widget); }

    // Makes the widget known as a window of this program.
    void Track(QWidget* widget);

    bool IsWindow(WindowHandle window) const override;
    bool BelongsToThisProcess(WindowHandle window) const override { return IsWindow(window); }
    bool InstallHook(WindowHandle window, Hook hook) override;
    void RemoveHook(WindowHandle window) override;
    int32_t CallOwnHandling(const WindowMessage& message) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Window {
        QPointer<QWidget> widget;
        Hook hook;
    };
    Window* Find(WindowHandle window);

    std::map<WindowHandle, Window> windows_;
    QEvent* current_ = nullptr; // the event being handed to a hook
    bool passing_ = false;      // the event is on its way to the widget's own handling
};

} // namespace dorvane
