#include "frmSplash.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QShowEvent>
#include <QStyle>

namespace {

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, int pointSizeIncrease, bool bold)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    QFont font = label->font();
    font.setPointSize(font.pointSize() + pointSizeIncrease);
    font.setBold(bold);
    label->setFont(font);
    return label;
}

}  // namespace

frmSplash::frmSplash(QWidget* parent) : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName("frmSplash");

    auto* frame = new QFrame(this);
    frame->setObjectName("Frame1");
    frame->setFrameShape(QFrame::Box);
    auto* picLogo = new QLabel(frame);
    picLogo->setObjectName("picLogo");
    const QPixmap logo = style()->standardIcon(QStyle::SP_DriveNetIcon).pixmap(64, 64);
    picLogo->setPixmap(logo.scaled(64, 64, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    auto* warning = makeLabel(frame, "lblWarning",
                              "Warning: this program is protected by copyright law. Copying or distributing it, "
                              "or any part of it, without permission may bring civil and criminal penalties.",
                              -1, false);
    warning->setWordWrap(true);

    auto* layout = new QGridLayout(frame);
    layout->addWidget(picLogo, 0, 0, 4, 1, Qt::AlignTop);
    layout->addWidget(makeLabel(frame, "Label1", "SETUP", 0, true), 0, 1, Qt::AlignRight);
    layout->addWidget(makeLabel(frame, "lblCompanyProduct", "Kelmion", 4, true), 1, 1);
    layout->addWidget(makeLabel(frame, "lblProductName", "Vantora", 16, true), 2, 1);
    layout->addWidget(makeLabel(frame, "lblPlatform", "Windows®/Access® V1.0", 4, true), 3, 1, Qt::AlignRight);
    layout->addWidget(warning, 4, 0, 1, 2);
    layout->setColumnStretch(1, 1);

    auto* outer = new QGridLayout(this);
    outer->addWidget(frame);
    resize(520, 300);

    timer_ = new QTimer(this);
    timer_->setObjectName("Timer1");
    timer_->setInterval(2000);
    connect(timer_, &QTimer::timeout, this, [this] {
        timer_->stop();
        accept();
    });
}

void frmSplash::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        timer_->start();
}
