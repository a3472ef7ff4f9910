// Drives the window-message interception layer with a random sequence of intercepts, releases
// and messages, and checks after every step that a window is hooked exactly while
// one of its messages is intercepted and that every message reaches the clients registered for it.
#include "winmsg/MSubclass.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <set>
#include <vector>

using namespace dorvane;

namespace {

constexpr std::array<uint32_t, 3> kMessages = {15, 275, 512};

class Windows : public WindowMessageHooks {
public:
    bool IsWindow(WindowHandle w) const override { return w < 4 && alive[w]; }
    bool BelongsToThisProcess(WindowHandle w) const override { return w != 3; }
    bool InstallHook(WindowHandle w, Hook hook) override
    {
        if (hooks.contains(w))
            std::abort(); // hooked twice
        hooks[w] = std::move(hook);
        return true;
    }
    void RemoveHook(WindowHandle w) override { hooks.erase(w); }
    int32_t CallOwnHandling(const WindowMessage&) override { return ++ownCalls, -1; }

    int32_t Send(WindowHandle w, uint32_t message)
    {
        const WindowMessage m{w, message, 0, 0};
        return hooks.contains(w) ? hooks[w](m) : CallOwnHandling(m);
    }

    std::array<bool, 4> alive = {true, true, true, true};
    std::map<WindowHandle, Hook> hooks;
    int ownCalls = 0;
};

class Client : public ISubclass {
public:
    int32_t MsgResponse() const override { return response; }
    void SetMsgResponse(int32_t r) override { response = r; }
    int32_t WindowProc(WindowHandle, uint32_t, uintptr_t, intptr_t) override { return ++calls, 1; }
    int32_t response = 0;
    int calls = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    Windows windows;
    std::array<Client, 4> clients;
    std::set<std::tuple<int, WindowHandle, uint32_t>> registered;
    {
        MSubclass subclass(windows);
        for (std::size_t i = 0; i + 1 < size; i += 2) {
            const int client = data[i] & 3;
            const WindowHandle window = (data[i] >> 2) & 3;
            const uint32_t message = kMessages[((data[i] >> 4) & 3) % kMessages.size()];
            const auto key = std::make_tuple(client, window, message);
            switch (data[i + 1] & 3) {
            case 0:
                if (!subclass.InterceptMessage(clients[client], window, message))
                    registered.insert(key);
                break;
            case 1:
                if (subclass.ReleaseMessage(clients[client], window, message) != (registered.erase(key) == 1))
                    std::abort();
                break;
            case 2: {
                if (!windows.alive[window])
                    break;
                int expected = 0;
                for (int c = 0; c < 4; ++c)
                    expected += registered.contains(std::make_tuple(c, window, message));
                int before = 0, after = 0;
                for (auto& c : clients)
                    before += c.calls;
                windows.Send(window, message);
                for (auto& c : clients)
                    after += c.calls;
                if (after - before != expected)
                    std::abort();
                break;
            }
            case 3: clients[client].SetMsgResponse(data[i + 1] >> 2); break;
            }
            for (WindowHandle w = 0; w < 4; ++w) {
                bool any = false;
                for (const auto& [c, rw, m] : registered)
                    any |= rw == w;
                if (any != windows.hooks.contains(w) || any != subclass.IsIntercepted(w))
                    std::abort();
            }
        }
    }
    if (!windows.hooks.empty())
        std::abort(); // the layer gave every window back when it ended
    return 0;
}
