#include "options/win32/Form2Dialog.h"

#include "options/win32/AccessibleName.h"
#include "options/win32/Form2DialogIds.h"
#include "platform/win32/DialogMessages.h"
#include "platform/win32/WideText.h"

#include <commctrl.h>

#include <algorithm>
#include <cassert>
#include <cmath>
#include <optional>

namespace dorvane {
namespace {

using A = AppearanceEditor;

// The alarm rows number their controls from IDC_TextAlarmDate0, ten apart per column.
constexpr int kRowIdStep = 10;
constexpr int kRowColumns = 8;
constexpr int kHourMinuteLength = 2;
constexpr int kMessageLength = 25;
constexpr int kFreqLength = 4;

constexpr struct {
    int id;
    OptionSwitch which;
} kSwitches[] = {
    {IDC_CheckOnTop, OptionSwitch::OnTop},           {IDC_CheckInvisibleClock, OptionSwitch::InvisibleClock},
    {IDC_CheckShowSeconds, OptionSwitch::ShowSeconds}, {IDC_CheckComputerSpeaker, OptionSwitch::ComputerSpeaker},
    {IDC_CheckShowBorder, OptionSwitch::ShowBorder},   {IDC_CheckChime, OptionSwitch::Chime},
    {IDC_CheckChimeRingOnce, OptionSwitch::ChimeRingOnce}, {IDC_CheckTicks, OptionSwitch::Ticks},
};

constexpr struct {
    int id;
    OptionNumber which;
    int length;
} kNumbers[] = {
    {IDC_TextChimeFreq, OptionNumber::ChimeFreq, 4},
    {IDC_TextTicksFreq, OptionNumber::TicksFreq, 4},
    {IDC_TextTickDur, OptionNumber::TickDur, 3},
};

// Names for the controls whose caption is a symbol or that have none.
constexpr struct {
    int id;
    const char* name;
} kNames[] = {
    {IDC_Image1, "Help"},
    {IDC_ImageSkin0, "Previous skin"},
    {IDC_ImageSkin1, "Next skin"},
    {IDC_pClock, "Skin preview"},
    {IDC_ImageOpacity, "Opacity"},
    {IDC_ImageVolume, "Volume"},
    {IDC_TextChimeFreq, "Chime Frequency"},
    {IDC_TextTicksFreq, "Tick Frequency"},
    {IDC_TextTickDur, "Tick Duration"},
    {IDC_TextAlarmFreq, "Frequency"},
    {IDC_TextAlarmRingCount, "No. of Rings"},
    {IDC_ImageResetOptions, "Reset to Default"},
};

// The hints shown under the pointer; every alarm row's date field has the first.
constexpr struct {
    int id;
    const char* hint;
} kHints[] = {
    {IDC_TextAlarmDate0, "Click to pick a date; double click for a daily alarm"},
    {IDC_CheckOnTop, "Takes effect the next time Dorvane starts"},
    {IDC_CheckShowBorder, "Only the glass skins have a border"},
    {IDC_ImageSkin0, "Previous skin"},
    {IDC_ImageSkin1, "Next skin"},
    {IDC_Image1, "Help"},
    {IDC_ImageResetOptions, "Reset to Default"},
};

// The row's columns left to right, and the roles of those that are fields.
constexpr const char* kRowRoles[kRowColumns] = {"Date", nullptr, "Hour", nullptr, "Minute", nullptr, "Pop-up Message", "Execute"};

std::optional<AlarmField> FieldAt(int column)
{
    switch (column) {
    case 0: return AlarmField::Date;
    case 2: return AlarmField::Hour;
    case 4: return AlarmField::Minute;
    case 6: return AlarmField::Message;
    case 7: return AlarmField::Exec;
    default: return std::nullopt;
    }
}

// The row and column of an alarm row's control; nothing for any other control.
std::optional<std::pair<int, int>> RowPlace(int id)
{
    const int offset = id - IDC_TextAlarmDate0;
    if (offset < 0 || offset >= kRowColumns * kRowIdStep || offset % kRowIdStep >= AlarmEditor::kRows)
        return std::nullopt;
    return std::pair{offset % kRowIdStep, offset / kRowIdStep};
}

// The dialog's own font, bold, for the product's name and the alarm area's headings.
HFONT BoldFontOf(HWND window)
{
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof font, &font);
    font.lfWeight = FW_BOLD;
    return CreateFontIndirectW(&font);
}

bool IsHelpControl(int id) { return id >= IDC_HelpFirst && id <= IDC_HelpLast; }

// The "Options" and "Alarms && Reminders" areas, which the help panel covers.
bool IsMiddleControl(int id) { return (id >= IDC_FrameOptions && id <= IDC_TextAlarmRingCount) || RowPlace(id).has_value(); }

std::string WithoutTrailingBreaks(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    return text;
}

} // namespace

