#pragma once

#include "platform/WindowMessage.h"

#include <cstdint>
#include <functional>

namespace dorvane {

// The windowing system's side of message interception: a hook per window that sees each of the
// window's messages before the window's own handling. A Qt window plugs in with an event filter
// that hands each event to the hook and suppresses it; CallOwnHandling then delivers it to the
// widget's own event handling when the hook asks for that.
class WindowMessageHooks {
public:
    using Hook = std::function<int32_t(const WindowMessage&)>;

    virtual ~WindowMessageHooks() = default;

    virtual bool IsWindow(WindowHandle window) const = 0;
    virtual bool BelongsToThisProcess(WindowHandle window) const = 0;
    // From now on every message of the window goes to hook instead of the window's own handling;
    // false when the window cannot be hooked.
    virtual bool InstallHook(WindowHandle window, Hook hook) = 0;
    // Gives the window its messages back.
    virtual void RemoveHook(WindowHandle window) = 0;
    // Lets the window's own handling process the message and returns its result.
    virtual int32_t CallOwnHandling(const WindowMessage& message) = 0;
};

} // namespace dorvane
