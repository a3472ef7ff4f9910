#pragma once

#include "clock/face/ClockWindowFrame.h"
#include "clock/window/ClockMouse.h"
#include "platform/TimeSource.h"

#include <windows.h>

#include <cstdint>

namespace dorvane {

class c32bppDIB;

// What the clock window hands on to the program around it.
class ClockWindowEvents {
public:
    virtual ~ClockWindowEvents() = default;
    virtual void CloseRequested() = 0; // WM_CLOSE: the program's closing, which destroys the window
    // Windows asks whether the session may end (final false), or ends it (final true).
    virtual void SessionEnding(bool final) = 0;
    // The computer woke from sleep or hibernation.
    virtual void ComputerWoke() = 0;
};

// The clock window: a borderless layered tool window (no taskbar button) that shows exactly the
// last picture handed to it, with the picture's premultiplied alpha and one constant opacity on
// top, through UpdateLayeredWindow. It has no painting of its own. Mouse input goes to the clock's
// mouse logic, in the window's pixels.
class LayeredClockWindow : public ClockWindowFrame {
public:
    static constexpr const wchar_t* kClassName = L"DorvaneClock";
    // The drawing area before a skin sizes it: 2250 twips at 15 twips per pixel.
    static constexpr int kInitialPixels = 150;

    LayeredClockWindow(ClockMouse& mouse, TimeSource& time, ClockWindowEvents& events);
    ~LayeredClockWindow() override;
    LayeredClockWindow(const LayeredClockWindow&) = delete;
    LayeredClockWindow& operator=(const LayeredClockWindow&) = delete;

    HWND Handle() const { return window_; }

    // Shows face (premultiplied, rows bottom-up) at opacity alpha (0..255) from now on, at the
    // face's size; the window's top-left corner stays where it is.
    void Present(const c32bppDIB& face, uint8_t alpha);
    void SizeToDial(int width, int height) override;

    void Show();     // without taking the keyboard from another window
    void Hide();
    void BringToFront();
    bool IsShown() const;
    void MoveTo(int x, int y);
    RECT Frame() const; // on the screen, in pixels
    void SetTopMost(bool onTop);
    void SetEnabled(bool enabled);
    void SetIcon(HICON big, HICON small);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void MouseEvent(UINT message, WPARAM wParam, LPARAM lParam);

    ClockMouse& mouse_;
    TimeSource& time_;
    ClockWindowEvents& events_;
    HWND window_ = nullptr;
};

} // namespace dorvane