Form2Dialog::Form2Dialog(ClockState& state, Form2Parts parts) : logic_(state, std::move(parts), *this)
{
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
    CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_FORM2), nullptr, DialogProc,
                       reinterpret_cast<LPARAM>(this));
    assert(window_ && "the options window's template is linked into every program with the views");
    DialogMessages::Add(window_);
}

Form2Dialog::~Form2Dialog()
{
    Close();
    for (const auto& gone : gone_)
        gone();
    DeleteObject(bold_);
}

void Form2Dialog::Show()
{
    if (!window_)
        return;
    if (!opened_) {
        opened_ = true;
        logic_.Open();
    }
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
}

void Form2Dialog::Close()
{
    if (!window_)
        return;
    if (opened_)
        logic_.Close();
    HWND closing = window_;
    window_ = nullptr;
    DialogMessages::Remove(closing);
    DestroyWindow(closing);
}

INT_PTR CALLBACK Form2Dialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        auto* self = reinterpret_cast<Form2Dialog*>(lParam);
        self->window_ = window;
        self->Initialise();
        return FALSE; // the focus is set
    }
    auto* self = reinterpret_cast<Form2Dialog*>(GetWindowLongPtrW(window, DWLP_USER));
    return self && self->window_ == window ? self->Message(message, wParam, lParam) : FALSE;
}

INT_PTR Form2Dialog::Message(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND: Command(LOWORD(wParam), HIWORD(wParam)); return TRUE;
    case WM_CLOSE: Close(); return TRUE;
    case WM_HSCROLL:
    case WM_VSCROLL: SliderMoved(reinterpret_cast<HWND>(lParam), LOWORD(wParam)); return TRUE;
    case WM_DRAWITEM:
        if (wParam != IDC_pClock)
            return FALSE;
        DrawPreview(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC: return helpShown_ ? HelpColours(reinterpret_cast<HDC>(wParam)) : FALSE;
    case WM_MOUSEMOVE: logic_.Appearance().BackgroundMouseMoved(); return FALSE;
    default: return FALSE;
    }
}

