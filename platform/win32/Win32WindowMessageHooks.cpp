#include "platform/win32/Win32WindowMessageHooks.h"

#include <utility>

namespace dorvane {
namespace {

// The window property that leads the replaced window procedure to the hooks object of the window.
constexpr const wchar_t* kOwnerProperty = L"Dorvane.WindowMessageHooks";

// The full result of the last own handling within the message now with the hook: the hook's answer
// is 32 bits wide, a window procedure's is pointer-sized (a handle, for some messages).
struct OwnResult {
    bool called = false;
    LRESULT result = 0;
};
thread_local OwnResult* ownResult = nullptr;

} // namespace

Win32WindowMessageHooks::~Win32WindowMessageHooks()
{
    while (!windows_.empty())
        Unhook(windows_.begin()->first);
}

bool Win32WindowMessageHooks::IsWindow(WindowHandle window) const { return ::IsWindow(WindowOf(window)); }

bool Win32WindowMessageHooks::BelongsToThisProcess(WindowHandle window) const
{
    DWORD process = 0;
    return ::GetWindowThreadProcessId(WindowOf(window), &process) != 0 && process == ::GetCurrentProcessId();
}

bool Win32WindowMessageHooks::InstallHook(WindowHandle window, Hook hook)
{
    HWND hwnd = WindowOf(window);
    // A window procedure can only be replaced from the thread that runs the window's messages.
    if (!::IsWindow(hwnd) || ::GetWindowThreadProcessId(hwnd, nullptr) != ::GetCurrentThreadId())
        return false;
    if (::GetPropW(hwnd, kOwnerProperty) && !windows_.contains(hwnd))
        return false; // another hooks object has it
    if (auto found = windows_.find(hwnd); found != windows_.end()) {
        found->second.hook = std::move(hook);
        return true;
    }
    // The window is known before its first message can reach the new procedure.
    Hooked& hooked = windows_[hwnd];
    hooked.hook = std::move(hook);
    ::SetLastError(0);
    hooked.original = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HookProcedure)));
    if (!hooked.original && ::GetLastError() != 0) {
        windows_.erase(hwnd);
        return false;
    }
    ::SetPropW(hwnd, kOwnerProperty, this);
    return true;
}

void Win32WindowMessageHooks::RemoveHook(WindowHandle window) { Unhook(WindowOf(window)); }

void Win32WindowMessageHooks::Unhook(HWND window)
{
    auto found = windows_.find(window);
    if (found == windows_.end())
        return;
    // Only a procedure still ours is put back: one set over ours later stays, and calls ours no more
    // than it would call any procedure it replaced.
    if (::IsWindow(window) &&
        ::GetWindowLongPtrW(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&HookProcedure))
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(found->second.original));
    ::RemovePropW(window, kOwnerProperty);
    windows_.erase(found);
}

int32_t Win32WindowMessageHooks::CallOwnHandling(const WindowMessage& message)
{
    HWND window = WindowOf(message.window);
    auto found = windows_.find(window);
    if (found == windows_.end())
        return 0;
    const LRESULT result = ::CallWindowProcW(found->second.original, window, message.message,
                                             static_cast<WPARAM>(message.wParam), static_cast<LPARAM>(message.lParam));
    if (ownResult)
        *ownResult = {true, result};
    return static_cast<int32_t>(result);
}

LRESULT CALLBACK Win32WindowMessageHooks::HookProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* hooks = static_cast<Win32WindowMessageHooks*>(::GetPropW(window, kOwnerProperty));
    const auto found = hooks ? hooks->windows_.find(window) : std::map<HWND, Hooked>::iterator{};
    if (!hooks || found == hooks->windows_.end())
        return ::DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // The window's last message: it goes to its own procedure, and the window is forgotten.
        const WNDPROC original = found->second.original;
        hooks->Unhook(window);
        return ::CallWindowProcW(original, window, message, wParam, lParam);
    }
    // The hook may remove itself while it runs: it is kept alive for the call.
    const Hook hook = found->second.hook;
    OwnResult own;
    OwnResult* outer = std::exchange(ownResult, &own);
    const int32_t answer = hook({Win32WindowMessageHooks::HandleOf(window), message, wParam, lParam});
    ownResult = outer;
    return own.called && static_cast<int32_t>(own.result) == answer ? own.result : answer;
}

} // namespace dorvane
