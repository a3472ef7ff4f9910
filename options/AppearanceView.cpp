#include "options/AppearanceView.h"

#include "clock/window/SurfaceImage.h"
#include "platform/qt/ControlNames.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>
#include <functional>

namespace dorvane {

// A slider's knob: tells its mouse, in twips within itself, and its arrow keys.
class SliderKnob : public QFrame {
public:
    SliderKnob(const QString& objectName, const QString& accessibleName, double twipsPerPixel, QWidget* parent)
        : QFrame(parent), twipsPerPixel_(twipsPerPixel)
    {
        setObjectName(objectName);
        setAccessibleName(accessibleName);
        setFrameShape(QFrame::Panel);
        setFrameShadow(QFrame::Raised);
        setAutoFillBackground(true);
        setBackgroundRole(QPalette::Button);
        setFocusPolicy(Qt::StrongFocus);
        setMouseTracking(true);
    }

    std::function<void(double x, double y)> pressed;
    std::function<void(double x, double y, bool left)> moved;
    std::function<void(bool left)> released;
    std::function<void(int steps)> stepped;

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        setFocus();
        pressed(event->position().x() * twipsPerPixel_, event->position().y() * twipsPerPixel_);
    }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        moved(event->position().x() * twipsPerPixel_, event->position().y() * twipsPerPixel_,
              (event->buttons() & Qt::LeftButton) != 0);
    }
    void mouseReleaseEvent(QMouseEvent* event) override { released(event->button() == Qt::LeftButton); }
    void keyPressEvent(QKeyEvent* event) override
    {
        switch (event->key()) {
        case Qt::Key_Right:
        case Qt::Key_Up: stepped(1); break;
        case Qt::Key_Left:
        case Qt::Key_Down: stepped(-1); break;
        default: QFrame::keyPressEvent(event);
        }
    }

private:
    double twipsPerPixel_;
};

namespace {

QFrame* Track(const char* objectName, QWidget* parent)
{
    auto* track = Named(new QFrame(parent), objectName, "");
    track->setFrameShape(QFrame::Panel);
    track->setFrameShadow(QFrame::Sunken);
    return track;
}

} // namespace

