#pragma once

#include <windows.h>

namespace dorvane {

// The program's own window classes, each registered once by name: the default window procedure
// until a window hands its messages to its object, one slot in the window's extra bytes (which
// subclassing leaves alone) for that object's pointer, the arrow cursor, and the background
// (nullptr: the window paints all of itself).
void RegisterWindowClass(const wchar_t* name, UINT style = 0, HBRUSH background = nullptr);

// From now on window's messages go to procedure, which finds object with ObjectOf.
void HandMessagesTo(HWND window, void* object, WNDPROC procedure);

// The object a window's messages are handed to; nullptr before HandMessagesTo and after
// ForgetObject, so that messages sent while a window is being destroyed reach no object.
template <class Object>
Object* ObjectOf(HWND window)
{
    return reinterpret_cast<Object*>(::GetWindowLongPtrW(window, 0));
}

void ForgetObject(HWND window);

} // namespace dorvane
