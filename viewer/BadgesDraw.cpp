#include "Badges.h"
#include "BadgesElement.h"

#include <QPainter>

namespace Badges {

void DrawPage(QPainter& surface, QImage& picture) {
    surface.save();
    surface.resetTransform();
    surface.eraseRect(QRect(0, 0, surface.device()->width(), surface.device()->height()));
    surface.restore();
    if (CurrentPage < 1 || CurrentPage > TotalPages()) return;

    surface.save();
    QPen sheetPen(Qt::black, 1, Qt::SolidLine);
    sheetPen.setCosmetic(true);
    surface.setPen(sheetPen);
    surface.setBrush(QBrush(Qt::white, Qt::SolidPattern));
    surface.drawRect(QRectF(0, 0, PageWidth, PageHeight));
    surface.restore();

    DrawPageElements(surface, picture, CurrentPage);
}

}  // namespace Badges
