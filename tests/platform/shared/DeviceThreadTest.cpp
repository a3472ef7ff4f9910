#include "platform/shared/DeviceThread.h"

#include <gtest/gtest.h>

#include <future>
#include <vector>

namespace dorvane {
namespace {

using namespace std::chrono_literals;

void WaitUntil(const std::function<bool()>& condition)
{
    while (!condition())
        std::this_thread::yield();
}

// Calls while a task hangs: those turned away, or given up before their task began, never have it
// run, also once the thread is free again; a thread left hanging does not hold up its destruction.
TEST(DeviceThread, TurnsCallersAwayWhileATaskHangsDropsWorkGivenUpAndServesAgainAfterwards)
{
    std::promise<void> release;
    const auto hang = [open = release.get_future().share()] { open.wait(); };
    std::vector<int> ran;
    const auto note = [&ran](int row) { return [&ran, row] { ran.push_back(row); }; };
    DeviceThread thread(100ms, [] { return std::nullopt; });
    EXPECT_TRUE(thread.Run(note(0), 1s));
    EXPECT_TRUE(thread.Post(hang));
    EXPECT_FALSE(thread.Run(note(1), 20ms)) << "given up while queued behind a long task";
    WaitUntil([&] { return thread.IsHanging(); });
    EXPECT_FALSE(thread.Run(note(2), 1s)) << "turned away at once";
    EXPECT_FALSE(thread.Post(note(3)));
    release.set_value();
    WaitUntil([&] { return !thread.IsHanging(); });
    EXPECT_TRUE(thread.Run(note(4), 1s));
    EXPECT_EQ(ran, (std::vector<int>{0, 4}));

    std::promise<void> never;
    auto left = std::make_unique<DeviceThread>(10ms, [] { return std::nullopt; });
    left->Post([open = never.get_future().share()] { open.wait(); });
    WaitUntil([&] { return left->IsHanging(); });
    left.reset();
    never.set_value();
}

} // namespace
} // namespace dorvane
