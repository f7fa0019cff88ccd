#include "frmGeneralInfo.h"

#include <QGridLayout>
#include <QLabel>
#include <QStyle>

namespace {

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, int pointSize, bool bold)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    QFont font = label->font();
    if (pointSize > 0)
        font.setPointSize(pointSize);
    font.setBold(bold);
    label->setFont(font);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

frmGeneralInfo::frmGeneralInfo(QWidget* parent) : QWidget(parent)
{
    setObjectName("frmGeneralInfo");
    setWindowTitle("Vantora");
    setAutoFillBackground(true);
    QPalette page = palette();
    page.setColor(QPalette::Window, Qt::white);
    setPalette(page);

    auto* picture = new QLabel(this);
    picture->setObjectName("Picture1");
    picture->setPixmap(style()->standardIcon(QStyle::SP_DriveNetIcon).pixmap(96, 96));

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(40, 40, 40, 40);
    layout->addWidget(picture, 0, 0, 4, 1, Qt::AlignTop);
    layout->addWidget(makeLabel(this, "Label1", "Vantora™ PC", 28, true), 0, 1);
    layout->addWidget(makeLabel(this, "Label6", "by", 12, false), 1, 1);
    layout->addWidget(makeLabel(this, "Label2", "Kelmion", 20, true), 2, 1);
    layout->addWidget(makeLabel(this, "Label3", "https://kelmion.example.com/", 11, false), 3, 1);
    layout->addWidget(makeLabel(this, "Label4", "Sales: sales@kelmion.example.com", 11, false), 4, 1);
    layout->addWidget(makeLabel(this, "Label5", "Support: support@kelmion.example.com", 11, false), 5, 1);
    layout->setColumnStretch(2, 1);
    layout->setRowStretch(6, 1);
}
