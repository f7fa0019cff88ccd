#include "ViewerTestSupport.h"

#include "Badges.h"

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QRegularExpression>

namespace viewertest {

std::string viewFileText(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

QString writeViewFile(const testsupport::TempDir& folder, const std::string& name,
                      std::initializer_list<std::string> lines) {
    const std::string path = folder.file(name);
    testsupport::writeFile(path, viewFileText(lines));
    return QString::fromStdString(path);
}

namespace {

// Fields 1 to 4: page, X, Y and W.
std::string placement(int page, int x, int y, int w) {
    return std::to_string(page) + ',' + std::to_string(x) + ',' + std::to_string(y) + ',' + std::to_string(w) + ',';
}

std::string textElement(int page, int x, int y, int w, int h, int alignment, int size, bool bold,
                        const std::string& text, bool variables = false) {
    return placement(page, x, y, w) + std::to_string(h) + ',' + (variables ? "1" : "") + ",0," +
           std::to_string(alignment) + ",0,,,0,,Times New Roman," + std::to_string(size) + ',' + (bold ? "1" : "0") +
           ",1,," + text + "\r\n";
}

std::string boxElement(int page, int x, int y, int w, const std::string& h, int fill, const std::string& lineWidth) {
    return placement(page, x, y, w) + h + ",0,2,,,,,0," + std::to_string(fill) + ",,,,," + lineWidth + ",\r\n";
}

}  // namespace

std::string chargeReportText(int pages) {
    static const char* const labels[] = {"Patient", "Date of Service", "Evaluation & Managment", "Facility",
                                         "Refer Doctor", "Billing Doctor", "Insurance"};
    constexpr int column = 3504;
    std::string text = "LORIMAND10,8.5,11\r\n";
    for (int page = 1; page <= pages; ++page) {
        text += textElement(page, 720, 720, 1440, 288, 0, 12, true, "Vantora");
        text += textElement(page, 720, 1008, 1440, 288, 0, 12, true, "");
        text += textElement(page, 9360, 720, 1440, 216, 0, 10, false, "Page:");
        const std::string number = " " + std::to_string(page) + " of #TotalPaginas";
        text += textElement(page, 9360, 720, 1440, 216, 2, 10, true, number, true);
        text += textElement(page, 9360, 936, 1440, 216, 0, 10, false, "Date:");
        text += textElement(page, 9360, 936, 1440, 216, 2, 10, true, "12/09/26");
        text += textElement(page, 9360, 1152, 1440, 216, 0, 10, false, "Time:");
        text += textElement(page, 9360, 1152, 1440, 216, 2, 10, true, "20:30:00");
        text += textElement(page, 720, 720, 10080, 288, 1, 14, true, "Charges");
        for (int charge = 0; charge < 4; ++charge) {
            const int y = 2088 + charge * 2736;
            const std::string patient = std::to_string(page * 4 + charge);
            text += boxElement(page, 720, y, 10080, "2520", 16777215, "28.8");
            text += boxElement(page, 720 + column, y, column, "2520", 16777215, "28.8");
            for (int k = 1; k <= 6; ++k) text += boxElement(page, 720, y + 360 * k, column, "7.2", 0, "1.44");
            for (int k = 0; k < 7; ++k) {
                text += textElement(page, 734, y + 360 * k, 2880, 288, 0, 6, false, labels[k]);
                const std::string value = "Patient " + patient + ", value " + std::to_string(k);
                text += textElement(page, 864, y + 360 * k, 3312, 346, 0, 10, false, value);
            }
            text += textElement(page, 734 + column, y, 2880, 288, 0, 6, false, "Diagnosis");
            text += textElement(page, 864 + column, y, 3312, 346, 0, 10, false, "Essential hypertension (401.9)");
            text += textElement(page, 864 + column, y + 360, 3312, 346, 0, 10, false, "Type 2 diabetes (250.00)");
            text += textElement(page, 734 + 2 * column, y, 2880, 288, 0, 6, false, "Procedures");
            text += textElement(page, 864 + 2 * column, y, 3312, 346, 0, 10, false, "Office visit (99213)");
        }
        text += boxElement(page, 720, 15120, 10224, "72", 12895428, "14.4");
    }
    return text;
}

const QColor kSurfaceGrey(224, 224, 224);

QImage renderCurrentPage(QSize pixels, double twipsPerPixel, QPointF origin) {
    ensureApplication();
    QImage image(pixels, QImage::Format_RGB32);
    image.fill(Qt::magenta);  // DrawPage must clear it
    QImage picture;
    QPainter painter(&image);
    painter.setBackground(kSurfaceGrey);
    painter.scale(1.0 / twipsPerPixel, 1.0 / twipsPerPixel);
    painter.translate(-origin);
    Badges::DrawPage(painter, picture);
    return image;
}

int pdfPageCount(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QString text = QString::fromLatin1(file.readAll());
    return static_cast<int>(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![s])"))));
}

void ensureApplication() {
    static int argc = 1;
    static char name[] = "viewer_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* application = new QApplication(argc, argv);
    (void)application;
}

}  // namespace viewertest
