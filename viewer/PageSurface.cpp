#include "PageSurface.h"

#include "Badges.h"

#include <QPainter>

namespace {
const QColor kBackground(224, 224, 224);
constexpr double kTwipsPerInch = 1440.0;
}  // namespace

PageSurface::PageSurface(const QSize& size, QWidget* parent)
    : QWidget(parent), canvas_(size, QImage::Format_RGB32), font_(font()) {
    setFixedSize(size);
    canvas_.fill(kBackground);
}

double PageSurface::twipsPerPixel() const { return kTwipsPerInch / logicalDpiX(); }

void PageSurface::drawCurrentPage(QImage& picture) {
    QPainter painter(&canvas_);
    painter.setBackground(kBackground);
    painter.setFont(font_);
    painter.scale(1.0 / twipsPerPixel(), 1.0 / twipsPerPixel());
    painter.translate(-scaleLeft_, -scaleTop_);
    Badges::DrawPage(painter, picture);
    font_ = painter.font();
    painter.end();
    update();
}

void PageSurface::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, canvas_);
}
