#include "popup/Form3View.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTimerEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace dorvane {
namespace {

constexpr int kTimer1Milliseconds = 1000;
constexpr int kButtonSize = 19;

// Its own colours, so that the pop-up reads the same on light and dark desktop themes.
QPalette PopupPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(246, 247, 249));
    palette.setColor(QPalette::WindowText, QColor(30, 34, 40));
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, QColor(30, 34, 40));
    palette.setColor(QPalette::Button, QColor(232, 235, 240));
    palette.setColor(QPalette::ButtonText, QColor(30, 34, 40));
    palette.setColor(QPalette::ToolTipBase, QColor(255, 255, 225));
    palette.setColor(QPalette::ToolTipText, Qt::black);
    return palette;
}

// The alarm picture at the pop-up's left, at the top.
QLabel* DecorationLabel(const QImage& picture)
{
    auto* decoration = new QLabel;
    decoration->setPixmap(QPixmap::fromImage(picture));
    decoration->setAlignment(Qt::AlignTop);
    return decoration;
}

} // namespace

Form3View::Form3View(ClockState& state, PopupLinks links, TimeSource& time, const AlarmPopupRequest& request,
                     const Pictures& pictures)
    : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowCloseButtonHint),
      logic_(state, links, *this, request), time_(time)
{
    SetUpWindow(request.caption);
    MakeTexts(request);
    MakeButtons(pictures);
    LayOut(DecorationLabel(pictures.decoration));
    timer1_ = startTimer(kTimer1Milliseconds);
}

void Form3View::SetUpWindow(const std::string& caption)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setPalette(PopupPalette());
    setAutoFillBackground(true);
    setWindowTitle(QString::fromStdString(caption));
}

// The alarm's time line, the "Snooze" label (hidden until a snooze has run out) and the message.
void Form3View::MakeTexts(const AlarmPopupRequest& request)
{
    label1_ = new QLabel(QString::fromStdString(request.label));
    label1_->setFont(QFont("Arial", 11));
    label2_ = new QLabel("Snooze");
    label2_->setFont(QFont("Arial", 11, QFont::Bold));
    label2_->setStyleSheet("color: #b3261e");
    label2_->hide();
    text1_ = new QPlainTextEdit(QString::fromStdString(request.message));
    text1_->setReadOnly(true);
    text1_->setFont(QFont("Arial", 11));
    text1_->setFocusPolicy(Qt::NoFocus);
    text1_->setMinimumSize(240, 70);
}

void Form3View::MakeButtons(const Pictures& pictures)
{
    closeButton_ = PictureButton(pictures.close, "Close");
    resetButton_ = PictureButton(pictures.reset, "Reset - Stop and Clear this Alarm Data");
    snoozeButton_ = PictureButton(pictures.snooze, "Snooze");
    connect(closeButton_, &QToolButton::clicked, this, [this] { logic_.CloseClicked(); });
    connect(resetButton_, &QToolButton::clicked, this, [this] { logic_.ResetClicked(); });
    connect(snoozeButton_, &QToolButton::clicked, this, [this] { logic_.SnoozeClicked(time_.Now(), time_.MonotonicSeconds()); });
}

// The decoration at the left; at the right the time line and the label above the message, and the
// buttons below it, to the right.
void Form3View::LayOut(QLabel* decoration)
{
    auto* header = new QHBoxLayout;
    header->addWidget(label1_);
    header->addStretch();
    header->addWidget(label2_);
    auto* picture1 = new QHBoxLayout;
    picture1->addStretch();
    for (QToolButton* button : {snoozeButton_, resetButton_, closeButton_})
        picture1->addWidget(button);
    auto* column = new QVBoxLayout;
    column->addLayout(header);
    column->addWidget(text1_);
    column->addLayout(picture1);
    auto* whole = new QHBoxLayout(this);
    whole->addWidget(decoration);
    whole->addLayout(column);
}

QToolButton* Form3View::PictureButton(const QImage& picture, const char* toolTip)
{
    auto* button = new QToolButton;
    button->setIcon(QIcon(QPixmap::fromImage(picture)));
    button->setIconSize(QSize(kButtonSize, kButtonSize));
    button->setAutoRaise(true);
    button->setToolTip(toolTip);
    button->setFocusPolicy(Qt::NoFocus);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

void Form3View::ShowAgain()
{
    show();
    raise();
}

void Form3View::ShowSnoozeLabel() { label2_->show(); }

void Form3View::StopTimer()
{
    if (timer1_) {
        killTimer(timer1_);
        timer1_ = 0;
    }
}

void Form3View::Destroy()
{
    hide();
    deleteLater();
}

void Form3View::closeEvent(QCloseEvent* event)
{
    logic_.Close();
    event->accept();
}

void Form3View::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == timer1_)
        logic_.TimerFired(time_.Now(), time_.MonotonicSeconds());
}

} // namespace dorvane
