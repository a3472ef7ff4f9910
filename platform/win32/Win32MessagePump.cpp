#include "platform/win32/Win32MessagePump.h"

#include "platform/win32/DialogMessages.h"

#include <windows.h>

namespace dorvane {

namespace {

// A handler that posts a message to itself each time would keep the loop from ever finding the
// queue empty; the pump returns after this many and leaves the rest to the next call.
constexpr int kMostMessagesPerCall = 1000;

} // namespace

void Win32MessagePump::RunPendingMessages()
{
    MSG message{};
    for (int run = 0; run < kMostMessagesPerCall && ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++run) {
        if (message.message == WM_QUIT) {
            // The program's own loop ends on it; this pump only lets waiting work run.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (DialogMessages::Route(message))
            continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

} // namespace dorvane
