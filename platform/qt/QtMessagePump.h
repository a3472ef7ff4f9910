#pragma once

#include "platform/MessagePump.h"

namespace dorvane {

// Runs the events already waiting in the Qt event loop.
class QtMessagePump : public MessagePump {
public:
    void RunPendingMessages() override;
};

} // namespace dorvane