// Lengths, slider ranges in twips, the fields' own mouse and drops, the help texts, the preview's
// square, the bold headings, the controls' names and hints; the keyboard starts at the first alarm.
void Form2Dialog::Initialise()
{
    for (int row = 0; row < AlarmEditor::kRows; ++row) {
        SendDlgItemMessageW(window_, IDC_TextAlarmHour0 + row, EM_SETLIMITTEXT, kHourMinuteLength, 0);
        SendDlgItemMessageW(window_, IDC_TextAlarmMin0 + row, EM_SETLIMITTEXT, kHourMinuteLength, 0);
        SendDlgItemMessageW(window_, IDC_TextAlarmMessage0 + row, EM_SETLIMITTEXT, kMessageLength, 0);
        for (int column = 0; column < kRowColumns; ++column)
            if (FieldAt(column))
                SetWindowSubclass(GetDlgItem(window_, IDC_TextAlarmDate0 + column * kRowIdStep + row), FieldProc, 0,
                                  reinterpret_cast<DWORD_PTR>(this));
    }
    for (const auto& number : kNumbers)
        SendDlgItemMessageW(window_, number.id, EM_SETLIMITTEXT, number.length, 0);
    SendDlgItemMessageW(window_, IDC_TextAlarmFreq, EM_SETLIMITTEXT, kFreqLength, 0);
    SendDlgItemMessageW(window_, IDC_TextAlarmRingCount, EM_SETLIMITTEXT, kHourMinuteLength, 0);
    const struct {
        int id;
        double range, step;
    } sliders[] = {{IDC_ImageOpacity, A::kOpacityTrackWidth, A::kOpacityKeyStep}, {IDC_ImageVolume, A::kVolumeTrackHeight, A::kVolumeKeyStep}};
    for (const auto& slider : sliders) {
        SendDlgItemMessageW(window_, slider.id, TBM_SETRANGEMAX, FALSE, std::lround(slider.range));
        SendDlgItemMessageW(window_, slider.id, TBM_SETLINESIZE, 0, std::lround(slider.step));
        SendDlgItemMessageW(window_, slider.id, TBM_SETPAGESIZE, 0, std::lround(4 * slider.step));
    }
    for (int index = 0; index < Form2::kHelpLabels; ++index)
        SetDlgItemTextW(window_, IDC_LabelHelp0 + index, Widen(Form2::kLabelHelp[index]).c_str());
    HWND preview = GetDlgItem(window_, IDC_pClock);
    RECT box{};
    GetClientRect(preview, &box);
    const int side = std::min(box.right, box.bottom);
    SetWindowPos(preview, nullptr, 0, 0, side, side, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    logic_.Appearance().SetPreviewSize(side, side);
    bold_ = BoldFontOf(window_);
    for (int id : {IDC_Label1, IDC_LabelDateHeading, IDC_LabelTimeHeading, IDC_LabelMessageHeading, IDC_LabelExecHeading, IDC_LabelAlarmRing})
        SendDlgItemMessageW(window_, id, WM_SETFONT, reinterpret_cast<WPARAM>(bold_), FALSE);
    SetWindowTextW(window_, Widen(Form2::kTitle).c_str());
    NameControls();
    AddHints();
    SetFocus(GetDlgItem(window_, IDC_TextAlarmDate0));
}

// TTTOOLINFOW_V2_SIZE: the form every version of the common controls takes.
void Form2Dialog::AddHints()
{
    HWND tips = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, GetModuleHandleW(nullptr), nullptr);
    const auto add = [&](int id, const std::wstring& hint) {
        TTTOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = window_;
        tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(window_, id));
        tool.lpszText = const_cast<wchar_t*>(hint.c_str());
        SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    };
    for (const auto& tip : kHints)
        add(tip.id, Widen(tip.hint));
    for (int row = 1; row < AlarmEditor::kRows; ++row)
        add(IDC_TextAlarmDate0 + row, Widen(kHints[0].hint));
}

void Form2Dialog::NameControls()
{
    for (const auto& named : kNames)
        SetAccessibleName(GetDlgItem(window_, named.id), named.name);
    for (int row = 0; row < AlarmEditor::kRows; ++row)
        for (int column = 0; column < kRowColumns; ++column)
            if (const char* role = kRowRoles[column])
                SetAccessibleName(GetDlgItem(window_, IDC_TextAlarmDate0 + column * kRowIdStep + row), role,
                                  "Alarm " + std::to_string(row + 1));
}

void Form2Dialog::Command(int id, int code)
{
    if (id == IDCANCEL) {
        Close();
        return;
    }
    if (showing_ || RowCommand(id, code) || OptionCommand(id, code) || code != BN_CLICKED)
        return;
    switch (id) {
    case IDC_Image1: logic_.HelpClicked(); break;
    case IDC_ImageResetOptions: logic_.ResetClicked(); break;
    case IDC_CheckRunatStartup: logic_.WriteRunAtStartup(Checked(id)); break;
    case IDC_Label4: logic_.ManualClicked(); break;
    case IDC_LabelBRISA: logic_.SettingsFolderClicked(); break;
    case IDC_ImageSkin0:
    case IDC_ImageSkin1: logic_.Appearance().SkinArrowClicked(id == IDC_ImageSkin1 ? 1 : 0); break;
    default: break;
    }
}

// The row's typing, its Activate box, its AM/PM label and the minute's leaving; true for a row's control.
bool Form2Dialog::RowCommand(int id, int code)
{
    const auto place = RowPlace(id);
    if (!place)
        return false;
    const auto [row, column] = *place;
    AlarmEditor& alarms = logic_.Alarms();
    if (id == IDC_CheckActivateAlarm0 + row && code == BN_CLICKED)
        alarms.WriteActivate(row, Checked(id));
    else if (id == IDC_LabelAlarmAMPM0 + row && code == BN_CLICKED)
        alarms.AmPmClicked(row);
    else if (id == IDC_TextAlarmMin0 + row && code == EN_KILLFOCUS)
        alarms.MinuteLeft(row);
    else if (const auto field = FieldAt(column); field && code == EN_CHANGE)
        alarms.Write(row, *field, TextOf(id));
    return true;
}

