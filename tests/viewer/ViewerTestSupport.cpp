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
