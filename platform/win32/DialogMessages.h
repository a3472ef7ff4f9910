#pragma once

#include <windows.h>

namespace dorvane {

// The modeless dialogs of this thread. A message loop hands each message to Route before
// translating and dispatching it, so that Tab, Enter and Escape act in the dialogs as in modal ones.
namespace DialogMessages {

void Add(HWND dialog);
void Remove(HWND dialog);
// True when a dialog took the message (IsDialogMessageW); the loop then neither translates nor
// dispatches it.
bool Route(MSG& message);

} // namespace DialogMessages
} // namespace dorvane