// The switches, the chime choice and the number fields of the "Options" area, and the ring fields.
bool Form2Dialog::OptionCommand(int id, int code)
{
    AppearanceEditor& appearance = logic_.Appearance();
    for (const auto& box : kSwitches)
        if (box.id == id) {
            if (code == BN_CLICKED)
                appearance.WriteSwitch(box.which, Checked(id));
            return true;
        }
    for (const auto& number : kNumbers)
        if (number.id == id) {
            if (code == EN_CHANGE)
                appearance.WriteNumber(number.which, TextOf(id));
            return true;
        }
    if ((id == IDC_OptionChimeBigBen || id == IDC_OptionChimeFreq) && code == BN_CLICKED)
        appearance.SelectChime(id == IDC_OptionChimeBigBen);
    else if (id == IDC_TextAlarmFreq && code == EN_CHANGE)
        logic_.Alarms().WriteAlarmFreq(TextOf(id));
    else if (id == IDC_TextAlarmRingCount && code == EN_CHANGE)
        logic_.Alarms().WriteRingCount(TextOf(id));
    else
        return false;
    return true;
}

// A slider's position is its knob's centre in twips from the track's start. Each move takes the
// knob at its middle and moves it by the difference, as dragging it would; the end of a move lets
// it go.
void Form2Dialog::SliderMoved(HWND slider, int code)
{
    AppearanceEditor& a = logic_.Appearance();
    const double target = static_cast<double>(SendMessageW(slider, TBM_GETPOS, 0, 0));
    const SliderControls& s = a.Sliders();
    if (slider == GetDlgItem(window_, IDC_ImageOpacity)) {
        if (code == TB_ENDTRACK)
            return a.OpacityKnobReleased();
        const double centre = s.opacityKnobLeft + A::kOpacityKnobWidth / 2 - A::kOpacityTrackLeft;
        a.OpacityKnobPressed(A::kOpacityKnobWidth / 2, A::kOpacityKnobHeight / 2);
        a.OpacityKnobMoved(A::kOpacityKnobWidth / 2 + target - centre, true);
    } else if (slider == GetDlgItem(window_, IDC_ImageVolume)) {
        if (code == TB_ENDTRACK)
            return a.VolumeKnobReleased(true);
        const double centre = s.volumeKnobTop + A::kVolumeKnobHeight / 2 - A::kVolumeTrackTop;
        a.VolumeKnobPressed(A::kVolumeKnobWidth / 2, A::kVolumeKnobHeight / 2);
        a.VolumeKnobMoved(A::kVolumeKnobHeight / 2 + target - centre, true);
    }
}

LRESULT CALLBACK Form2Dialog::FieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self)
{
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(field, FieldProc, 0);
    return reinterpret_cast<Form2Dialog*>(self)->FieldMessage(field, message, wParam, lParam);
}

// An alarm field's double click empties it (the minute's selects "00"), a click on the date opens
// the calendar, the time fields select their two digits when they take the focus, and files
// dropped on the execute field fill it.
LRESULT Form2Dialog::FieldMessage(HWND field, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto [row, column] = *RowPlace(GetDlgCtrlID(field));
    const AlarmField kind = *FieldAt(column);
    AlarmEditor& alarms = logic_.Alarms();
    if (message == WM_LBUTTONDBLCLK && window_) {
        switch (kind) {
        case AlarmField::Date: alarms.DateDoubleClicked(row); break;
        case AlarmField::Hour: alarms.HourDoubleClicked(row); break;
        case AlarmField::Minute: alarms.MinuteDoubleClicked(row); break;
        case AlarmField::Message: alarms.MessageDoubleClicked(row); break;
        case AlarmField::Exec: alarms.ExecDoubleClicked(row); break;
        }
        return 0;
    }
    if (message == WM_DROPFILES && kind == AlarmField::Exec) {
        FilesDropped(row, reinterpret_cast<HDROP>(wParam));
        return 0;
    }
    const LRESULT result = DefSubclassProc(field, message, wParam, lParam);
    if (message == WM_LBUTTONDOWN && kind == AlarmField::Date && window_)
        alarms.DateClicked(row);
    if (message == WM_SETFOCUS && (kind == AlarmField::Hour || kind == AlarmField::Minute))
        PostMessageW(field, EM_SETSEL, 0, -1);
    return result;
}

