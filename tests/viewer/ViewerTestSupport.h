#pragma once
#include <QColor>
#include <QImage>
#include <QPointF>
#include <QString>
#include <initializer_list>
#include <string>

#include "TempDir.h"

namespace viewertest {

// Lines joined with CR LF, the way the desktop program writes view files.
std::string viewFileText(std::initializer_list<std::string> lines);

// Writes the lines as a view file named name into folder and returns its path.
QString writeViewFile(const testsupport::TempDir& folder, const std::string& name,
                      std::initializer_list<std::string> lines);

// A view file as the detailed charge report writes it: per page a header with the page number
// " n of #TotalPaginas", four framed charges and the closing bar, 118 elements.
std::string chargeReportText(int pages);
constexpr int kChargeReportElementsPerPage = 118;

// Page CurrentPage drawn by DrawPage onto an image of the given pixels with a grey background, at
// twipsPerPixel, with the twips point origin at the top-left corner of the image.
QImage renderCurrentPage(QSize pixels, double twipsPerPixel, QPointF origin = QPointF(0, 0));
extern const QColor kSurfaceGrey;

// Number of pages in a PDF file written by the printer; -1 when there is no file.
int pdfPageCount(const QString& path);

// The one application object that fonts, images and widgets need; created on first use.
void ensureApplication();

}  // namespace viewertest
