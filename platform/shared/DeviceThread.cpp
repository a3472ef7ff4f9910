#include "platform/shared/DeviceThread.h"

#include <utility>

namespace dorvane {

struct DeviceThread::Shared {
    struct Task {
        uint64_t id;
        std::function<void()> work;
    };

    Clock::duration hangAfter;
    IdleWork idle;
    mutable std::mutex mutex;
    std::condition_variable changed;
    std::deque<Task> tasks;
    uint64_t lastQueued = 0;
    uint64_t lastDone = 0;
    std::optional<Clock::time_point> runningSince;
    bool stopping = false;
    bool ended = false;

    bool Hanging() const { return runningSince && Clock::now() - *runningSince >= hangAfter; }
};

DeviceThread::DeviceThread(Clock::duration hangAfter, IdleWork idle)
    : shared_(std::make_shared<Shared>()), thread_()
{
    shared_->hangAfter = hangAfter;
    shared_->idle = std::move(idle);
    thread_ = std::thread(&DeviceThread::Serve, shared_);
}

DeviceThread::~DeviceThread()
{
    std::unique_lock lock(shared_->mutex);
    shared_->stopping = true;
    shared_->tasks.clear();
    shared_->changed.notify_all();
    // A task that runs on may still end within hangAfter; one that hangs already is not waited for.
    const auto limit = shared_->Hanging() ? Clock::duration::zero() : shared_->hangAfter;
    const bool ended = shared_->changed.wait_for(lock, limit, [this] { return shared_->ended; });
    lock.unlock();
    if (ended)
        thread_.join();
    else
        thread_.detach(); // stuck in a call that may never return; the process's end takes it
}

void DeviceThread::Serve(std::shared_ptr<Shared> shared)
{
    std::unique_lock lock(shared->mutex);
    while (!shared->stopping) {
        if (!shared->tasks.empty()) {
            Shared::Task task = std::move(shared->tasks.front());
            shared->tasks.pop_front();
            shared->runningSince = Clock::now();
            lock.unlock();
            task.work();
            lock.lock();
            shared->runningSince.reset();
            shared->lastDone = task.id;
            shared->changed.notify_all();
            continue;
        }
        lock.unlock();
        const auto wait = shared->idle();
        lock.lock();
        const auto ready = [&] { return shared->stopping || !shared->tasks.empty(); };
        if (wait)
            shared->changed.wait_for(lock, *wait, ready);
        else
            shared->changed.wait(lock, ready);
    }
    shared->ended = true;
    shared->changed.notify_all();
}

bool DeviceThread::Run(std::function<void()> task, Clock::duration limit)
{
    std::unique_lock lock(shared_->mutex);
    if (shared_->Hanging())
        return false;
    const uint64_t id = ++shared_->lastQueued;
    shared_->tasks.push_back({id, std::move(task)});
    shared_->changed.notify_all();
    if (shared_->changed.wait_for(lock, limit, [&] { return shared_->lastDone >= id; }))
        return true;
    std::erase_if(shared_->tasks, [id](const Shared::Task& queued) { return queued.id == id; });
    return false;
}

bool DeviceThread::Post(std::function<void()> task)
{
    std::lock_guard lock(shared_->mutex);
    if (shared_->Hanging())
        return false;
    shared_->tasks.push_back({++shared_->lastQueued, std::move(task)});
    shared_->changed.notify_all();
    return true;
}

bool DeviceThread::IsHanging() const
{
    std::lock_guard lock(shared_->mutex);
    return shared_->Hanging();
}

} // namespace dorvane
