#pragma once

#include "options/Form2.h"
#include "platform/Screen.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QToolButton;

namespace dorvane {

class SliderKnob;

// The "Options" area of the options window: the skin chooser with its preview, the opacity and
// volume sliders, the switches, the chime and tick settings and the reset picture. It draws what
// the window's logic holds and forwards clicks, typing and the knobs' mouse and arrow keys to it;
// the knobs' positions are twips, turned into pixels with the screen's twips per pixel.
class AppearanceView : public QWidget {
public:
    static constexpr int kPreviewPixels = 120;

    AppearanceView(Form2& logic, const Screen& screen, QWidget* runAtStartup);

    // Shows every value of the logic; the window calls it whenever they change.
    void Show();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QWidget* MakeSkinChooser();
    QWidget* MakeOpacitySlider();
    QWidget* MakeVolumeSlider();
    QWidget* MakeSwitches(QWidget* runAtStartup);
    QWidget* MakeChimeAndTick();
    QCheckBox* Switch(const char* objectName, const char* caption, OptionSwitch which);
    QLineEdit* NumberField(const char* objectName, const char* role, int maxLength, OptionNumber which);
    void ShowSliders();
    int Pixels(double twips) const;

    Form2& logic_;
    AppearanceEditor& editor_;
    const Screen& screen_;
    QLabel* labelSkin_ = nullptr;
    QLabel* preview_ = nullptr;
    SliderKnob* opacityKnob_ = nullptr;
    QLabel* percent_ = nullptr;
    SliderKnob* volumeKnob_ = nullptr;
    std::vector<std::pair<QCheckBox*, OptionSwitch>> switches_;
    std::vector<std::pair<QLineEdit*, OptionNumber>> numbers_;
    QCheckBox* showBorder_ = nullptr;
    QRadioButton* bigBen_ = nullptr;
    QRadioButton* freq_ = nullptr;
    QToolButton* reset_ = nullptr;
};

} // namespace dorvane
