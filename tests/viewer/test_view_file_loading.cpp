#include <gtest/gtest.h>

#include <optional>

#include "Badges.h"
#include "BadgesElement.h"
#include "ViewNumber.h"
#include "ViewerTestSupport.h"

using namespace Badges;
using testsupport::TempDir;
using viewertest::writeViewFile;

namespace {

class ViewFileLoading : public ::testing::Test {
protected:
    void SetUp() override {
        PageWidth = 1111;
        PageHeight = 2222;
    }

    // (first item, last item) of every page.
    static std::vector<std::pair<int, int>> pageRanges() {
        std::vector<std::pair<int, int>> ranges;
        for (int page = 1; page <= TotalPages(); ++page) ranges.emplace_back(ViewPage[page].firstItem, ViewPage[page].lastItem);
        return ranges;
    }

    static std::string element(int page) { return std::to_string(page) + ",0,0,10,10,,0,0,0,,,0,,Times New Roman,12,0,0,,x"; }

    TempDir folder;
};

// The rounded value, or nullopt when it is far beyond any field.
std::optional<std::int64_t> rounded(std::string_view text, std::int64_t scale = 1) {
    std::int64_t value = 0;
    return RoundedValue(text, scale, value) ? std::optional(value) : std::nullopt;
}

bool fits16(std::string_view text) {
    const auto value = rounded(text);
    return value && FitsInt16(*value);
}

bool fits32(std::string_view text) {
    const auto value = rounded(text);
    return value && FitsInt32(*value);
}

TEST(ViewNumberReading, TakesTheLongestNumericPrefixAndRoundsHalvesToEven) {
    EXPECT_EQ(rounded("720.5"), 720);
    EXPECT_EQ(rounded("721.5"), 722);
    EXPECT_EQ(rounded("935.9999"), 936);
    EXPECT_EQ(rounded("-720.5"), -720);
    EXPECT_EQ(rounded("-721.5"), -722);
    EXPECT_EQ(rounded("720.5000000000000000000000000000000001"), 721);
    EXPECT_EQ(rounded("  14.4abc"), 14);
    EXPECT_EQ(rounded("1e5"), 1);
    EXPECT_EQ(rounded("1,5"), 1);
    EXPECT_EQ(rounded(""), 0);
    EXPECT_EQ(rounded("Times"), 0);
    EXPECT_EQ(rounded("+5"), 0);
    EXPECT_EQ(rounded("1 2"), 1);
}

TEST(ViewNumberReading, ScalesInchesExactlyBeforeRounding) {
    EXPECT_EQ(rounded("8.5", 1440), 12240);
    EXPECT_EQ(rounded("8.2", 1440), 11808);
    // 0.003125 inch is exactly 4.5 twips: a binary fraction would not see the tie.
    EXPECT_EQ(rounded("0.003125", 1440), 4);
    EXPECT_EQ(rounded("0.009375", 1440), 14);
    EXPECT_EQ(rounded("999999999999999", 1440), 1439999999999998560);
    EXPECT_EQ(rounded("9951084466383504", 1440), std::nullopt);
    EXPECT_EQ(rounded("-9951084466383504.5", 1440), std::nullopt);
}

TEST(ViewNumberReading, RangeChecksFollowTheFieldWidth) {
    EXPECT_TRUE(fits16("32767.4"));
    EXPECT_FALSE(fits16("32767.5"));
    EXPECT_TRUE(fits16("-32768"));
    EXPECT_FALSE(fits16("-32769"));
    EXPECT_TRUE(fits32("2147483647"));
    EXPECT_FALSE(fits32("2147483648"));
    EXPECT_FALSE(fits32("99999999999999999999999999999"));
}

TEST(TakeFieldSplitting, CutsAtTheFirstCommaOrTakesEverything) {
    std::string_view line = "a,,b c";
    EXPECT_EQ(TakeField(line), "a");
    EXPECT_EQ(TakeField(line), "");
    EXPECT_EQ(TakeField(line), "b c");
    EXPECT_EQ(line, "");
    EXPECT_EQ(TakeField(line), "");
}

TEST_F(ViewFileLoading, HeaderTagMustMatchExactly) {
    for (const std::string header : {"lorimand10,8.5,11", " LORIMAND10,8.5,11", "LORIMAND10 ,8.5,11", "LORIMAND1,8.5,11"}) {
        const QString path = writeViewFile(folder, "tag.lrm", {header, element(1)});
        EXPECT_TRUE(LoadViewFile(path)) << header;
        EXPECT_EQ(TotalPages(), 0) << header;
        EXPECT_EQ(ViewItem.size(), 1u) << header;
        EXPECT_EQ(PageWidth, 1111) << header;
        ASSERT_EQ(ViewVariable.size(), 2u);
        EXPECT_EQ(ViewVariable[1].value, "0");
    }
}

TEST_F(ViewFileLoading, HeaderGivesThePageSizeInTwips) {
    EXPECT_TRUE(LoadViewFile(writeViewFile(folder, "a.lrm", {"LORIMAND10,8.5,11"})));
    EXPECT_EQ(PageWidth, 12240);
    EXPECT_EQ(PageHeight, 15840);
    EXPECT_TRUE(LoadViewFile(writeViewFile(folder, "b.lrm", {"LORIMAND10,8,11,extra,fields"})));
    EXPECT_EQ(PageWidth, 11520);
    EXPECT_EQ(PageHeight, 15840);
    EXPECT_EQ(TotalPages(), 0);
    ASSERT_EQ(ViewVariable.size(), 2u);
    EXPECT_EQ(ViewVariable[1].name, "TotalPaginas");
    EXPECT_EQ(ViewVariable[1].value, "0");
}

TEST_F(ViewFileLoading, OversizedPageFailsAndKeepsTheOldSize) {
    EXPECT_FALSE(LoadViewFile(writeViewFile(folder, "wide.lrm", {"LORIMAND10,23,11", element(1)})));
    EXPECT_FALSE(LoadViewFile(writeViewFile(folder, "high.lrm", {"LORIMAND10,8,23", element(1)})));
    EXPECT_EQ(PageWidth, 1111);
    EXPECT_EQ(PageHeight, 2222);
    EXPECT_EQ(TotalPages(), 0);
    EXPECT_EQ(ViewVariable.size(), 1u);
    EXPECT_TRUE(LoadViewFile(writeViewFile(folder, "largest.lrm", {"LORIMAND10,22.75,22.75"})));
    EXPECT_EQ(PageWidth, 32760);
}

TEST_F(ViewFileLoading, MissingEmptyOrUnreadableFileFails) {
    EXPECT_FALSE(LoadViewFile(QString()));
    EXPECT_FALSE(LoadViewFile(QString::fromStdString(folder.file("nowhere.lrm"))));
    testsupport::writeFile(folder.file("empty.lrm"), "");
    EXPECT_FALSE(LoadViewFile(QString::fromStdString(folder.file("empty.lrm"))));
    EXPECT_FALSE(LoadViewFile(QString::fromStdString(folder.path().string())));
    EXPECT_EQ(TotalPages(), 0);
    EXPECT_EQ(PageWidth, 1111);
}

TEST_F(ViewFileLoading, ElementLineKeepsCommasInItsTextAndDropsOuterBlanks) {
    ASSERT_TRUE(LoadViewFile(writeViewFile(
        folder, "text.lrm",
        {"LORIMAND10,8.5,11", "  1,720,720,1440,288,,0,0,0,,,0,,Times New Roman,12,1,1,,Hello, world  "})));
    ASSERT_EQ(ViewItem.size(), 2u);
    const ViewItemRecord& item = ViewItem[1];
    EXPECT_EQ(item.page, 1);
    EXPECT_EQ(item.x, 720);
    EXPECT_EQ(item.y, 720);
    EXPECT_EQ(item.w, 1440);
    EXPECT_EQ(item.h, 288);
    EXPECT_EQ(item.kind, 0);
    EXPECT_EQ(FontName(item), "Times New Roman");
    EXPECT_EQ(item.fontSize, 12);
    EXPECT_TRUE(item.bold);
    EXPECT_TRUE(item.italic);
    EXPECT_EQ(ItemText(item), "Hello, world");
}

TEST_F(ViewFileLoading, BoxLineReadsEveryField) {
    ASSERT_TRUE(LoadViewFile(
        writeViewFile(folder, "box.lrm", {"LORIMAND10,8.5,11", "1,720,15120,10224,72,0,2,,,,,12895428,12895428,,,,,14.4,"})));
    const ViewItemRecord& item = ViewItem.at(1);
    EXPECT_EQ(item.kind, 2);
    EXPECT_EQ(item.x, 720);
    EXPECT_EQ(item.y, 15120);
    EXPECT_EQ(item.w, 10224);
    EXPECT_EQ(item.h, 72);
    EXPECT_EQ(item.colour, 12895428);
    EXPECT_EQ(item.fillColour, 12895428);
    EXPECT_EQ(item.lineWidth, 14);
    EXPECT_TRUE(ItemText(item).isEmpty());
}

TEST_F(ViewFileLoading, ShortLineReadsMissingFieldsAsEmpty) {
    ASSERT_TRUE(LoadViewFile(writeViewFile(folder, "short.lrm", {"LORIMAND10,8.5,11", "1,720"})));
    const ViewItemRecord& item = ViewItem.at(1);
    EXPECT_EQ(item.x, 720);
    EXPECT_EQ(item.y, 0);
    EXPECT_EQ(item.kind, 0);
    EXPECT_EQ(item.fontSize, 0);
    EXPECT_EQ(item.colour, 0);
    EXPECT_FALSE(item.bold);
    EXPECT_TRUE(FontName(item).isEmpty());
    EXPECT_TRUE(ItemText(item).isEmpty());
}

TEST_F(ViewFileLoading, CoordinatesRoundHalvesToEvenAndFlagsAreAnyNonZeroValue) {
    ASSERT_TRUE(LoadViewFile(writeViewFile(folder, "round.lrm",
                                           {"LORIMAND10,8.5,11", "1,720.5,721.5,935.9999,-0.5,,3,,,,,,,,11.5,0.4,0,14.5,t"})));
    const ViewItemRecord& item = ViewItem.at(1);
    EXPECT_EQ(item.x, 720);
    EXPECT_EQ(item.y, 722);
    EXPECT_EQ(item.w, 936);
    EXPECT_EQ(item.h, 0);
    EXPECT_EQ(item.kind, 3);
    EXPECT_EQ(item.fontSize, 12);
    EXPECT_TRUE(item.bold);
    EXPECT_FALSE(item.italic);
    EXPECT_EQ(item.lineWidth, 14);
}

TEST_F(ViewFileLoading, PagesBeginWhereTheNumberDiffersFromTheCounter) {
    ASSERT_TRUE(LoadViewFile(writeViewFile(
        folder, "pages.lrm", {"LORIMAND10,8.5,11", element(1), element(1), element(2), element(2), element(2), element(3)})));
    EXPECT_EQ(pageRanges(), (std::vector<std::pair<int, int>>{{1, 2}, {3, 5}, {6, 6}}));
    EXPECT_EQ(ViewVariable.at(1).value, "3");

    ASSERT_TRUE(LoadViewFile(writeViewFile(folder, "back.lrm", {"LORIMAND10,8.5,11", element(1), element(2), element(1)})));
    EXPECT_EQ(pageRanges(), (std::vector<std::pair<int, int>>{{1, 1}, {2, 2}, {3, 3}}));

    ASSERT_TRUE(LoadViewFile(writeViewFile(folder, "gap.lrm", {"LORIMAND10,8.5,11", element(1), element(3)})));
    EXPECT_EQ(pageRanges(), (std::vector<std::pair<int, int>>{{1, 1}, {2, 2}}));
}

TEST_F(ViewFileLoading, ElementsBeforeTheFirstPageBelongToNoPage) {
    ASSERT_TRUE(LoadViewFile(writeViewFile(folder, "zero.lrm", {"LORIMAND10,8.5,11", element(0), element(0), element(1)})));
    EXPECT_EQ(ViewItem.size(), 4u);
    EXPECT_EQ(pageRanges(), (std::vector<std::pair<int, int>>{{3, 3}}));
}

TEST_F(ViewFileLoading, BlankLineOpensANewPageWithOneEmptyElement) {
    ASSERT_TRUE(LoadViewFile(writeViewFile(folder, "blank.lrm",
                                           {"LORIMAND10,8.5,11", element(1), element(2), element(2), ""})));
    EXPECT_EQ(pageRanges(), (std::vector<std::pair<int, int>>{{1, 1}, {2, 3}, {4, 4}}));
    EXPECT_EQ(ViewItem.at(4).page, 0);
    EXPECT_TRUE(ItemText(ViewItem.at(4)).isEmpty());
    EXPECT_EQ(ViewVariable.at(1).value, "3");
}

TEST_F(ViewFileLoading, SecondLoadReplacesTheFirstDocument) {
    ASSERT_TRUE(LoadViewFile(writeViewFile(folder, "first.lrm", {"LORIMAND10,8.5,11", element(1), element(2), element(3)})));
    ASSERT_TRUE(LoadViewFile(writeViewFile(folder, "second.lrm",
                                           {"LORIMAND10,11,8.2", "1,0,0,0,0,,0,0,0,,,0,,,12,0,0,,second"})));
    EXPECT_EQ(TotalPages(), 1);
    ASSERT_EQ(ViewItem.size(), 2u);
    EXPECT_EQ(ItemText(ViewItem[1]), "second");
    ASSERT_EQ(ViewVariable.size(), 2u);
    EXPECT_EQ(ViewVariable[1].value, "1");
    EXPECT_EQ(PageWidth, 15840);
    EXPECT_EQ(PageHeight, 11808);
}

TEST_F(ViewFileLoading, NumberOutOfRangeStopsTheLoadAndKeepsWhatWasRead) {
    EXPECT_FALSE(LoadViewFile(writeViewFile(
        folder, "overflow.lrm", {"LORIMAND10,8.5,11", element(1), element(2), "2,40000,0", element(3)})));
    EXPECT_EQ(ViewItem.size(), 3u);
    EXPECT_EQ(pageRanges(), (std::vector<std::pair<int, int>>{{1, 1}, {2, 0}}));
    EXPECT_EQ(ViewVariable.size(), 1u);
    EXPECT_EQ(SubstituteVariables("1 of #TotalPaginas"), "1 of TotalPaginas");

    EXPECT_FALSE(LoadViewFile(writeViewFile(folder, "colour.lrm", {"LORIMAND10,8.5,11", "1,0,0,0,0,0,0,0,0,0,0,2147483648"})));
    EXPECT_EQ(TotalPages(), 0);
    EXPECT_TRUE(LoadViewFile(writeViewFile(folder, "colour2.lrm", {"LORIMAND10,8.5,11", "1,0,0,0,0,0,0,0,0,0,0,-2147483648"})));
    EXPECT_EQ(ViewItem.at(1).colour, -2147483647 - 1);
}

TEST_F(ViewFileLoading, AcceptsCrLfAndBareCrAndLfLineEnds) {
    testsupport::writeFile(folder.file("ends.lrm"),
                           "LORIMAND10,8.5,11\r" + element(1) + "\r\n" + element(1) + "\n" + element(2));
    ASSERT_TRUE(LoadViewFile(QString::fromStdString(folder.file("ends.lrm"))));
    EXPECT_EQ(pageRanges(), (std::vector<std::pair<int, int>>{{1, 2}, {3, 3}}));
    EXPECT_EQ(ItemText(ViewItem.at(3)), "x");
}

TEST_F(ViewFileLoading, TextIsReadInTheWindowsCodePage) {
    testsupport::writeFile(folder.file("cp.lrm"),
                           "LORIMAND10,8.5,11\r\n1,0,0,0,0,,0,0,0,,,0,,Caf\xE9,12,0,0,,\x80 5 \x93ok\x94\r\n");
    ASSERT_TRUE(LoadViewFile(QString::fromStdString(folder.file("cp.lrm"))));
    EXPECT_EQ(FontName(ViewItem.at(1)), QString::fromUtf8("Caf\u00E9"));
    EXPECT_EQ(ItemText(ViewItem.at(1)), QString::fromUtf8("\u20AC 5 \u201Cok\u201D"));
}

TEST_F(ViewFileLoading, OverlongLineKeepsItsBeginningAndTheNextLineStillCounts) {
    const std::string longText(3 * kMaxLineBytes, 'w');
    ASSERT_TRUE(LoadViewFile(writeViewFile(
        folder, "long.lrm", {"LORIMAND10,8.5,11", "1,0,0,0,0,,0,0,0,,,0,,,12,0,0,," + longText, element(2)})));
    EXPECT_EQ(TotalPages(), 2);
    EXPECT_LT(ItemText(ViewItem.at(1)).size(), static_cast<qsizetype>(kMaxLineBytes));
    EXPECT_GT(ItemText(ViewItem.at(1)).size(), 60000);
    EXPECT_EQ(ItemText(ViewItem.at(2)), "x");
}

// The reader works in blocks of kMaxLineBytes bytes: line ends just before, on and after a block
// boundary, a CR and its LF in different blocks among them.
TEST_F(ViewFileLoading, LinesAcrossReadBlocksStayWhole) {
    const std::string header = "LORIMAND10,8.5,11\r\n";
    const std::string prefix = "1,0,0,0,0,,0,0,0,,,0,,,12,0,0,,";
    for (int shift = -2; shift <= 1; ++shift) {
        // The first element's CR stands at kMaxLineBytes - 1 + shift.
        const std::size_t textLength = kMaxLineBytes - 1 + shift - header.size() - prefix.size();
        const std::string text = std::string(textLength - 1, 'a') + "z";
        testsupport::writeFile(folder.file("blocks.lrm"),
                               header + prefix + text + "\r\n" + element(1) + "\r\n" + prefix + "end\r\n");
        ASSERT_TRUE(LoadViewFile(QString::fromStdString(folder.file("blocks.lrm")))) << shift;
        EXPECT_EQ(pageRanges(), (std::vector<std::pair<int, int>>{{1, 3}})) << shift;
        EXPECT_EQ(ItemText(ViewItem.at(1)), QString::fromStdString(text)) << shift;
        EXPECT_EQ(ItemText(ViewItem.at(2)), "x") << shift;
        EXPECT_EQ(ItemText(ViewItem.at(3)), "end") << shift;
    }
}

TEST_F(ViewFileLoading, ElementsBeyond16BitsLoadButPagesBeyondTheMostStopTheLoad) {
    std::string text = "LORIMAND10,8.5,11\r\n";
    for (int i = 0; i < 40000; ++i) text += "1,5\r\n";
    testsupport::writeFile(folder.file("full.lrm"), text);
    ASSERT_TRUE(LoadViewFile(QString::fromStdString(folder.file("full.lrm"))));
    EXPECT_EQ(ViewItem.size(), 40001u);
    EXPECT_EQ(pageRanges(), (std::vector<std::pair<int, int>>{{1, 40000}}));
    EXPECT_TRUE(LoadProblem.isEmpty());

    // Page numbers that go back and forth make a page of every line.
    text = "LORIMAND10,8.5,11\r\n";
    for (int line = 0; line <= kMostPages; ++line) text += line % 2 == 0 ? "1\r\n" : "2\r\n";
    testsupport::writeFile(folder.file("over.lrm"), text);
    EXPECT_FALSE(LoadViewFile(QString::fromStdString(folder.file("over.lrm"))));
    EXPECT_EQ(TotalPages(), kMostPages);
    EXPECT_EQ(ViewItem.size(), static_cast<std::size_t>(kMostPages) + 1);
    EXPECT_EQ(ViewPage[kMostPages].lastItem, 0);
    EXPECT_EQ(ViewVariable.size(), 1u);
    EXPECT_EQ(LoadProblem, QStringLiteral("The report has more than 32,767 pages, more than the viewer can hold."));
}

TEST_F(ViewFileLoading, FileExistsOpensAndClosesAgain) {
    const QString path = writeViewFile(folder, "here.lrm", {"LORIMAND10,8.5,11"});
    for (int i = 0; i < 1000; ++i) ASSERT_TRUE(FileExists(path));  // handles are given back
    EXPECT_FALSE(FileExists(QString::fromStdString(folder.file("absent.png"))));
    EXPECT_FALSE(FileExists(QString()));
}

}  // namespace
