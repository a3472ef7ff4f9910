#pragma once

#include "clock/tick/ClockTick.h"
#include "winmsg/ISubclass.h"

namespace dorvane {

// The clock window's receiver of intercepted messages: its one-second timer message runs the
// tick. The window's own handling never sees the messages it takes.
class ClockTimerClient : public ISubclass {
public:
    explicit ClockTimerClient(ClockTick& tick) : tick_(tick) {}

    int32_t MsgResponse() const override { return PassNone; }
    void SetMsgResponse(int32_t) override {}
    int32_t WindowProc(WindowHandle, uint32_t iMsg, uintptr_t, intptr_t) override
    {
        if (iMsg == kWmTimer)
            tick_.UpdateClock();
        return 0;
    }

private:
    ClockTick& tick_;
};

} // namespace dorvane
