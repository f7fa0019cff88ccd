// Loading a long report against bare line reading, and drawing one dense page offscreen.
#include <benchmark/benchmark.h>

#include "Badges.h"
#include "TempDir.h"
#include "ViewerTestSupport.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <fstream>
#include <memory>
#include <string>

namespace {

// A detailed charge report as a practice's half year of charges writes it: about 800,000 elements.
constexpr int kPages = 6800;

const std::string& reportPath() {
    static testsupport::TempDir folder;
    static const std::string path = [] {
        const std::string file = folder.file("report.lrm");
        testsupport::writeFile(file, viewertest::chargeReportText(kPages));
        return file;
    }();
    return path;
}

void BM_ReadLinesWithGetline(benchmark::State& state) {
    const std::string& path = reportPath();
    for (auto _ : state) {
        std::ifstream in(path, std::ios::binary);
        std::string line;
        int lines = 0;
        while (std::getline(in, line)) ++lines;
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(BM_ReadLinesWithGetline)->Unit(benchmark::kMillisecond);

void BM_LoadViewFile(benchmark::State& state) {
    const QString path = QString::fromStdString(reportPath());
    for (auto _ : state) {
        if (!Badges::LoadViewFile(path)) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(Badges::ViewItem.data());
    }
    state.counters["elements"] = static_cast<double>(Badges::ViewItem.size() - 1);
    state.counters["pages"] = Badges::TotalPages();
}
BENCHMARK(BM_LoadViewFile)->Unit(benchmark::kMillisecond);

void ensureApplication() {
    static int argc = 1;
    static char name[] = "bench_viewer";
    static char* argv[] = {name, nullptr};
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static auto application = std::make_unique<QGuiApplication>(argc, argv);
}

// A page of 400 elements: 330 texts of a crowded list, 50 bars and 20 lines.
void BM_DrawDensePage(benchmark::State& state) {
    ensureApplication();
    static testsupport::TempDir folder;
    const std::string file = folder.file("dense.lrm");
    {
        std::ofstream out(file, std::ios::binary);
        out << "LORIMAND10,8.5,11\r\n";
        for (int row = 0; row < 66; ++row) {
            const std::string y = std::to_string(720 + row * 210);
            for (int column = 0; column < 5; ++column)
                out << "1," << 720 + column * 2160 << "," << y << ",2100,210,1,0," << column % 3
                    << ",0,,,0,,Times New Roman,9," << (column == 0) << ",0,,Item " << row << ", column " << column
                    << " of #TotalPaginas\r\n";
            if (row < 50) out << "1,720," << y << ",10800,14,0,2,,,,,12895428,16777215,,,,,15,\r\n";
            if (row < 20) out << "1,720," << y << ",10800,0,0,3,,,,,0,,,,,,15,\r\n";
        }
    }
    if (!Badges::LoadViewFile(QString::fromStdString(file))) state.SkipWithError("load failed");
    Badges::CurrentPage = 1;
    QImage surface(816 + 27, 1056 + 27, QImage::Format_RGB32);
    QImage picture;
    for (auto _ : state) {
        QPainter painter(&surface);
        painter.setBackground(QColor(224, 224, 224));
        painter.scale(1.0 / 15, 1.0 / 15);
        painter.translate(200, 200);
        Badges::DrawPage(painter, picture);
    }
    state.counters["elements"] = static_cast<double>(Badges::ViewItem.size() - 1);
}
BENCHMARK(BM_DrawDensePage)->Unit(benchmark::kMillisecond);

}  // namespace
