#include "platform/win32/ProgramWindow.h"

#include <mutex>
#include <set>
#include <string>

namespace dorvane {

void RegisterWindowClass(const wchar_t* name, UINT style, HBRUSH background)
{
    static std::mutex guard;
    static std::set<std::wstring> registered;
    const std::lock_guard lock(guard);
    if (!registered.insert(name).second)
        return;
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    type.style = style;
    type.lpfnWndProc = DefWindowProcW; // each window sets its own procedure once it is made
    type.cbWndExtra = sizeof(LONG_PTR);
    type.hInstance = ::GetModuleHandleW(nullptr);
    type.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    type.hbrBackground = background;
    type.lpszClassName = name;
    ::RegisterClassExW(&type);
}

void HandMessagesTo(HWND window, void* object, WNDPROC procedure)
{
    ::SetWindowLongPtrW(window, 0, reinterpret_cast<LONG_PTR>(object));
    ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
}

void ForgetObject(HWND window) { ::SetWindowLongPtrW(window, 0, 0); }

} // namespace dorvane
