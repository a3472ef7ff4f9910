#pragma once

#include "calendar/win32/FormCalendarDialog.h"
#include "options/OptionsLinks.h"

#include <memory>

namespace dorvane {

class Form2Dialog;

// The calendar of the options window on Windows: made on the first click on a date field, then
// only shown and hidden. It opens beside the options window and writes a picked date into that
// window's date field of row DateEditAlarm. It hides when the options window goes.
class CalendarDialogLink : public CalendarLink, public AlarmDateField {
public:
    CalendarDialogLink(ClockState& state, TimeSource& time);
    ~CalendarDialogLink() override;

    // The options window whose date fields the calendar fills; forgotten when that window goes.
    void Attach(Form2Dialog* options);
    // The calendar window, once it has been made.
    FormCalendarDialog* Window() const { return window_.get(); }

    void ShowCalendar() override;
    void CloseCalendar() override;
    void WriteAlarmDate(int row, const std::string& text) override;

private:
    void PlaceBesideOptions();

    ClockState& state_;
    TimeSource& time_;
    Form2Dialog* options_ = nullptr;
    std::unique_ptr<FormCalendarDialog> window_;
    std::shared_ptr<CalendarDialogLink*> self_; // lets a window that outlives this link know it is gone
};

} // namespace dorvane
