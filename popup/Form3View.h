#pragma once

#include "platform/TimeSource.h"
#include "popup/AlarmPopupView.h"
#include "popup/Form3.h"

#include <QImage>
#include <QWidget>

#include <memory>
#include <string>

class QLabel;
class QPlainTextEdit;
class QToolButton;

namespace dorvane {

// The alarm pop-up's window: the alarm's time line, its message, a "Snooze" label that appears
// after a snooze has run out, and the close, reset and snooze pictures. It comes to the front
// without taking the keyboard from whatever the user is typing into.
class Form3View : public QWidget, public AlarmPopupView {
public:
    struct Pictures {
        QImage close, reset, snooze, decoration;
    };

    // The snooze and the timer run on the time time gives.
    Form3View(ClockState& state, PopupLinks links, TimeSource& time, const AlarmPopupRequest& request,
              const Pictures& pictures);

    Form3& Logic() { return logic_; }
    QToolButton* CloseButton() const { return closeButton_; }
    QToolButton* ResetButton() const { return resetButton_; }
    QToolButton* SnoozeButton() const { return snoozeButton_; }

    void ShowAgain() override;
    void Hide() override { hide(); }
    void ShowSnoozeLabel() override;
    void StopTimer() override;
    void Destroy() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void SetUpWindow(const std::string& caption);
    void MakeTexts(const AlarmPopupRequest& request);
    void MakeButtons(const Pictures& pictures);
    void LayOut(QLabel* decoration);
    QToolButton* PictureButton(const QImage& picture, const char* toolTip);

    Form3 logic_;
    TimeSource& time_;
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    QPlainTextEdit* text1_ = nullptr;
    QToolButton* closeButton_ = nullptr;
    QToolButton* resetButton_ = nullptr;
    QToolButton* snoozeButton_ = nullptr;
    int timer1_ = 0;
};

} // namespace dorvane
