// Any bytes as a view file, loaded and then drawn page by page onto a small offscreen surface:
// every element, however odd its numbers, must be drawn or skipped without a crash.
#include "Badges.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

constexpr int kPagesDrawn = 3;

QString scratchPath() {
    const char* folder = std::getenv("TMPDIR");
    return QStringLiteral("%1/lorimand-draw-fuzz-%2.lrm")
        .arg(QString::fromLocal8Bit(folder && *folder ? folder : "/tmp"))
        .arg(::getpid());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const QString path = scratchPath();
    std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (!file) return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    Badges::LoadViewFile(path);
    QImage surface(120, 160, QImage::Format_RGB32);
    QImage picture;
    for (int page = 1; page <= std::min(Badges::TotalPages(), kPagesDrawn); ++page) {
        Badges::CurrentPage = static_cast<std::int16_t>(page);
        QPainter painter(&surface);
        painter.setBackground(Qt::gray);
        painter.scale(1.0 / 100, 1.0 / 100);
        painter.translate(200, 200);
        Badges::DrawPage(painter, picture);
    }
    return 0;
}