AppearanceView::AppearanceView(Form2& logic, const Screen& screen, QWidget* runAtStartup)
    : logic_(logic), editor_(logic.Appearance()), screen_(screen)
{
    setMouseTracking(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(MakeSkinChooser());
    auto* sliders = new QGridLayout;
    sliders->addWidget(new QLabel("Opacity"), 0, 0);
    sliders->addWidget(MakeOpacitySlider(), 1, 0, Qt::AlignLeft | Qt::AlignTop);
    sliders->addWidget(new QLabel("Volume"), 0, 1);
    sliders->addWidget(MakeVolumeSlider(), 1, 1, Qt::AlignLeft | Qt::AlignTop);
    layout->addLayout(sliders);
    layout->addWidget(MakeSwitches(runAtStartup));
    layout->addWidget(MakeChimeAndTick());
    editor_.SetPreviewSize(kPreviewPixels, kPreviewPixels);
}

int AppearanceView::Pixels(double twips) const
{
    return static_cast<int>(std::lround(twips / screen_.TwipsPerPixelX()));
}

// The arrows either side of the position label, and the preview below.
QWidget* AppearanceView::MakeSkinChooser()
{
    auto* chooser = new QWidget;
    auto* layout = new QGridLayout(chooser);
    layout->setContentsMargins(0, 0, 0, 0);
    const char* arrows[] = {"Previous skin", "Next skin"};
    for (int index : {0, 1}) {
        auto* arrow = Named(new QToolButton, "ImageSkin" + QString::number(index), arrows[index]);
        arrow->setArrowType(index == 0 ? Qt::LeftArrow : Qt::RightArrow);
        arrow->setToolTip(arrows[index]);
        connect(arrow, &QToolButton::clicked, this, [this, index] { editor_.SkinArrowClicked(index); });
        layout->addWidget(arrow, 0, index == 0 ? 1 : 3);
    }
    layout->addWidget(new QLabel("Skin"), 0, 0);
    labelSkin_ = Named(new QLabel, "LabelSkin", "");
    labelSkin_->setAlignment(Qt::AlignCenter);
    layout->addWidget(labelSkin_, 0, 2);
    preview_ = Named(new QLabel, "pClock", "Skin preview");
    preview_->setFixedSize(kPreviewPixels, kPreviewPixels);
    layout->addWidget(preview_, 1, 0, 1, 4, Qt::AlignHCenter);
    return chooser;
}

// The percentage label stands above the track, over the knob's left edge.
QWidget* AppearanceView::MakeOpacitySlider()
{
    using A = AppearanceEditor;
    auto* slider = new QWidget;
    percent_ = Named(new QLabel("100%", slider), "LabelOpP", "");
    const int labelHeight = percent_->sizeHint().height();
    const int knobHeight = Pixels(A::kOpacityKnobHeight);
    slider->setFixedSize(Pixels(A::kOpacityTrackWidth + A::kOpacityKnobWidth) + percent_->sizeHint().width(), labelHeight + knobHeight);
    Track("LabelOpacity", slider)->setGeometry(Pixels(A::kOpacityTrackLeft), labelHeight + knobHeight / 2 - 2, Pixels(A::kOpacityTrackWidth), 4);
    opacityKnob_ = new SliderKnob("ImageOpacity", "Opacity", screen_.TwipsPerPixelX(), slider);
    opacityKnob_->setGeometry(0, labelHeight, Pixels(A::kOpacityKnobWidth), knobHeight);
    opacityKnob_->pressed = [this](double x, double y) { editor_.OpacityKnobPressed(x, y); };
    opacityKnob_->moved = [this](double x, double, bool left) { editor_.OpacityKnobMoved(x, left); };
    opacityKnob_->released = [this](bool) { editor_.OpacityKnobReleased(); };
    opacityKnob_->stepped = [this](int steps) { editor_.OpacityKeyStep(steps); };
    percent_->hide();
    return slider;
}

QWidget* AppearanceView::MakeVolumeSlider()
{
    using A = AppearanceEditor;
    auto* slider = new QWidget;
    slider->setFixedSize(Pixels(A::kVolumeKnobWidth), Pixels(A::kVolumeTrackHeight + A::kVolumeKnobHeight));
    Track("LabelVolume", slider)->setGeometry(Pixels(A::kVolumeKnobWidth) / 2 - 2, Pixels(A::kVolumeTrackTop), 4, Pixels(A::kVolumeTrackHeight));
    volumeKnob_ = new SliderKnob("ImageVolume", "Volume", screen_.TwipsPerPixelY(), slider);
    volumeKnob_->setGeometry(0, 0, Pixels(A::kVolumeKnobWidth), Pixels(A::kVolumeKnobHeight));
    volumeKnob_->pressed = [this](double x, double y) { editor_.VolumeKnobPressed(x, y); };
    volumeKnob_->moved = [this](double, double y, bool left) { editor_.VolumeKnobMoved(y, left); };
    volumeKnob_->released = [this](bool left) { editor_.VolumeKnobReleased(left); };
    volumeKnob_->stepped = [this](int steps) { editor_.VolumeKeyStep(steps); };
    return slider;
}

QCheckBox* AppearanceView::Switch(const char* objectName, const char* caption, OptionSwitch which)
{
    auto* box = Named(new QCheckBox(caption), objectName, QString(caption).trimmed());
    connect(box, &QCheckBox::clicked, this, [this, which](bool checked) { editor_.WriteSwitch(which, checked); });
    switches_.emplace_back(box, which);
    return box;
}

// Start at logon stands among the switches; the reset picture closes them.
QWidget* AppearanceView::MakeSwitches(QWidget* runAtStartup)
{
    auto* switches = new QWidget;
    auto* layout = new QGridLayout(switches);
    layout->setContentsMargins(0, 0, 0, 0);
    QCheckBox* onTop = Switch("CheckOnTop", "Always on Top", OptionSwitch::OnTop);
    onTop->setToolTip("Takes effect the next time Dorvane starts");
    showBorder_ = Switch("CheckShowBorder", "Show Border", OptionSwitch::ShowBorder);
    showBorder_->setToolTip("Only the glass skins have a border");
    layout->addWidget(runAtStartup, 0, 0);
    layout->addWidget(onTop, 0, 1);
    layout->addWidget(Switch("CheckInvisibleClock", "Invisible Clock", OptionSwitch::InvisibleClock), 1, 0);
    layout->addWidget(Switch("CheckShowSeconds", "Show Seconds", OptionSwitch::ShowSeconds), 1, 1);
    layout->addWidget(Switch("CheckComputerSpeaker", "Computer Speaker", OptionSwitch::ComputerSpeaker), 2, 0);
    layout->addWidget(showBorder_, 2, 1);
    reset_ = Named(new QToolButton, "ImageResetOptions", "Reset to Default");
    reset_->setText("Reset");
    reset_->setToolTip("Reset to Default");
    connect(reset_, &QToolButton::clicked, this, [this] { logic_.ResetClicked(); });
    layout->addWidget(reset_, 3, 0);
    return switches;
}

QLineEdit* AppearanceView::NumberField(const char* objectName, const char* role, int maxLength, OptionNumber which)
{
    auto* field = Named(new QLineEdit, objectName, role);
    field->setMaxLength(maxLength);
    field->setFixedWidth(field->fontMetrics().horizontalAdvance(QString(maxLength + 2, '0')) + 8);
    connect(field, &QLineEdit::textEdited, this, [this, which](const QString& text) { editor_.WriteNumber(which, text.toStdString()); });
    numbers_.emplace_back(field, which);
    return field;
}

QWidget* AppearanceView::MakeChimeAndTick()
{
    auto* area = new QWidget;
    auto* layout = new QGridLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Switch("CheckChime", "Chime", OptionSwitch::Chime), 0, 0);
    bigBen_ = Named(new QRadioButton("Big Ben"), "OptionChimeBigBen", "Big Ben");
    freq_ = Named(new QRadioButton("Frequency"), "OptionChimeFreq", "Frequency");
    connect(bigBen_, &QRadioButton::clicked, this, [this] { editor_.SelectChime(true); });
    connect(freq_, &QRadioButton::clicked, this, [this] { editor_.SelectChime(false); });
    layout->addWidget(bigBen_, 0, 1);
    layout->addWidget(freq_, 0, 2);
    layout->addWidget(NumberField("TextChimeFreq", "Chime Frequency", 4, OptionNumber::ChimeFreq), 0, 3);
    layout->addWidget(Switch("CheckChimeRingOnce", "Ring Once", OptionSwitch::ChimeRingOnce), 1, 1);
    layout->addWidget(Switch("CheckTicks", "Tick ", OptionSwitch::Ticks), 2, 0);
    layout->addWidget(new QLabel("Frequency"), 2, 1);
    layout->addWidget(NumberField("TextTicksFreq", "Tick Frequency", 4, OptionNumber::TicksFreq), 2, 2);
    layout->addWidget(new QLabel("Duration"), 3, 1);
    layout->addWidget(NumberField("TextTickDur", "Tick Duration", 3, OptionNumber::TickDur), 3, 2);
    return area;
}

