#include <gtest/gtest.h>

#include "Badges.h"
#include "BadgesElement.h"
#include "ViewerTestSupport.h"

#include <QImage>

using namespace Badges;
using testsupport::TempDir;
using viewertest::renderCurrentPage;

namespace {

bool isDark(QRgb pixel) { return qGray(pixel) < 128; }

// Leftmost and rightmost column holding a dark pixel, or (-1, -1). Areas keep clear of the sheet's
// outline along the top and left edges.
std::pair<int, int> darkColumns(const QImage& image, const QRect& area) {
    int left = -1, right = -1;
    for (int x = area.left(); x <= area.right(); ++x) {
        for (int y = area.top(); y <= area.bottom(); ++y) {
            if (!isDark(image.pixel(x, y))) continue;
            if (left < 0) left = x;
            right = x;
            break;
        }
    }
    return {left, right};
}

// Pixels of colour along row y from x on, or along column x from y on when down.
int runLength(const QImage& image, int x, int y, QColor colour, bool down = false) {
    int length = 0;
    while (x < image.width() && y < image.height() && image.pixelColor(x, y) == colour) {
        ++length;
        (down ? y : x) += 1;
    }
    return length;
}

class PageDrawing : public ::testing::Test {
protected:
    void SetUp() override { viewertest::ensureApplication(); }

    // Loads a document of an 8.5 by 11 inch page made of the given element lines; shows page 1.
    void load(std::initializer_list<std::string> elements, const std::string& header = "LORIMAND10,8.5,11") {
        std::string text = header + "\r\n";
        for (const std::string& line : elements) text += line + "\r\n";
        testsupport::writeFile(folder.file("page.lrm"), text);
        ASSERT_TRUE(LoadViewFile(QString::fromStdString(folder.file("page.lrm"))));
        CurrentPage = 1;
    }

    static std::string text(int x, int y, int w, int h, int alignment, const std::string& value,
                            const std::string& font = "Times New Roman", int size = 12, int variables = 0) {
        return "1," + std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(w) + "," + std::to_string(h) +
               "," + std::to_string(variables) + ",0," + std::to_string(alignment) + ",0,,,0,," + font + "," +
               std::to_string(size) + ",0,0,," + value;
    }

    static std::string box(int x, int y, int w, int h, int lineWidth) {
        return "1," + std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(w) + "," + std::to_string(h) +
               ",0,2,,,,,0,16777215,,,,," + std::to_string(lineWidth) + ",";
    }

    TempDir folder;
};

TEST_F(PageDrawing, EmptyDocumentLeavesTheSurfaceClearWithoutASheet) {
    load({});
    const QImage image = renderCurrentPage(QSize(200, 200), 15);
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7) ASSERT_EQ(image.pixelColor(x, y), viewertest::kSurfaceGrey);
}

TEST_F(PageDrawing, PageBeyondTheDocumentDrawsNothing) {
    load({box(0, 0, 1000, 1000, 15)});
    CurrentPage = 2;
    const QImage image = renderCurrentPage(QSize(100, 100), 15);
    EXPECT_EQ(image.pixelColor(50, 50), viewertest::kSurfaceGrey);
    EXPECT_EQ(image.pixelColor(0, 0), viewertest::kSurfaceGrey);
}

TEST_F(PageDrawing, SheetIsAWhitePageOutlinedInBlackOnTheGreySurface) {
    load({"1,0,0,0,0,,9,,,,,,,,,,,,"});
    // 10 twips to the pixel, 200 twips of margin: the sheet spans pixels 20 to 1244 across.
    const QImage image = renderCurrentPage(QSize(1300, 1650), 10, QPointF(-200, -200));
    EXPECT_EQ(image.pixelColor(19, 500), viewertest::kSurfaceGrey);
    EXPECT_EQ(image.pixelColor(20, 500), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(21, 500), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(1243, 500), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(1244, 500), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(1245, 500), viewertest::kSurfaceGrey);
    EXPECT_EQ(image.pixelColor(500, 20), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(500, 1604), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(500, 1605), viewertest::kSurfaceGrey);
}

TEST_F(PageDrawing, RightAlignedTextEndsAtItsBoxRightEdgeWhateverItsLength) {
    for (const std::string value : {"M", "A much longer right aligned line HM"}) {
        load({text(9360, 1440, 1440, 288, 2, value)});
        const QImage image = renderCurrentPage(QSize(816, 200), 15);
        const auto [left, right] = darkColumns(image, QRect(2, 90, 800, 30));
        EXPECT_GE(right, 717) << value;  // 10800 twips is pixel 720
        EXPECT_LE(right, 720) << value;
        EXPECT_LT(left, right) << value;
    }
}

