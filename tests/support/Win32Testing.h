#pragma once

#include "platform/win32/WideText.h"

#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

// Driving Win32 windows and dialogs by their own messages, as the user's typing and clicks reach
// them: no display is needed.
namespace dorvane::testing {

inline std::string WindowText(HWND control)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)), L'\0');
    GetWindowTextW(control, text.data(), static_cast<int>(text.size() + 1));
    return Narrow(text);
}

inline std::string TextOf(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

// WM_SETTEXT, which sends EN_CHANGE as typing does.
inline void Type(HWND dialog, int id, const wchar_t* text) { SetDlgItemTextW(dialog, id, text); }

inline void Notify(HWND dialog, int id, int code)
{
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

inline void Click(HWND dialog, int id) { SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0); }

inline void DoubleClick(HWND control) { SendMessageW(control, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2)); }

// The slider's knob taken to position and let go there.
inline void Slide(HWND dialog, int id, int position)
{
    HWND slider = GetDlgItem(dialog, id);
    const UINT message = (GetWindowLongW(slider, GWL_STYLE) & TBS_VERT) ? WM_VSCROLL : WM_HSCROLL;
    SendMessageW(slider, TBM_SETPOS, TRUE, position);
    SendMessageW(dialog, message, MAKEWPARAM(TB_THUMBPOSITION, position), reinterpret_cast<LPARAM>(slider));
    SendMessageW(dialog, message, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(slider));
}

// Files dropped from the shell on target, as WM_DROPFILES brings them.
inline void Drop(HWND target, const std::vector<std::wstring>& paths)
{
    std::size_t characters = 1;
    for (const std::wstring& path : paths)
        characters += path.size() + 1;
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + characters * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    auto* at = reinterpret_cast<wchar_t*>(drop + 1);
    for (const std::wstring& path : paths) {
        std::memcpy(at, path.c_str(), path.size() * sizeof(wchar_t));
        at += path.size() + 1;
    }
    GlobalUnlock(memory);
    SendMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

// By the control's own style, whether or not its window is shown yet.
inline bool Shown(HWND dialog, int id) { return (GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0; }

inline std::vector<HWND> Children(HWND dialog)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

// The hints window the dialog owns; none when it has none.
inline HWND HintsOf(HWND dialog)
{
    for (HWND tips = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr); tips;
         tips = FindWindowExW(nullptr, tips, TOOLTIPS_CLASSW, nullptr))
        if (GetWindow(tips, GW_OWNER) == dialog)
            return tips;
    return nullptr;
}

// What a screen reader announces for the control.
inline std::string AccessibleName(HWND control)
{
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                          reinterpret_cast<void**>(&object))))
        return {};
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::string text;
    if (SUCCEEDED(object->get_accName(self, &name)) && name)
        text = Narrow(name);
    SysFreeString(name);
    object->Release();
    return text;
}

inline bool ClassIs(HWND control, const wchar_t* kind)
{
    wchar_t name[32]{};
    GetClassNameW(control, name, 32);
    return lstrcmpiW(name, kind) == 0;
}

inline bool IsField(HWND control) { return ClassIs(control, L"Edit"); }

// A control the user works with: a field, a button other than a group frame, a slider, a scroll bar.
inline bool IsInput(HWND control)
{
    if (ClassIs(control, L"Button"))
        return (GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK) != BS_GROUPBOX;
    return IsField(control) || ClassIs(control, TRACKBAR_CLASSW) || ClassIs(control, L"ScrollBar");
}

// On the Tab chain: a tab stop, or a radio button reached with the arrows from its group's first.
inline bool ReachableByTab(HWND control)
{
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    return (style & WS_TABSTOP) != 0 || (style & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
}

// A real window of the calling thread that notes the messages it is sent or posted from
// WM_APP on, and WM_TIMER, and answers them with kAnswer, a value wider than 32 bits.
struct TestWindow {
    static constexpr LRESULT kAnswer = (LRESULT{1} << 40) | 9;

    TestWindow()
    {
        static const ATOM windowClass = [] {
            WNDCLASSW description{};
            description.lpfnWndProc = &Procedure;
            description.hInstance = ::GetModuleHandleW(nullptr);
            description.lpszClassName = L"DorvaneTestWindow";
            return ::RegisterClassW(&description);
        }();
        // A message-only window: real messages, nothing on the screen.
        hwnd = ::CreateWindowExW(0, MAKEINTATOM(windowClass), L"Dorvane test", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~TestWindow() { ::DestroyWindow(hwnd); }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND hwnd = nullptr;
    std::vector<UINT> seen;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<TestWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self && (message >= WM_APP || message == WM_TIMER)) {
            self->seen.push_back(message);
            return kAnswer;
        }
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
};

} // namespace dorvane::testing
