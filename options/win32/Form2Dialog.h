#pragma once

#include "options/Form2.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace dorvane {

// The options window on Windows: the dialog template IDD_FORM2 with a small dialog procedure. It
// shows what Form2 holds and forwards the user's typing, clicks, double clicks, slider moves and
// file drops to it, like the Qt window. Modeless: its messages pass through DialogMessages, so that
// Tab, Enter and Escape work; Escape closes it, and closing saves.
class Form2Dialog : public Form2Window {
public:
    static constexpr int kPreviewPixels = 120;

    // Makes the window, still hidden; the logic opens when it is first shown.
    Form2Dialog(ClockState& state, Form2Parts parts);
    ~Form2Dialog() override;
    Form2Dialog(const Form2Dialog&) = delete;
    Form2Dialog& operator=(const Form2Dialog&) = delete;

    Form2& Logic() { return logic_; }
    // Opens the logic the first time, then shows the window and brings it to the front.
    void Show();
    // As if the user closed it: the logic's Close, which saves, and the window destroyed.
    void Close();
    bool IsOpen() const { return window_ != nullptr; }
    HWND Handle() const { return window_; }
    // Called when this object goes, so that whoever keeps a pointer to it can drop it.
    void WhenGone(std::function<void()> gone) { gone_.push_back(std::move(gone)); }

    void ControlsChanged() override;
    void SelectMinuteText(int row) override;
    bool AskOkCancel(const std::string& text, const std::string& title) override;
    void TellFailure(const std::string& text, const std::string& title) override;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK FieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self);
    INT_PTR Message(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT FieldMessage(HWND field, UINT message, WPARAM wParam, LPARAM lParam);
    void Initialise();
    void NameControls();
    void AddHints();
    void Command(int id, int code);
    bool RowCommand(int id, int code);
    bool OptionCommand(int id, int code);
    void SliderMoved(HWND slider, int code);
    void FilesDropped(int row, HDROP drop);
    void DrawPreview(const DRAWITEMSTRUCT& item) const;
    INT_PTR HelpColours(HDC context) const;

    void ShowTopAndAbout();
    void ShowAppearance();
    void ShowSliders();
    void ShowRows();
    void ShowHelp();
    void ShowText(int id, const std::string& text);
    void ShowCheck(int id, bool checked);
    void ShowVisible(int id, bool shown);
    std::string TextOf(int id) const;
    bool Checked(int id) const;

    Form2 logic_;
    HWND window_ = nullptr;
    HFONT bold_ = nullptr;
    bool opened_ = false;
    bool showing_ = false;     // the controls are being written from the logic, not by the user
    bool helpShown_ = false;
    std::uint64_t previewVersion_ = 0;
    std::vector<std::function<void()>> gone_;
};

} // namespace dorvane
