#pragma once

#include "platform/MessagePump.h"

namespace dorvane {

// The message pump of a process without windows: there is never anything waiting to run.
class NullMessagePump : public MessagePump {
public:
    void RunPendingMessages() override {}
};

} // namespace dorvane
