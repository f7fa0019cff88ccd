#include <gtest/gtest.h>

#include "Badges.h"
#include "FormPrincipal.h"
#include "PageSurface.h"
#include "ViewerTestSupport.h"

#include <QAction>
#include <QCoreApplication>
#include <QPrinter>
#include <QScrollBar>
#include <QToolBar>

using namespace Badges;
using testsupport::TempDir;

namespace {

// The window with its dialogs scripted: the file to open, the print range, the messages shown.
class ScriptedViewer : public FormPrincipal {
public:
    using FormPrincipal::FormPrincipal;

    QString fileToOpen;  // empty: the open dialog is cancelled
    bool printAccepted = true;
    int printFrom = 0, printTo = 0;  // 0: the whole range
    QString printFile;
    QStringList problems;

protected:
    bool chooseViewFile(QString& path) override {
        path = fileToOpen;
        return !fileToOpen.isEmpty();
    }
    bool choosePrintRange(QPrinter& printer, int& fromPage, int& toPage) override {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printFile);
        if (printFrom > 0) {
            fromPage = printFrom;
            toPage = printTo;
        }
        return printAccepted;
    }
    void showProblem(const QString& text) override { problems << text; }
};

class ViewerWindow : public ::testing::Test {
protected:
    void SetUp() override { viewertest::ensureApplication(); }

    QString document(const std::string& name, int pages) {
        std::string text = "LORIMAND10,8.5,11\r\n";
        for (int page = 1; page <= pages; ++page)
            text += std::to_string(page) + ",720,720,1440,288,,0,0,0,,,0,,Times New Roman,12,0,0,,Page " +
                    std::to_string(page) + "\r\n";
        testsupport::writeFile(folder.file(name), text);
        return QString::fromStdString(folder.file(name));
    }

    static const QImage& surfaceOf(ScriptedViewer& viewer) {
        return viewer.findChild<PageSurface*>(QStringLiteral("PicPagina"))->persistentPicture();
    }

    // Whether the white sheet shows at the surface's (200 twips, 200 twips) point with no scrolling.
    static bool sheetShows(ScriptedViewer& viewer) {
        const QImage& surface = surfaceOf(viewer);
        return surface.pixelColor(surface.width() / 2, surface.height() / 2) == QColor(Qt::white);
    }

    TempDir folder;
};

TEST_F(ViewerWindow, CommandLineWithBlanksOpensThatFileOnPageOne) {
    const QString path = document("two words.lrm", 3);
    ScriptedViewer viewer(path);
    EXPECT_EQ(viewer.windowTitle(), "Preview: " + path);
    EXPECT_EQ(TotalPages(), 3);
    EXPECT_EQ(CurrentPage, 1);
    EXPECT_TRUE(sheetShows(viewer));
}

TEST_F(ViewerWindow, EmptyOrWrongCommandLineShowsAnEmptyGreySurface) {
    for (const QString& commandLine : {QString(), QStringLiteral("\"quoted.lrm\""), QStringLiteral("/no/such/file.lrm")}) {
        ScriptedViewer viewer(commandLine);
        EXPECT_EQ(viewer.windowTitle(), "Preview: " + commandLine);
        const QImage& surface = surfaceOf(viewer);
        EXPECT_EQ(surface.pixelColor(surface.width() / 2, surface.height() / 2), viewertest::kSurfaceGrey);
        EXPECT_EQ(surface.pixelColor(20, 20), viewertest::kSurfaceGrey);
        EXPECT_TRUE(viewer.problems.isEmpty());
    }
}

TEST_F(ViewerWindow, ToolbarOffersFiveButtonsByTag) {
    ScriptedViewer viewer{QString()};
    auto* toolbar = viewer.findChild<QToolBar*>(QStringLiteral("Toolbar3"));
    ASSERT_NE(toolbar, nullptr);
    QStringList tags, texts;
    for (QAction* action : toolbar->actions()) {
        tags << action->data().toString();
        texts << action->text();
    }
    EXPECT_EQ(tags, QStringList({"TAGOPEN", "TAGEXPORT", "TAGPRINT", "TAGPORTRAIT", "TAGLANDSCAPE"}));
    EXPECT_EQ(texts, QStringList({"Open", "Export", "Print", "Portrait", "Landscape"}));
}

