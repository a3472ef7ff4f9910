#pragma once

#include "platform/WindowMessageHooks.h"
#include "winmsg/ISubclass.h"
#include "winmsg/InterceptionError.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace dorvane {

// Delivers chosen messages of a window to ISubclass clients, before, after or instead of the
// window's own handling. Per window and per message it keeps the clients in the order they
// attached; the window is hooked while at least one of its messages is intercepted. Clients are
// not owned: a client releases its messages before it is destroyed.
class MSubclass {
public:
    explicit MSubclass(WindowMessageHooks& hooks, std::string programName = "dorvane");
    ~MSubclass();
    MSubclass(const MSubclass&) = delete;
    MSubclass& operator=(const MSubclass&) = delete;

    // Registers client for message iMsg of window hWnd; the refusal when it cannot.
    [[nodiscard]] std::optional<InterceptionError> InterceptMessage(ISubclass& client, WindowHandle hWnd,
                                                                    uint32_t iMsg);
    // Unregisters it; false (and nothing changed) when client was not registered for that message.
    bool ReleaseMessage(ISubclass& client, WindowHandle hWnd, uint32_t iMsg);

    // Runs one message of an intercepted window through its clients and returns its result.
    int32_t Dispatch(const WindowMessage& message);

    bool IsIntercepted(WindowHandle hWnd) const { return windows_.contains(hWnd); }

private:
    struct InterceptedWindow {
        int interceptions = 0;
        std::map<uint32_t, std::vector<ISubclass*>> clients;
    };

    InterceptionError Refusal(InterceptionError::Code code) const;
    const std::vector<ISubclass*>* ClientsOf(WindowHandle hWnd, uint32_t iMsg) const;
    ISubclass* ClientAt(WindowHandle hWnd, uint32_t iMsg, std::size_t index) const;

    WindowMessageHooks& hooks_;
    std::string programName_;
    std::map<WindowHandle, InterceptedWindow> windows_;
};

} // namespace dorvane