// Any drop is taken: the field gets the first dropped file's full path.
void Form2Dialog::FilesDropped(int row, HDROP drop)
{
    std::vector<std::string> files;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT index = 0; index < count; ++index) {
        std::wstring path(DragQueryFileW(drop, index, nullptr, 0), L'\0');
        DragQueryFileW(drop, index, path.data(), static_cast<UINT>(path.size() + 1));
        files.push_back(Narrow(path));
    }
    DragFinish(drop);
    logic_.Alarms().ExecDropped(row, files);
}

// The preview's premultiplied pixels laid over the dialog's face colour.
void Form2Dialog::DrawPreview(const DRAWITEMSTRUCT& item) const
{
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    const c32bppDIB& preview = logic_.Appearance().Preview();
    if (!preview.Handle())
        return;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const int background[] = {GetBValue(face), GetGValue(face), GetRValue(face)};
    const std::span<std::uint8_t> source = preview.PixelBytes();
    std::vector<std::uint8_t> pixels(source.begin(), source.end());
    for (std::size_t at = 0; at + 3 < pixels.size(); at += 4)
        for (int channel = 0; channel < 3; ++channel)
            pixels[at + channel] = static_cast<std::uint8_t>(pixels[at + channel] + background[channel] * (255 - pixels[at + 3]) / 255);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), preview.Width(), preview.Height(), 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    SetDIBitsToDevice(item.hDC, item.rcItem.left, item.rcItem.top, preview.Width(), preview.Height(), 0, 0, 0,
                      preview.Height(), pixels.data(), &info, DIB_RGB_COLORS);
}

INT_PTR Form2Dialog::HelpColours(HDC context) const
{
    SetTextColor(context, GetSysColor(COLOR_INFOTEXT));
    SetBkColor(context, GetSysColor(COLOR_INFOBK));
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_INFOBK));
}

// Writing into the controls sends their change notifications; they are not the user's, so they
// are ignored while this runs.
void Form2Dialog::ControlsChanged()
{
    if (!window_)
        return;
    const bool wasShowing = showing_;
    showing_ = true;
    ShowHelp();
    ShowTopAndAbout();
    ShowAppearance();
    ShowRows();
    showing_ = wasShowing;
}

void Form2Dialog::ShowTopAndAbout()
{
    const Form2Controls& c = logic_.Controls();
    ShowText(IDC_LabelTime, c.timeLine);
    ShowText(IDC_Label2, c.version);
    ShowCheck(IDC_CheckRunatStartup, c.runAtStartup);
    ShowText(IDC_TextAlarmFreq, logic_.Alarms().AlarmFreqText());
    ShowText(IDC_TextAlarmRingCount, logic_.Alarms().RingCountText());
}

void Form2Dialog::ShowAppearance()
{
    const Form2Controls& c = logic_.Controls();
    const AppearanceEditor& a = logic_.Appearance();
    ShowText(IDC_LabelSkin, c.labelSkin);
    for (const auto& box : kSwitches)
        ShowCheck(box.id, a.SwitchChecked(box.which));
    EnableWindow(GetDlgItem(window_, IDC_CheckShowBorder), c.showBorderEnabled);
    for (const auto& number : kNumbers)
        ShowText(number.id, a.NumberText(number.which));
    ShowCheck(IDC_OptionChimeBigBen, c.chimeBigBen);
    ShowCheck(IDC_OptionChimeFreq, !c.chimeBigBen);
    ShowVisible(IDC_ImageResetOptions, c.resetPictureShown && !helpShown_);
    if (a.Preview().PixelsVersion() != previewVersion_) {
        previewVersion_ = a.Preview().PixelsVersion();
        InvalidateRect(GetDlgItem(window_, IDC_pClock), nullptr, FALSE);
    }
    ShowSliders();
}

