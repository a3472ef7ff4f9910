#pragma once

#include "calendar/FormCalendar.h"

#include <QWidget>

#include <array>

class QLabel;
class QPushButton;
class QScrollBar;

namespace dorvane {

// The calendar window: the month and year with their scroll bars, the weekday headings, the 37
// day cells, today's date and the Reset button. It draws what FormCalendar holds and forwards the
// pointer, the buttons and the keys to it; arrow keys move between the day cells and Enter picks
// one, Escape closes. Closing only hides it; showing it or coming back to it starts at today's month.
class FormCalendarView : public QWidget, public CalendarWindow {
public:
    FormCalendarView(ClockState& state, TimeSource& time, AlarmDateField& field);

    FormCalendar& Logic() { return logic_; }

    void CalendarChanged() override;
    void HideCalendar() override { hide(); }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* MakeBars();
    QWidget* MakeGrid();
    QWidget* MakeFootLine();
    bool CellEvent(int cell, QEvent* event);
    bool CellKey(int cell, int key);
    void ShowCell(int cell);
    void FocusTodayOrFirst();

    FormCalendar logic_;
    QLabel* month_ = nullptr; // Label2
    QLabel* year_ = nullptr;  // Label4
    QScrollBar* monthBar_ = nullptr; // HScroll1
    QScrollBar* yearBar_ = nullptr;  // HScroll2
    QPushButton* reset_ = nullptr;   // Command1
    QLabel* todayLine_ = nullptr;    // Label5
    std::array<QLabel*, FormCalendar::kCells> cells_{}; // Label3
};

} // namespace dorvane
