#include "frmBanner.h"

#include "Twips.h"

#include <QColor>
#include <QPalette>
#include <QResizeEvent>

namespace {

constexpr int kStepTwips = 5;
constexpr int kTicksPerColour = 10;

}  // namespace

frmBanner::frmBanner(QWidget* parent) : QWidget(parent)
{
    setObjectName("frmBanner");
    setAutoFillBackground(true);
    QPalette strip = palette();
    strip.setColor(QPalette::Window, QColor(255, 255, 225));
    setPalette(strip);

    label_ = new QLabel("Vantora by Kelmion, the fastest way to recover your money.", this);
    label_->setObjectName("Label1");
    QFont font = label_->font();
    font.setBold(true);
    font.setPointSize(12);
    label_->setFont(font);
    label_->adjustSize();
    SetLabelLeft(0);

    timer_ = new QTimer(this);
    timer_->setObjectName("Timer1");
    timer_->setInterval(250);
    connect(timer_, &QTimer::timeout, this, &frmBanner::Tick);
    timer_->start();
}

void frmBanner::SetLabelLeft(double twips)
{
    labelLeft_ = twips;
    label_->move(TwipsToPixels(labelLeft_), qMax(0, (height() - label_->height()) / 2));
}

void frmBanner::Tick()
{
    const double labelWidth = PixelsToTwips(label_->width());
    if (labelLeft_ + labelWidth - kStepTwips >= 0)
        SetLabelLeft(labelLeft_ - kStepTwips);
    else
        SetLabelLeft(PixelsToTwips(width()));

    ++tickCount_;
    if (tickCount_ > kTicksPerColour) {
        colourStep_ = qint16(colourStep_ % 3 + 1);
        static const QColor colours[] = {QColor(128, 0, 0), QColor(0, 128, 0), QColor(0, 0, 128)};
        QPalette text = label_->palette();
        text.setColor(QPalette::WindowText, colours[colourStep_ - 1]);
        label_->setPalette(text);
        tickCount_ = 0;
    }
}

void frmBanner::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    SetLabelLeft(labelLeft_);
}
