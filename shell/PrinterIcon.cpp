#include "PrinterIcon.h"

#include <QPainter>
#include <QPixmap>

namespace {

QPixmap drawnPrinter(int size)
{
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    const QPen outline(QColor(60, 60, 60), 1.5);
    painter.setPen(outline);
    // The sheet waiting at the back, the body, and the printed sheet coming out at the front.
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(9, 3, 14, 10));
    painter.setBrush(QColor(150, 155, 165));
    painter.drawRoundedRect(QRectF(3, 12, 26, 11), 2, 2);
    painter.setBrush(QColor(90, 200, 90));
    painter.drawEllipse(QRectF(24, 15, 2.5, 2.5));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(8, 19, 16, 10));
    painter.drawLine(QLineF(11, 23, 21, 23));
    painter.drawLine(QLineF(11, 26, 19, 26));
    return picture;
}

}  // namespace

QIcon PrinterIcon()
{
    QIcon drawn;
    for (int size : {16, 24, 32, 48})
        drawn.addPixmap(drawnPrinter(size));
    return QIcon::fromTheme("document-print", drawn);
}
