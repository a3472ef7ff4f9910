#include "platform/win32/DialogMessages.h"

#include <algorithm>
#include <vector>

namespace dorvane::DialogMessages {
namespace {

// The dialogs of the user-interface thread, the only one that has windows.
std::vector<HWND>& Dialogs()
{
    static std::vector<HWND> dialogs;
    return dialogs;
}

} // namespace

void Add(HWND dialog)
{
    if (dialog && std::ranges::find(Dialogs(), dialog) == Dialogs().end())
        Dialogs().push_back(dialog);
}

void Remove(HWND dialog)
{
    std::erase(Dialogs(), dialog);
}

bool Route(MSG& message)
{
    // A dialog's keys arrive at its focused control, a child of the dialog: IsDialogMessageW finds
    // the dialog the message belongs to.
    for (HWND dialog : Dialogs())
        if (::IsWindow(dialog) && (message.hwnd == dialog || ::IsChild(dialog, message.hwnd)) &&
            ::IsDialogMessageW(dialog, &message))
            return true;
    return false;
}

} // namespace dorvane::DialogMessages
