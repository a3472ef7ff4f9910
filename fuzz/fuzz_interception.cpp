// Drives the window-message interception layer with a random sequence of intercepts, releases and messages, and
// checks after every step that a window is hooked exactly while one of its messages is intercepted and that every
// message reaches the clients registered for it.
#include "fuzz/FuzzInput.h"
#include "tests/support/FakeWindowSystem.h"
#include "winmsg/MSubclass.h"

#include <array>
#include <set>

using namespace dorvane;

namespace {

struct Client : ISubclass {
    int32_t MsgResponse() const override { return response; }
    void SetMsgResponse(int32_t r) override { response = r; }
    int32_t WindowProc(WindowHandle, uint32_t, uintptr_t, intptr_t) override { return ++calls, 1; }
    int32_t response = 0;
    int calls = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    testing::FakeWindowSystem windows; // it fails the run when a window is hooked twice
    std::array<WindowHandle, 4> window{};
    for (int w = 0; w < 4; ++w)
        window[w] = windows.AddWindow([](const WindowMessage&) { return -1; }, w == 3); // the last is another process's
    std::array<Client, 4> clients;
    std::set<std::tuple<int, int, uint32_t>> registered; // client, window, message
    {
        MSubclass subclass(windows);
        for (std::size_t i = 0; i + 1 < size; i += 2) {
            const int client = data[i] & 3, w = (data[i] >> 2) & 3;
            const uint32_t message = std::array<uint32_t, 3>{15, 275, 512}[((data[i] >> 4) & 3) % 3];
            const auto key = std::make_tuple(client, w, message);
            if ((data[i + 1] & 3) == 0 && !subclass.InterceptMessage(clients[client], window[w], message))
                registered.insert(key);
            else if ((data[i + 1] & 3) == 1)
                Require(subclass.ReleaseMessage(clients[client], window[w], message) == (registered.erase(key) == 1));
            else if ((data[i + 1] & 3) == 3)
                clients[client].SetMsgResponse(data[i + 1] >> 2);
            else if ((data[i + 1] & 3) == 2) {
                int expected = 0, called = 0;
                for (int c = 0; c < 4; ++c)
                    expected += registered.contains(std::make_tuple(c, w, message)), clients[c].calls = 0;
                windows.Send(window[w], message);
                for (auto& c : clients)
                    called += c.calls;
                Require(called == expected);
            }
            for (int v = 0; v < 4; ++v) {
                const bool any = std::ranges::any_of(registered, [v](const auto& k) { return std::get<1>(k) == v; });
                Require(any == windows.IsHooked(window[v]) && any == subclass.IsIntercepted(window[v]));
            }
        }
    }
    for (WindowHandle w : window)
        Require(!windows.IsHooked(w)); // the layer gave every window back when it ended
    return 0;
}
