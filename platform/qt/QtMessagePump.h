#pragma once

#include "platform/MessagePump.h"

#include <chrono>
#include <functional>
#include <optional>

namespace dorvane {

// Runs the events already waiting in the Qt event loop.
//
// Callers pump between short steps (after each of the seven alarm slots, before and after building
// a tone), so most calls come microseconds after the last one, when nothing can be waiting yet, and
// each would still cost a full turn of the event loop with a system call. A call within kQuietTime
// of the last real run therefore returns at once: pumping keeps the windows responsive across the
// steps that take time (tones last tens of milliseconds or more), and what arrives in between runs
// at the next pump or when the caller returns to the event loop.
class QtMessagePump : public MessagePump {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kQuietTime{2};

    explicit QtMessagePump(std::function<Clock::time_point()> now = Clock::now) : now_(std::move(now)) {}

    void RunPendingMessages() override;

private:
    std::function<Clock::time_point()> now_;
    std::optional<Clock::time_point> lastRun_;
};

} // namespace dorvane