TEST_F(PageDrawing, TextStartingOutsideTheSurfaceStillShowsItsVisiblePart) {
    load({text(9360, 1440, 1440, 288, 2, "A much longer right aligned line HM")});
    // The surface shows the page from 9000 twips across: the text begins left of it.
    const QImage image = renderCurrentPage(QSize(200, 200), 15, QPointF(9000, 0));
    const auto [left, right] = darkColumns(image, QRect(0, 90, 200, 30));
    EXPECT_EQ(left, 0);
    EXPECT_NEAR(right, 120, 3);  // 10800 twips
}

TEST_F(PageDrawing, LeftAndCentredTextsArePlacedInTheirBox) {
    load({text(1500, 1440, 3000, 288, 0, "MMMM"), text(1500, 2880, 3000, 288, 1, "MMMM")});
    const QImage image = renderCurrentPage(QSize(816, 300), 15);
    const auto [leftStart, leftEnd] = darkColumns(image, QRect(2, 90, 800, 30));
    const auto [centreStart, centreEnd] = darkColumns(image, QRect(2, 186, 800, 30));
    EXPECT_NEAR(leftStart, 100, 2);
    EXPECT_EQ(leftEnd - leftStart, centreEnd - centreStart);
    EXPECT_NEAR((centreStart + centreEnd) / 2.0, 200, 2);  // the box's middle: 3000 twips
}

TEST_F(PageDrawing, GrowAndShrinkFitTheTextToTheBoxWidth) {
    load({"1,1500,1440,6000,288,,0,0,0,1,0,0,,Times New Roman,8,0,0,,HMH",
          "1,1500,5760,1500,288,,0,0,0,0,1,0,,Times New Roman,30,0,0,,HMHMHMHMHM"});
    const QImage image = renderCurrentPage(QSize(816, 500), 15);
    const auto [grownStart, grownEnd] = darkColumns(image, QRect(2, 60, 800, 200));
    // 6000 twips of advance from pixel 100; the ink stops short by the side bearings.
    EXPECT_GE(grownStart, 100);
    EXPECT_LE(grownEnd, 500);
    EXPECT_GE(grownEnd - grownStart, 380);
    const auto [shrunkStart, shrunkEnd] = darkColumns(image, QRect(2, 380, 800, 60));
    EXPECT_NEAR(shrunkEnd - shrunkStart, 100, 4);  // 1500 twips
}

TEST_F(PageDrawing, BoxOutlineIsTheLineWidthInWholePixelsAtLeastOne) {
    for (const auto& [lineWidth, pixels] : {std::pair{14, 1}, {29, 2}, {0, 1}, {75, 5}}) {
        load({box(1500, 1500, 3000, 3000, lineWidth)});
        const QImage image = renderCurrentPage(QSize(400, 400), 15);
        // The box spans pixels 100 to 300; count the outline from the grey-white sheet inward.
        int x = 90;
        while (!isDark(image.pixel(x, 200))) ++x;
        EXPECT_EQ(runLength(image, x, 200, Qt::black), pixels) << lineWidth;
        EXPECT_NEAR(x, 100, pixels) << lineWidth;
    }
}

TEST_F(PageDrawing, BoxIsPlacedByCornerAndSizeNotByTwoCorners) {
    load({"1,720,15120,10224,72,0,2,,,,,12895428,12895428,,,,,14.4,"});
    const QImage image = renderCurrentPage(QSize(816, 1056), 15);
    const QColor bar(196, 196, 196);
    EXPECT_EQ(image.pixelColor(48, 1010), bar);
    EXPECT_EQ(image.pixelColor(728, 1010), bar);
    EXPECT_EQ(image.pixelColor(400, 1000), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(400, 1020), QColor(Qt::white));
}

TEST_F(PageDrawing, LineRunsFromItsStartByItsExtent) {
    load({"1,1500,1500,3000,0,0,3,,,,,255,,,,,,30,"});
    const QImage image = renderCurrentPage(QSize(400, 400), 15);
    int y = 90;
    while (image.pixelColor(200, y) != QColor(Qt::red) && y < 110) ++y;
    EXPECT_EQ(runLength(image, 200, y, Qt::red, true), 2);
    EXPECT_NEAR(y, 100, 1);
    EXPECT_EQ(image.pixelColor(150, 100).red(), 255);
    EXPECT_EQ(image.pixelColor(320, 100), QColor(Qt::white));
}

