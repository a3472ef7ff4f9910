#pragma once

#include "options/ButtonStrip.h"
#include "platform/Screen.h"

#include <windows.h>

namespace dorvane {

// The button strip's window: a small rounded strip beside the clock with the close, options and
// drag pictures in one column, separated by thin lines. The pictures are owner-drawn static
// controls named after what they do, which the pointer passes through to the strip itself.
class ButtonStripWindow {
public:
    // Control IDs of the strip's pictures and lines.
    enum Control : int { ImageClose = 101, Image2 = 102, Image3 = 103, Line1 = 104, Line2 = 105 };
    // The pictures (32-bit, premultiplied), which the strip owns from now on.
    struct Pictures {
        HBITMAP close = nullptr, options = nullptr, drag = nullptr;
    };

    ButtonStripWindow(ButtonStripActions& actions, const Screen& screen, Pictures pictures);
    ~ButtonStripWindow();
    ButtonStripWindow(const ButtonStripWindow&) = delete;
    ButtonStripWindow& operator=(const ButtonStripWindow&) = delete;

    ButtonStrip& Logic() { return strip_; }
    HWND Handle() const { return window_; }
    void Show();
    void Hide();
    void MoveTo(int x, int y);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void MakeControls();
    void AddToolTips();
    void Paint();
    void DrawControl(const DRAWITEMSTRUCT& item);
    void ButtonDown(int x, int y);
    void PointerMoved(WPARAM buttons, int x, int y);
    void ButtonUp(int x, int y);

    const Screen& screen_;
    ButtonStrip strip_;
    Pictures pictures_;
    HWND window_ = nullptr;
    HWND tips_ = nullptr;
    bool dragging_ = false;
};

} // namespace dorvane
