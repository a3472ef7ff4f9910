#pragma once

#include "platform/WindowMessage.h"

#include <cstdint>

namespace dorvane {

// How the window's own handling runs for the messages a client intercepts.
enum MsgResponseValue : int32_t {
    PassNone = 0,   // not at all: the clients' result is the message's result
    PassAfter = 1,  // once after the last client; its result is the message's result
    PassBefore = 2, // once before the first client; the clients' result is the message's result
};

// An object that receives intercepted window messages (see MSubclass).
class ISubclass {
public:
    virtual ~ISubclass() = default;

    virtual int32_t MsgResponse() const = 0;
    virtual void SetMsgResponse(int32_t response) = 0;
    virtual int32_t WindowProc(WindowHandle hWnd, uint32_t iMsg, uintptr_t wParam, intptr_t lParam)
    {
        (void)hWnd, (void)iMsg, (void)wParam, (void)lParam;
        return 0;
    }
};

} // namespace dorvane