TEST_F(PageDrawing, PictureKeepsItsProportionsInsideItsBox) {
    QImage source(200, 100, QImage::Format_RGB32);
    source.fill(Qt::blue);
    const std::string picturePath = folder.file("wide.png");
    ASSERT_TRUE(source.save(QString::fromStdString(picturePath)));
    for (const auto& [alignment, top] : {std::pair{0, 1000}, {1, 1250}, {2, 1500}}) {
        load({"1,1000,1000,1000,1000,0,1,0," + std::to_string(alignment) + ",,,,,,,,,," + picturePath});
        const QImage image = renderCurrentPage(QSize(2200, 2200), 1);
        const QColor blue(Qt::blue);
        EXPECT_EQ(image.pixelColor(1000, top), blue) << alignment;
        EXPECT_EQ(image.pixelColor(1999, top + 499), blue) << alignment;
        EXPECT_NE(image.pixelColor(1000, top - 1), blue) << alignment;
        EXPECT_NE(image.pixelColor(1999, top + 500), blue) << alignment;
        EXPECT_NE(image.pixelColor(2000, top + 200), blue) << alignment;
    }
}

TEST_F(PageDrawing, MissingOrUnreadablePictureDrawsNothingAndTheNextElementStillDraws) {
    testsupport::writeFile(folder.file("broken.png"), "not an image");
    load({"1,0,0,1000,1000,0,1,0,0,,,,,,,,,," + folder.file("absent.png"),
          "1,0,0,1000,1000,0,1,0,0,,,,,,,,,," + folder.file("broken.png"),
          "1,0,0,1000,1000,0,1,0,0,,,,,,,,,," + folder.path().string(), box(1500, 1500, 3000, 3000, 15)});
    const QImage image = renderCurrentPage(QSize(400, 400), 15);
    EXPECT_EQ(image.pixelColor(30, 30), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(100, 200), QColor(Qt::black));
}

TEST_F(PageDrawing, VariablesAreSubstitutedOnlyWhenAskedFor) {
    const std::string filler = "2,0,0,0,0,,9,,,,,,,,,,,,";
    load({text(1440, 1440, 4000, 288, 0, " 1 of #TotalPaginas", "Times New Roman", 12, 1), filler,
          "3,0,0,0,0,,9,,,,,,,,,,,,"});
    const QImage substituted = renderCurrentPage(QSize(400, 200), 15);
    load({text(1440, 1440, 4000, 288, 0, "1 of 3"), filler, "3,0,0,0,0,,9,,,,,,,,,,,,"});
    EXPECT_EQ(substituted, renderCurrentPage(QSize(400, 200), 15));
    load({text(1440, 1440, 4000, 288, 0, "1 of #TotalPaginas"), filler, "3,0,0,0,0,,9,,,,,,,,,,,,"});
    EXPECT_NE(substituted, renderCurrentPage(QSize(400, 200), 15));
}

TEST_F(PageDrawing, SubstitutionDropsEveryHashAndReplacesOnlyExactNames) {
    load({"1", "2", "3", "4", "5"});
    EXPECT_EQ(SubstituteVariables("2 of #TotalPaginas"), "2 of 5");
    EXPECT_EQ(SubstituteVariables("a#b"), "ab");
    EXPECT_EQ(SubstituteVariables("end#"), "end");
    EXPECT_EQ(SubstituteVariables("#totalpaginas#"), "totalpaginas");
    EXPECT_EQ(SubstituteVariables("#TotalPaginas# pages"), "5 pages");
}

TEST_F(PageDrawing, UnknownKindsDrawNothingAndLeaveOtherElementsAlone) {
    load({box(1500, 1500, 3000, 3000, 15)});
    const QImage boxOnly = renderCurrentPage(QSize(400, 400), 15);
    load({"1,0,0,6000,6000,0,7,,,,,0,0,,,,,15,", box(1500, 1500, 3000, 3000, 15),
          "1,0,0,6000,6000,0,-1,,,,,0,0,,,,,15,"});
    EXPECT_EQ(boxOnly, renderCurrentPage(QSize(400, 400), 15));
}

TEST_F(PageDrawing, UnknownTypefaceKeepsThePreviousOne) {
    const std::string first = text(1440, 1440, 4000, 288, 0, "Serif", "Liberation Serif", 14);
    load({first, text(1440, 2880, 4000, 288, 0, "Typeface", "No Such Typeface", 14)});
    const QImage unknownName = renderCurrentPage(QSize(400, 300), 15);
    load({first, text(1440, 2880, 4000, 288, 0, "Typeface", "", 14)});
    EXPECT_EQ(unknownName, renderCurrentPage(QSize(400, 300), 15));
    load({first, text(1440, 2880, 4000, 288, 0, "Typeface", "DejaVu Sans", 14)});
    EXPECT_NE(unknownName, renderCurrentPage(QSize(400, 300), 15));
    load({first, text(1440, 2880, 4000, 288, 0, "Typeface", "Times New Roman", 14)});
    EXPECT_EQ(unknownName, renderCurrentPage(QSize(400, 300), 15));
}

}  // namespace
