#include "popup/MissedAlarmsView.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace dorvane {
namespace {

// "7:05 AM  Wake up": a daily alarm's line starts with a blank, which the list does without.
QString Line(const MissedAlarm& alarm)
{
    QString label = QString::fromStdString(alarm.label).trimmed();
    return alarm.message.empty() ? label : label + "  " + QString::fromStdString(alarm.message);
}

} // namespace

MissedAlarmsView::MissedAlarmsView()
    : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowCloseButtonHint)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle("Missed alarms");
    setObjectName("MissedAlarms");
    auto* heading = new QLabel("These alarms came due too long ago to ring:");
    list_ = new QListWidget;
    list_->setObjectName("ListMissedAlarms");
    list_->setAccessibleName("Missed alarms");
    list_->setFocusPolicy(Qt::NoFocus);
    list_->setMinimumSize(300, 90);
    close_ = new QPushButton("Close");
    close_->setObjectName("ButtonCloseMissed");
    connect(close_, &QPushButton::clicked, this, &QWidget::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(list_);
    layout->addWidget(close_, 0, Qt::AlignRight);
}

void MissedAlarmsView::Add(const std::vector<MissedAlarm>& alarms)
{
    for (const MissedAlarm& alarm : alarms)
        list_->addItem(Line(alarm));
}

} // namespace dorvane
