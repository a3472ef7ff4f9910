#pragma once

#include "platform/WindowMessageHooks.h"

#include <cstdlib>
#include <functional>
#include <map>

namespace dorvane::testing {

// Windows whose own message handling is a function of the test. Send delivers a message as the
// windowing system would: to the window's hook when it has one, else to its own handling.
class FakeWindowSystem : public WindowMessageHooks {
public:
    using OwnHandling = std::function<int32_t(const WindowMessage&)>;

    WindowHandle AddWindow(OwnHandling own, bool external = false)
    {
        windows_[nextHandle_] = {std::move(own), external, nullptr};
        return nextHandle_++;
    }
    void DestroyWindow(WindowHandle window) { windows_.erase(window); }
    int32_t Send(WindowHandle window, uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0)
    {
        const WindowMessage m{window, message, wParam, lParam};
        auto& entry = windows_.at(window);
        return entry.hook ? entry.hook(m) : entry.own(m);
    }
    bool IsHooked(WindowHandle window) const { return windows_.contains(window) && windows_.at(window).hook; }

    bool IsWindow(WindowHandle window) const override { return windows_.contains(window); }
    bool BelongsToThisProcess(WindowHandle window) const override { return !windows_.at(window).external; }
    bool InstallHook(WindowHandle window, Hook hook) override
    {
        if (refuseHooks)
            return false;
        if (windows_.at(window).hook)
            std::abort(); // hooked twice: the first hook would be lost
        return ++installs, windows_.at(window).hook = std::move(hook), true;
    }
    void RemoveHook(WindowHandle window) override
    {
        if (auto found = windows_.find(window); found != windows_.end())
            found->second.hook = nullptr;
    }
    int32_t CallOwnHandling(const WindowMessage& message) override { return windows_.at(message.window).own(message); }

    bool refuseHooks = false;
    int installs = 0;

private:
    struct Window { OwnHandling own; bool external = false; Hook hook; };
    std::map<WindowHandle, Window> windows_;
    WindowHandle nextHandle_ = 0x10010;
};

} // namespace dorvane::testing
