#pragma once

#include "platform/WindowMessageHooks.h"

#include <map>
#include <windows.h>

namespace dorvane {

// Message interception for Win32 windows by subclassing: a hooked window's procedure is replaced
// (SetWindowLongPtrW with GWLP_WNDPROC) by one that hands every message to the hook;
// CallOwnHandling passes a message to the procedure the window had before (CallWindowProcW), and
// RemoveHook puts that procedure back. A window destroyed while hooked is unhooked on WM_NCDESTROY.
// Only windows of the calling thread can be hooked, and each by one hooks object at a time.
class Win32WindowMessageHooks : public WindowMessageHooks {
public:
    Win32WindowMessageHooks() = default;
    ~Win32WindowMessageHooks() override;
    Win32WindowMessageHooks(const Win32WindowMessageHooks&) = delete;
    Win32WindowMessageHooks& operator=(const Win32WindowMessageHooks&) = delete;

    static WindowHandle HandleOf(HWND window) { return reinterpret_cast<WindowHandle>(window); }
    static HWND WindowOf(WindowHandle window) { return reinterpret_cast<HWND>(window); }

    bool IsWindow(WindowHandle window) const override;
    bool BelongsToThisProcess(WindowHandle window) const override;
    bool InstallHook(WindowHandle window, Hook hook) override;
    void RemoveHook(WindowHandle window) override;
    int32_t CallOwnHandling(const WindowMessage& message) override;

private:
    struct Hooked {
        WNDPROC original = nullptr;
        Hook hook;
    };
    static LRESULT CALLBACK HookProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Unhook(HWND window);

    std::map<HWND, Hooked> windows_;
};

} // namespace dorvane