// The knobs where the logic has them, and the percentage over the opacity knob while it moves.
void Form2Dialog::ShowSliders()
{
    const SliderControls& s = logic_.Appearance().Sliders();
    const struct {
        int id;
        double position;
    } knobs[] = {{IDC_ImageOpacity, s.opacityKnobLeft + A::kOpacityKnobWidth / 2 - A::kOpacityTrackLeft},
                 {IDC_ImageVolume, s.volumeKnobTop + A::kVolumeKnobHeight / 2 - A::kVolumeTrackTop}};
    for (const auto& knob : knobs)
        if (SendDlgItemMessageW(window_, knob.id, TBM_GETPOS, 0, 0) != std::lround(knob.position))
            SendDlgItemMessageW(window_, knob.id, TBM_SETPOS, TRUE, std::lround(knob.position));
    ShowText(IDC_LabelOpP, s.percentText);
    if (s.percentShown) {
        HWND slider = GetDlgItem(window_, IDC_ImageOpacity);
        RECT thumb{}, label{};
        SendMessageW(slider, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
        MapWindowPoints(slider, window_, reinterpret_cast<POINT*>(&thumb), 2);
        HWND percent = GetDlgItem(window_, IDC_LabelOpP);
        GetWindowRect(percent, &label);
        MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&label), 2);
        SetWindowPos(percent, nullptr, thumb.left, label.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowVisible(IDC_LabelOpP, s.percentShown && !helpShown_);
}

void Form2Dialog::ShowRows()
{
    for (int row = 0; row < AlarmEditor::kRows; ++row) {
        const AlarmRowControls& values = logic_.Alarms().Row(row);
        ShowText(IDC_TextAlarmDate0 + row, values.date);
        ShowCheck(IDC_CheckActivateAlarm0 + row, values.activate);
        ShowText(IDC_TextAlarmHour0 + row, values.hour);
        ShowText(IDC_TextAlarmMin0 + row, values.minute);
        ShowText(IDC_LabelAlarmAMPM0 + row, values.ampm);
        ShowText(IDC_TextAlarmMessage0 + row, values.message);
        ShowText(IDC_TextAlarmExec0 + row, values.exec);
    }
}

// The help panel covers the two middle areas while it is shown, on the tool-tip colour.
void Form2Dialog::ShowHelp()
{
    const Form2Controls& c = logic_.Controls();
    for (int index : {0, 2, 3, 4})
        ShowText(IDC_TextHelp0 + index, WithoutTrailingBreaks(c.textHelp[index]));
    if (c.helpShown == helpShown_)
        return;
    helpShown_ = c.helpShown;
    for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(child);
        if (IsHelpControl(id) || IsMiddleControl(id))
            ShowWindow(child, IsHelpControl(id) == helpShown_ ? SW_SHOWNA : SW_HIDE);
    }
    InvalidateRect(window_, nullptr, TRUE);
}

void Form2Dialog::ShowText(int id, const std::string& text)
{
    if (TextOf(id) != text)
        SetDlgItemTextW(window_, id, Widen(text).c_str());
}

void Form2Dialog::ShowCheck(int id, bool checked)
{
    if (Checked(id) != checked)
        CheckDlgButton(window_, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

// By the control's own style: IsWindowVisible is false for every control while the window is hidden.
void Form2Dialog::ShowVisible(int id, bool shown)
{
    HWND control = GetDlgItem(window_, id);
    if (((GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0) != shown)
        ShowWindow(control, shown ? SW_SHOWNA : SW_HIDE);
}

std::string Form2Dialog::TextOf(int id) const
{
    HWND control = GetDlgItem(window_, id);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)), L'\0');
    GetWindowTextW(control, text.data(), static_cast<int>(text.size() + 1));
    return Narrow(text);
}

bool Form2Dialog::Checked(int id) const { return IsDlgButtonChecked(window_, id) == BST_CHECKED; }

void Form2Dialog::SelectMinuteText(int row)
{
    if (window_)
        SendDlgItemMessageW(window_, IDC_TextAlarmMin0 + row, EM_SETSEL, 0, kHourMinuteLength);
}

bool Form2Dialog::AskOkCancel(const std::string& text, const std::string& title)
{
    return MessageBoxW(window_, Widen(text).c_str(), Widen(title).c_str(), MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

void Form2Dialog::TellFailure(const std::string& text, const std::string& title)
{
    MessageBoxW(window_, Widen(text).c_str(), Widen(title).c_str(), MB_OK | MB_ICONWARNING);
}

} // namespace dorvane
