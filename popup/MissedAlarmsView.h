#pragma once

#include "clock/tick/AlarmPopups.h"

#include <QWidget>

#include <vector>

class QListWidget;
class QPushButton;

namespace dorvane {

// The "Missed alarms" pop-up: one line per alarm that was found too late to ring, with its time
// and message. One window serves every jump: later missed alarms are added to it while it is open.
// It comes to the front without taking the keyboard.
class MissedAlarmsView : public QWidget {
public:
    MissedAlarmsView();

    void Add(const std::vector<MissedAlarm>& alarms);
    QListWidget* List() const { return list_; }

private:
    QListWidget* list_ = nullptr;
    QPushButton* close_ = nullptr;
};

} // namespace dorvane