TEST_F(ViewerWindow, PagingStopsAtBothEnds) {
    ScriptedViewer viewer(document("three.lrm", 3));
    const QImage pageOne = surfaceOf(viewer);
    viewer.Toolbar3_ButtonClick(QStringLiteral("TAGPORTRAIT"));
    EXPECT_EQ(CurrentPage, 1);
    viewer.Toolbar3_ButtonClick(QStringLiteral("TAGLANDSCAPE"));
    EXPECT_EQ(CurrentPage, 2);
    EXPECT_NE(surfaceOf(viewer), pageOne);
    viewer.Toolbar3_ButtonClick(QStringLiteral("TAGLANDSCAPE"));
    viewer.Toolbar3_ButtonClick(QStringLiteral("TAGLANDSCAPE"));
    EXPECT_EQ(CurrentPage, 3);
    viewer.Toolbar3_ButtonClick(QStringLiteral("TAGEXPORT"));
    EXPECT_EQ(CurrentPage, 3);
    viewer.Toolbar3_ButtonClick(QStringLiteral("TAGPORTRAIT"));
    viewer.Toolbar3_ButtonClick(QStringLiteral("TAGPORTRAIT"));
    EXPECT_EQ(surfaceOf(viewer), pageOne);
}

TEST_F(ViewerWindow, ScrollBarsMoveTheSurfaceOriginAndRedraw) {
    ScriptedViewer viewer(document("scroll.lrm", 1));
    auto* horizontal = viewer.findChild<QScrollBar*>(QStringLiteral("HScroll1"));
    auto* vertical = viewer.findChild<QScrollBar*>(QStringLiteral("VScroll1"));
    auto* surface = viewer.findChild<PageSurface*>(QStringLiteral("PicPagina"));
    EXPECT_EQ(horizontal->maximum(), 12000);
    EXPECT_EQ(vertical->maximum(), 16240);
    EXPECT_EQ(horizontal->singleStep(), 100);
    EXPECT_EQ(horizontal->pageStep(), 1000);
    const int sheetLeft = qRound(200 / surface->twipsPerPixel());
    EXPECT_EQ(surface->persistentPicture().pixelColor(sheetLeft, 300), QColor(Qt::black));

    horizontal->setValue(1000);
    EXPECT_EQ(surface->scaleLeft(), 800);
    EXPECT_EQ(surface->persistentPicture().pixelColor(sheetLeft, 300), QColor(Qt::white));
    vertical->setValue(16240);
    EXPECT_EQ(surface->scaleTop(), 16040);
    // Below the sheet's bottom edge at 15840 twips only grey remains.
    EXPECT_EQ(surface->persistentPicture().pixelColor(sheetLeft, 300), viewertest::kSurfaceGrey);
}

TEST_F(ViewerWindow, OpeningReplacesTheDocumentButNotTheCaption) {
    const QString first = document("first.lrm", 3);
    ScriptedViewer viewer(first);
    viewer.Toolbar3_ButtonClick(QStringLiteral("TAGLANDSCAPE"));
    viewer.fileToOpen = document("second.lrm", 2);
    viewer.Toolbar3_ButtonClick(QStringLiteral("TAGOPEN"));
    EXPECT_EQ(TotalPages(), 2);
    EXPECT_EQ(CurrentPage, 1);
    EXPECT_EQ(viewer.windowTitle(), "Preview: " + first);
    EXPECT_TRUE(viewer.problems.isEmpty());
}

