#pragma once

#include "platform/TimeSource.h"
#include "popup/AlarmPopupView.h"
#include "popup/Form3.h"

#include <windows.h>

namespace dorvane {

// The alarm pop-up's window: the alarm picture at the left; the alarm's time line, a "Snooze" label
// that appears after a snooze has run out, the message, and the snooze, reset and close pictures
// at the right. It comes to the front without taking the keyboard from whatever the user is typing
// into. It owns itself: made with new, it deletes itself once its window is gone.
class AlarmPopupWindow : public AlarmPopupView {
public:
    // Control IDs, named as the controls are.
    enum Control : int { Image1 = 201, Label1, Label2, Text1, ImageSnooze, ImageReset, ImageClose, Picture1 };
    static constexpr UINT_PTR kTimer1 = 1;
    static constexpr UINT kTimer1Milliseconds = 1000;
    // The pictures (32-bit, premultiplied); they stay the caller's and must outlive the window.
    struct Pictures {
        HBITMAP close = nullptr, reset = nullptr, snooze = nullptr, decoration = nullptr;
    };

    AlarmPopupWindow(ClockState& state, PopupLinks links, TimeSource& time, const AlarmPopupRequest& request,
                     const Pictures& pictures);
    AlarmPopupWindow(const AlarmPopupWindow&) = delete;
    AlarmPopupWindow& operator=(const AlarmPopupWindow&) = delete;

    Form3& Logic() { return logic_; }
    HWND Handle() const { return window_; }

    void ShowAgain() override;
    void Hide() override { ::ShowWindow(window_, SW_HIDE); }
    void ShowSnoozeLabel() override;
    void StopTimer() override;
    void Destroy() override;

private:
    ~AlarmPopupWindow() override;
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void MakeControls(const AlarmPopupRequest& request);
    HWND Child(const wchar_t* type, const std::wstring& text, DWORD style, Control id, RECT place);
    void Clicked(int id);
    void DrawPicture(const DRAWITEMSTRUCT& item);

    Form3 logic_;
    TimeSource& time_;
    Pictures pictures_;
    HWND window_ = nullptr;
    HWND tips_ = nullptr;
    HFONT font_ = nullptr;
    HFONT bold_ = nullptr;
    bool destroying_ = false;
};

} // namespace dorvane
