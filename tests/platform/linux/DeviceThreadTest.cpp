#include "platform/linux/DeviceThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <vector>

namespace dorvane {
namespace {

using namespace std::chrono_literals;

// A task that does not end until the test lets it; shared, as a hanging task outlives its thread.
struct Gate {
    std::promise<void> opened;
    std::shared_future<void> open = opened.get_future().share();
    std::atomic<bool> entered = false;
    std::function<void()> Task()
    {
        return [this, open = open] {
            entered = true;
            open.wait();
        };
    }
};

// Calls while one task hangs: each row is a call and what it gives; the work of a call turned
// away or given up before it began never runs, also once the thread is free again.
TEST(DeviceThread, TurnsCallersAwayWhileATaskHangsDropsWorkGivenUpAndServesAgainAfterwards)
{
    Gate gate;
    std::vector<int> ran;
    std::mutex ranMutex;
    const auto note = [&](int row) { return [&, row] { std::lock_guard lock(ranMutex); ran.push_back(row); }; };
    {
        DeviceThread thread(100ms, [] { return std::nullopt; });
        EXPECT_TRUE(thread.Run(note(0), 1s)) << "a free thread runs the task";
        EXPECT_TRUE(thread.Post(gate.Task()));
        EXPECT_FALSE(thread.Run(note(1), 20ms)) << "queued behind a long task, given up in time";
        while (!thread.IsHanging())
            std::this_thread::yield();
        EXPECT_TRUE(gate.entered);
        EXPECT_FALSE(thread.Run(note(2), 1s)) << "turned away at once while a task hangs";
        EXPECT_FALSE(thread.Post(note(3)));
        gate.opened.set_value();
        while (thread.IsHanging())
            std::this_thread::yield();
        EXPECT_TRUE(thread.Run(note(4), 1s)) << "served again once the task has ended";
    }
    EXPECT_EQ(ran, (std::vector<int>{0, 4}));

    Gate stuck;
    {
        DeviceThread thread(50ms, [] { return std::nullopt; });
        thread.Post(stuck.Task());
        while (!thread.IsHanging())
            std::this_thread::yield();
    } // ends, leaving the hanging task behind
    stuck.opened.set_value();
}

// The idle work runs whenever the thread has nothing to do, again after the wait it asks for.
TEST(DeviceThread, RunsTheIdleWorkWhenThereIsNothingElseToDo)
{
    std::atomic<int> idleRuns = 0;
    DeviceThread thread(1s, [&]() -> std::optional<DeviceThread::Clock::duration> {
        return ++idleRuns < 3 ? std::optional(DeviceThread::Clock::duration(1ms)) : std::nullopt;
    });
    while (idleRuns < 3)
        std::this_thread::yield();
    ASSERT_TRUE(thread.Run([] {}, 1s));
    while (idleRuns < 4)
        std::this_thread::yield();
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(idleRuns, 4) << "no wait asked for: not run again until a task came";
}

} // namespace
} // namespace dorvane
