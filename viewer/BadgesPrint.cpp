#include "Badges.h"
#include "BadgesElement.h"

#include <QPainter>
#include <QPrinter>
#include <algorithm>

namespace Badges {

void PrintPages(QPrinter& printer, QImage& picture, int fromPage, int toPage, int copies) {
    if (toPage > TotalPages()) return;
    fromPage = std::max(fromPage, 1);
    copies = std::max(copies, 1);
    if (fromPage > toPage) return;

    printer.setPageOrientation(PageHeight < PageWidth ? QPageLayout::Landscape : QPageLayout::Portrait);
    // A device that cannot make copies itself (a PDF file) gets every copy as sheets of its own.
    const bool deviceCopies = printer.supportsMultipleCopies();
    printer.setCopyCount(deviceCopies ? copies : 1);
    const int runs = deviceCopies ? 1 : copies;

    QPainter surface;
    if (!surface.begin(&printer)) return;
    surface.scale(printer.logicalDpiX() / 1440.0, printer.logicalDpiY() / 1440.0);
    for (int run = 0; run < runs; ++run) {
        for (int page = fromPage; page <= toPage; ++page) {
            if (run > 0 || page > fromPage) printer.newPage();
            DrawPageElements(surface, picture, page);
        }
    }
    surface.end();
}

}  // namespace Badges