TEST_F(ViewerWindow, FailedOpenTellsThePathAndCancelDoesNothing) {
    ScriptedViewer viewer(document("shown.lrm", 2));
    viewer.Toolbar3_ButtonClick(QStringLiteral("TAGOPEN"));
    EXPECT_TRUE(viewer.problems.isEmpty());
    EXPECT_EQ(TotalPages(), 2);

    viewer.fileToOpen = QString::fromStdString(folder.file("gone.lrm"));
    viewer.Toolbar3_ButtonClick(QStringLiteral("TAGOPEN"));
    EXPECT_EQ(viewer.problems, QStringList({"Problemas al abrir " + viewer.fileToOpen}));

    testsupport::writeFile(folder.file("other.txt"), "not a view file\r\n");
    viewer.fileToOpen = QString::fromStdString(folder.file("other.txt"));
    viewer.Toolbar3_ButtonClick(QStringLiteral("TAGOPEN"));
    EXPECT_EQ(viewer.problems.size(), 1);
    EXPECT_FALSE(sheetShows(viewer));
}

TEST_F(ViewerWindow, PrintSendsTheWholeDocumentOrTheChosenRange) {
    ScriptedViewer viewer(document("print.lrm", 3));
    viewer.printFile = QString::fromStdString(folder.file("all.pdf"));
    viewer.Toolbar3_ButtonClick(QStringLiteral("TAGPRINT"));
    EXPECT_EQ(viewertest::pdfPageCount(viewer.printFile), 3);

    viewer.printFile = QString::fromStdString(folder.file("second.pdf"));
    viewer.printFrom = viewer.printTo = 2;
    viewer.Toolbar3_ButtonClick(QStringLiteral("TAGPRINT"));
    EXPECT_EQ(viewertest::pdfPageCount(viewer.printFile), 1);

    viewer.printFile = QString::fromStdString(folder.file("cancelled.pdf"));
    viewer.printAccepted = false;
    viewer.Toolbar3_ButtonClick(QStringLiteral("TAGPRINT"));
    EXPECT_EQ(viewertest::pdfPageCount(viewer.printFile), -1);
}

// A report cut short by damage or by a bound is told to the user and not shown in part, whether it
// comes on the command line or through the Open button.
TEST_F(ViewerWindow, ReportThatCannotBeReadWholeIsToldAndNotShown) {
    const QString damaged = viewertest::writeViewFile(
        folder, "damaged.lrm",
        {"LORIMAND10,8.5,11", "1,720,720,1440,288,,0,0,0,,,0,,,12,0,0,,Page 1", "2,720,720,1440,288", "2,99999,720"});
    ScriptedViewer viewer(damaged);
    QCoreApplication::processEvents();
    ASSERT_EQ(viewer.problems.size(), 1);
    EXPECT_TRUE(viewer.problems[0].startsWith("Problemas al abrir " + damaged + "\n"))
        << viewer.problems[0].toStdString();
    EXPECT_TRUE(viewer.problems[0].contains("Line 4 ")) << viewer.problems[0].toStdString();
    EXPECT_FALSE(sheetShows(viewer));
    EXPECT_EQ(TotalPages(), 0);

    // Page numbers that go back and forth make a page of every line: one more than the viewer holds.
    std::string pages = "LORIMAND10,8.5,11\r\n";
    for (int line = 0; line <= kMostPages; ++line) pages += line % 2 == 0 ? "1\r\n" : "2\r\n";
    testsupport::writeFile(folder.file("pages.lrm"), pages);
    viewer.fileToOpen = document("good.lrm", 2);
    viewer.Toolbar3_ButtonClick(QStringLiteral("TAGOPEN"));
    ASSERT_TRUE(sheetShows(viewer));
    viewer.fileToOpen = QString::fromStdString(folder.file("pages.lrm"));
    viewer.Toolbar3_ButtonClick(QStringLiteral("TAGOPEN"));
    ASSERT_EQ(viewer.problems.size(), 2);
    EXPECT_TRUE(viewer.problems[1].startsWith("Problemas al abrir " + viewer.fileToOpen + "\n"))
        << viewer.problems[1].toStdString();
    EXPECT_FALSE(sheetShows(viewer));
    EXPECT_EQ(TotalPages(), 0);
}

}  // namespace
