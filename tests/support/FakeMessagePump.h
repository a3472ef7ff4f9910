#pragma once

#include "platform/MessagePump.h"

#include <functional>
#include <utility>

namespace dorvane::testing {

// Counts the times pending messages were let run, and runs what the test queued as "pending".
class FakeMessagePump : public MessagePump {
public:
    void RunPendingMessages() override
    {
        ++runs;
        if (auto work = std::exchange(pending, nullptr))
            work();
    }
    int runs = 0;
    std::function<void()> pending;
};

} // namespace dorvane::testing
