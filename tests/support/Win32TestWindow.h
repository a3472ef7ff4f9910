#pragma once

#include <windows.h>

#include <vector>

namespace dorvane::testing {

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
