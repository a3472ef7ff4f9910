#pragma once

#include "calendar/FormCalendarView.h"
#include "options/Form2View.h"
#include "options/OptionsLinks.h"

#include <QObject>
#include <QPointer>

#include <memory>

namespace dorvane {

// The calendar of the options window: made on the first click on a date field, then only shown
// and hidden. It opens beside the options window and writes a picked date into that window's date
// field of row DateEditAlarm. It hides when the options window goes.
class OptionsCalendar : public QObject, public CalendarLink, public AlarmDateField {
public:
    OptionsCalendar(ClockState& state, TimeSource& time);
    ~OptionsCalendar() override;

    // The options window whose date fields the calendar fills.
    void Attach(Form2View* options);
    // The calendar window, once it has been made.
    FormCalendarView* Window() const { return window_.get(); }

    void ShowCalendar() override;
    void CloseCalendar() override;
    void WriteAlarmDate(int row, const std::string& text) override;

private:
    void PlaceBesideOptions();

    ClockState& state_;
    TimeSource& time_;
    QPointer<Form2View> options_;
    std::unique_ptr<FormCalendarView> window_;
};

} // namespace dorvane
