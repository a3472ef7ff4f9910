#pragma once

#include "options/Form2.h"

#include <QWidget>

#include <array>

class QAbstractButton;
class QCheckBox;
class QFrame;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace dorvane {

class AppearanceView;

// The options window: the time line and help button, the "Options" area, the "Alarms && Reminders"
// area with its seven rows and the shared ring fields, and the about area. It draws what Form2
// holds and forwards the user's typing, clicks, double clicks and drops to it. Every control is
// named after its role with its index (TextAlarmHour3). Escape closes the window; closing saves.
class Form2View : public QWidget, public Form2Window {
public:
    // Opens the logic (the window is still hidden then); the caller shows the window.
    Form2View(ClockState& state, Form2Parts parts);

    Form2& Logic() { return logic_; }

    void ControlsChanged() override;
    void SelectMinuteText(int row) override;
    bool AskOkCancel(const std::string& text, const std::string& title) override;
    void TellFailure(const std::string& text, const std::string& title) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct RowWidgets {
        QLineEdit* date = nullptr;
        QCheckBox* activate = nullptr;
        QLineEdit* hour = nullptr;
        QLabel* colon = nullptr;
        QLineEdit* minute = nullptr;
        QPushButton* ampm = nullptr;
        QLineEdit* message = nullptr;
        QLineEdit* exec = nullptr;
    };

    QWidget* MakeTopLine();
    QGroupBox* MakeOptionsArea();
    QGroupBox* MakeAlarmArea();
    void MakeAlarmRow(int row, QGridLayout* grid);
    void ConnectAlarmRow(int row);
    void ChainTabOrder();
    QWidget* MakeRingFields();
    QWidget* MakeAboutArea();
    QFrame* MakeHelpPanel();
    void ShowRows();
    void ShowHelp();
    void PlaceHelpPanel();
    bool RowEvent(int row, QObject* watched, QEvent* event);
    bool ExecDropEvent(int row, QEvent* event);
    static void SelectWhenFocused(QLineEdit* field);

    Form2 logic_;
    QLabel* labelTime_ = nullptr;
    QToolButton* image1_ = nullptr;
    AppearanceView* appearance_ = nullptr;
    QCheckBox* runAtStartup_ = nullptr;
    QGroupBox* optionsArea_ = nullptr;
    std::array<RowWidgets, AlarmEditor::kRows> rows_{};
    QLineEdit* alarmFreq_ = nullptr;
    QLineEdit* ringCount_ = nullptr;
    QLabel* version_ = nullptr;
    QFrame* pictureHelp_ = nullptr;
    std::array<QLabel*, 5> textHelp_{};
};

} // namespace dorvane
