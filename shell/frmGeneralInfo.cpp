#include "frmGeneralInfo.h"

#include <QVBoxLayout>
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
    const QPixmap icon = style()->standardIcon(QStyle::SP_DriveNetIcon).pixmap(64, 64);
    picture->setPixmap(icon.scaled(64, 64, Qt::KeepAspectRatio, Qt::SmoothTransformation));

    // One column, so that the page reads whole in the main window's first-start size.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->addWidget(picture);
    layout->addWidget(makeLabel(this, "Label1", "Vantora™ PC", 20, true));
    layout->addWidget(makeLabel(this, "Label6", "by", 10, false));
    layout->addWidget(makeLabel(this, "Label2", "Kelmion", 16, true));
    layout->addSpacing(8);
    layout->addWidget(makeLabel(this, "Label3", "https://kelmion.example.com/", 10, false));
    layout->addWidget(makeLabel(this, "Label4", "sales@kelmion.example.com", 10, false));
    layout->addWidget(makeLabel(this, "Label5", "support@kelmion.example.com", 10, false));
    layout->addStretch(1);
}
