#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace dorvane {

// A thread of its own for calls into a library that may wait on another process without end (a
// sound server that accepts the connection and never answers). Callers hand it tasks and wait for
// them with a time limit; while one task hangs, later callers are turned away at once rather than
// queued behind it. A hanging thread is left behind at destruction; what it uses stays alive with it.
class DeviceThread {
public:
    using Clock = std::chrono::steady_clock;
    // Runs on the thread whenever it has no task; returns how long to wait for one before calling
    // again (none: until a task comes).
    using IdleWork = std::function<std::optional<Clock::duration>()>;

    // A task that has run for hangAfter counts as hanging.
    DeviceThread(Clock::duration hangAfter, IdleWork idle);
    ~DeviceThread();
    DeviceThread(const DeviceThread&) = delete;
    DeviceThread& operator=(const DeviceThread&) = delete;

    // Runs task on the thread and waits for its end, at most limit. False when it did not end in
    // time (it is then dropped if it had not begun) or when the thread was hanging.
    bool Run(std::function<void()> task, Clock::duration limit);
    // Queues task and returns at once; false, with the task dropped, when the thread is hanging.
    bool Post(std::function<void()> task);
    // Whether the task now running began hangAfter or longer ago.
    bool IsHanging() const;

private:
    struct Shared;
    static void Serve(std::shared_ptr<Shared> shared);

    std::shared_ptr<Shared> shared_;
    std::thread thread_;
};

} // namespace dorvane
