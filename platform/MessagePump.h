#pragma once

namespace dorvane {

// Lets the window messages that are already waiting run, then returns; handlers of other windows
// may run inside the caller.
class MessagePump {
public:
    virtual ~MessagePump() = default;
    virtual void RunPendingMessages() = 0;
};

} // namespace dorvane
