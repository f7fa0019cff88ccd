#include <gtest/gtest.h>

#include "Badges.h"
#include "BadgesElement.h"
#include "ViewerTestSupport.h"

#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QRegularExpression>

using namespace Badges;
using testsupport::TempDir;
using viewertest::pdfPageCount;

namespace {

class PagePrinting : public ::testing::Test {
protected:
    void SetUp() override { viewertest::ensureApplication(); }

    // A document of the given page count, one text per page.
    void load(int pages, const std::string& header = "LORIMAND10,8.5,11") {
        std::string text = header + "\r\n";
        for (int page = 1; page <= pages; ++page)
            text += std::to_string(page) + ",720,720,4000,288,1,0,0,0,,,0,,Times New Roman,12,0,0,,Page " +
                    std::to_string(page) + " of #TotalPaginas\r\n";
        testsupport::writeFile(folder.file("doc.lrm"), text);
        ASSERT_TRUE(LoadViewFile(QString::fromStdString(folder.file("doc.lrm"))));
    }

    // Prints into a PDF file and returns its path.
    QString print(int fromPage, int toPage, int copies = 1) {
        const QString path = QString::fromStdString(folder.file("out" + std::to_string(++prints) + ".pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        QImage picture;
        PrintPages(printer, picture, fromPage, toPage, copies);
        return path;
    }

    // Width and height of the first page's media box, in points.
    static QSizeF mediaBox(const QString& path) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) return {};
        const auto match = QRegularExpression(QStringLiteral("/MediaBox \\[\\s*0 0 ([0-9.]+) ([0-9.]+)"))
                               .match(QString::fromLatin1(file.readAll()));
        return match.hasMatch() ? QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble()) : QSizeF();
    }

    TempDir folder;
    int prints = 0;
};

TEST_F(PagePrinting, RangePrintsOneSheetPerPage) {
    load(4);
    EXPECT_EQ(pdfPageCount(print(2, 4)), 3);
    EXPECT_EQ(pdfPageCount(print(1, 4)), 4);
    EXPECT_EQ(pdfPageCount(print(3, 3)), 1);
}

TEST_F(PagePrinting, RangeBeyondTheDocumentPrintsNothing) {
    load(4);
    EXPECT_EQ(pdfPageCount(print(2, 5)), -1);
    load(0);
    EXPECT_EQ(pdfPageCount(print(1, 1)), -1);
    EXPECT_EQ(pdfPageCount(print(1, 0)), -1);
}

TEST_F(PagePrinting, CopiesRepeatTheRange) {
    load(3);
    EXPECT_EQ(pdfPageCount(print(1, 2, 3)), 6);
}

TEST_F(PagePrinting, WidePageIsPrintedInLandscape) {
    load(1, "LORIMAND10,11,8.2");
    const QSizeF wide = mediaBox(print(1, 1));
    EXPECT_GT(wide.width(), wide.height());
    load(1, "LORIMAND10,8.5,11");
    const QSizeF tall = mediaBox(print(1, 1));
    EXPECT_LT(tall.width(), tall.height());
}

TEST_F(PagePrinting, PrintedPagesCarryTheirElements) {
    load(2);
    const QString blankPath = QString::fromStdString(folder.file("blank.lrm"));
    const QString first = print(1, 1);
    testsupport::writeFile(blankPath.toStdString(), "LORIMAND10,8.5,11\r\n1,0,0,0,0,,9,,,,,,,,,,,,\r\n");
    ASSERT_TRUE(LoadViewFile(blankPath));
    const QString blank = print(1, 1);
    // The text's page holds a font and a longer content stream than an empty sheet.
    EXPECT_GT(QFileInfo(first).size(), QFileInfo(blank).size() + 1000);
}

// A report of 100,000 elements, as some three weeks of detailed charges write, loads and
// prints whole, with the right total in the page number of its last page.
TEST_F(PagePrinting, LargeReportLoadsAndPrintsEveryPage) {
    const int pages = 100000 / viewertest::kChargeReportElementsPerPage + 1;
    testsupport::writeFile(folder.file("large.lrm"), viewertest::chargeReportText(pages));
    ASSERT_TRUE(LoadViewFile(QString::fromStdString(folder.file("large.lrm"))));
    ASSERT_EQ(TotalPages(), pages);
    EXPECT_EQ(ViewPage[pages].lastItem, pages * viewertest::kChargeReportElementsPerPage);
    QStringList lastPageNumbers;
    for (int item = ViewPage[pages].firstItem; item <= ViewPage[pages].lastItem; ++item) {
        if (ViewItem[item].variables == 1) lastPageNumbers << SubstituteVariables(ItemText(ViewItem[item]));
    }
    const QString total = QString::number(pages);
    EXPECT_EQ(lastPageNumbers, QStringList({total + " of " + total}));
    EXPECT_EQ(pdfPageCount(print(1, pages)), pages);
}

}  // namespace