void AppearanceView::Show()
{
    const Form2Controls& c = logic_.Controls();
    labelSkin_->setText(QString::fromStdString(c.labelSkin));
    labelSkin_->setAccessibleName(labelSkin_->text());
    preview_->setPixmap(QPixmap::fromImage(SurfaceImage(editor_.Preview())));
    for (auto [box, which] : switches_) {
        const QSignalBlocker quiet(box);
        box->setChecked(editor_.SwitchChecked(which));
    }
    showBorder_->setEnabled(c.showBorderEnabled);
    for (auto [field, which] : numbers_) {
        const QString shown = QString::fromStdString(editor_.NumberText(which));
        if (field->text() != shown) {
            const QSignalBlocker quiet(field);
            field->setText(shown);
        }
    }
    (c.chimeBigBen ? bigBen_ : freq_)->setChecked(true);
    reset_->setVisible(c.resetPictureShown);
    ShowSliders();
}

void AppearanceView::ShowSliders()
{
    const SliderControls& s = editor_.Sliders();
    opacityKnob_->move(Pixels(s.opacityKnobLeft), opacityKnob_->y());
    volumeKnob_->move(volumeKnob_->x(), Pixels(s.volumeKnobTop));
    percent_->setText(QString::fromStdString(s.percentText));
    percent_->setAccessibleName(percent_->text());
    percent_->adjustSize();
    percent_->move(Pixels(s.percentLeft), 0);
    percent_->setVisible(s.percentShown);
}

void AppearanceView::mouseMoveEvent(QMouseEvent* event)
{
    editor_.BackgroundMouseMoved();
    QWidget::mouseMoveEvent(event);
}

} // namespace dorvane
