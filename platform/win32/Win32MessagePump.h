#pragma once

#include "platform/MessagePump.h"

namespace dorvane {

// Runs the window messages already waiting for this thread: each is offered to the modeless
// dialogs first (DialogMessages), then translated and dispatched. A WM_QUIT met on the way is
// posted again, so that the program's own message loop still sees it and ends.
class Win32MessagePump : public MessagePump {
public:
    void RunPendingMessages() override;
};

} // namespace dorvane
