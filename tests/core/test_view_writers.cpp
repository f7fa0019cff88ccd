// The element writers and how a view file spells numbers, texts and lines.
#include "ApoyoLorimand.h"
#include "AsisRutinasApoyo.h"
#include "TempDir.h"
#include "ViewFile.h"
#include "ViewFileFormat.h"
#include "ViewFileLayout.h"
#include "ViewFileLines.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace viewfilelines;

namespace {

class ViewWriters : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = QString::fromStdString(folder.file("report.lrm"));
        QString error;
        ASSERT_TRUE(file.open(path, error)) << error.toStdString();
    }

    // Commits the file and answers its lines.
    std::vector<std::string> committedLines()
    {
        QString error;
        EXPECT_TRUE(file.commit(error)) << error.toStdString();
        return splitLines(testsupport::readFile(path.toStdString()));
    }

    testsupport::TempDir folder;
    QString path;
    ViewFile file;
};

std::string decimal(double value, int digits)
{
    std::string out;
    AppendDecimal(out, value, digits);
    return out;
}

std::string single(float value)
{
    std::string out;
    AppendSingle(out, value);
    return out;
}

std::string windows1252(const QString& text)
{
    std::string out;
    AppendWindows1252Line(out, text);
    return out;
}

}  // namespace

TEST_F(ViewWriters, TextAndBoxLinesAreSpelledExactly)
{
    WriteViewFileHeader(file, 8.5f, 11.0f);
    WriteViewText(file, 1, 0.5f, 0.5f, 1.0f, 0.2f, 0, 0, 0, 12, true, true, u"Vantora");
    WriteViewBox(file, 1, 0.5f, 10.5f, 7.1f, 0.05f, 0.01f, 12895428, 12895428);
    WriteViewSeparator(file, 1, 10.5f, 7.1f);
    WriteViewHeaderText(file, 2, 6.5f, 0.5f, 1.0f, 0.15f, 2, 0, 0, 10, true, false, u" 2 of #TotalPaginas");
    WriteViewBox(file, 3, 0.5f, 1.0f, 7.0f, 1.75f, 0.02f, 16777215, 0);

    QString error;
    ASSERT_TRUE(file.commit(error)) << error.toStdString();
    EXPECT_EQ(testsupport::readFile(path.toStdString()),
              "LORIMAND10,8.5,11\r\n"
              "1,720,720,1440,288,,0,0,0,,,0,,Times New Roman,12,1,1,,Vantora\r\n"
              "1,720,15120,10224,72,0,2,,,,,12895428,12895428,,,,,14.4,\r\n"
              "1,720,15120,10224,72,0,2,,,,,12895428,12895428,,,,,14.4,\r\n"
              "2,9360,720,1440,216,1,0,2,0,,1,0,,Times New Roman,10,1,0,, 2 of #TotalPaginas\r\n"
              "3,720,1440,10080,2520,0,2,,,,,0,16777215,,,,,28.8,\r\n");
}

TEST_F(ViewWriters, NothingReachesTheTargetBeforeCommit)
{
    testsupport::writeFile(path.toStdString(), "old report");
    WriteViewText(file, 1, 0.5f, 0.5f, 1.0f, 0.2f, 0, 0, 0, 12, true, true, u"new");
    EXPECT_EQ(testsupport::readFile(path.toStdString()), "old report");
    const std::vector<std::string> lines = committedLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(field(lines[0], 19), "new");
}

TEST_F(ViewWriters, HeaderLineOfTheLandscapePage)
{
    WriteViewFileHeader(file, 11.0f, 8.2f);
    EXPECT_EQ(committedLines(), std::vector<std::string>{"LORIMAND10,11,8.2"});
}

TEST(ViewNumbers, SevenSignificantDigitsWithoutTrailingZeros)
{
    EXPECT_EQ(single(0.5f * 1440.0f), "720");
    EXPECT_EQ(single(0.01f * 1440.0f), "14.4");
    EXPECT_EQ(single(0.001f * 1440.0f), "1.44");
    EXPECT_EQ(single(0.65f * 1440.0f), "935.9999");
    EXPECT_EQ(single(1234567.8f), "1234568");
    EXPECT_EQ(single(0.0001234f), "0.0001234");
    EXPECT_EQ(single(-2.5f), "-2.5");
    EXPECT_EQ(single(0.0f), "0");
    EXPECT_EQ(single(-0.0f), "0");
    EXPECT_EQ(single(99999999.0f), "100000000");
    EXPECT_EQ(decimal(0.1 + 0.2, 15), "0.3");
    EXPECT_EQ(decimal(1234.5678, 15), "1234.5678");
    EXPECT_EQ(decimal(-1e-7, 15), "-0.0000001");
}

TEST(ViewNumbers, LeadingDecimalReadsWhatVbValWould)
{
    EXPECT_DOUBLE_EQ(LeadingDecimal(u" 1.95abc"), 1.95);
    EXPECT_DOUBLE_EQ(LeadingDecimal(u"2"), 2.0);
    EXPECT_DOUBLE_EQ(LeadingDecimal(u".5"), 0.5);
    EXPECT_DOUBLE_EQ(LeadingDecimal(u"-2.5;"), -2.5);
    EXPECT_DOUBLE_EQ(LeadingDecimal(u"1.2.3"), 1.2);
    EXPECT_DOUBLE_EQ(LeadingDecimal(u""), 0.0);
    EXPECT_DOUBLE_EQ(LeadingDecimal(u"abc"), 0.0);
    EXPECT_DOUBLE_EQ(LeadingDecimal(u"-"), 0.0);
    EXPECT_DOUBLE_EQ(LeadingDecimal(u"1,5"), 1.0) << "\",\" is never a decimal separator";
}

TEST(ViewTexts, Windows1252WithQuestionMarksForTheRest)
{
    EXPECT_EQ(windows1252(QStringLiteral("Mu\u00f1oz \u00e9 \u20ac \u2019 \u0178")), "Mu\xf1oz \xe9 \x80 \x92 \x9f");
    EXPECT_EQ(windows1252(QStringLiteral("\u03a9 \u4e2d")), "? ?");
    EXPECT_EQ(windows1252(QString::fromUtf8("a\xf0\x9f\x98\x80" "b")), "a?b") << "one character, one question mark";
    EXPECT_EQ(windows1252(QStringLiteral("Ward 3, bed 2")), "Ward 3, bed 2");
}

TEST(ViewTexts, EveryLineBreakBecomesOneBlank)
{
    EXPECT_EQ(windows1252(QStringLiteral("a\r\nb\nc\rd")), "a b c d");
    EXPECT_EQ(windows1252(QStringLiteral("\n\n")), "  ");
    EXPECT_EQ(windows1252(QStringLiteral("end\r")), "end ");
}

TEST_F(ViewWriters, ATextWithLineBreaksStaysOneElementLine)
{
    WriteViewText(file, 1, 0.5f, 0.5f, 1.0f, 0.2f, 0, 0, 0, 10, false, true, u"123 Main St\r\nApt 4\nBack");
    const std::vector<std::string> lines = committedLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(field(lines[0], 19), "123 Main St Apt 4 Back");
    EXPECT_EQ(lines[0].find('\r'), std::string::npos);
    EXPECT_EQ(lines[0].find('\n'), std::string::npos);
}

TEST(ViewTokens, CommaAndSemicolonSplitters)
{
    QString text = QStringLiteral("Name,2;Code,1;");
    EXPECT_EQ(TakeSemicolonToken(text), QStringLiteral("Name,2"));
    EXPECT_EQ(text, QStringLiteral("Code,1;"));
    QString entry = QStringLiteral("Code,1");
    EXPECT_EQ(TakeCommaToken(entry), QStringLiteral("Code"));
    EXPECT_EQ(entry, QStringLiteral("1"));

    QString last = QStringLiteral("no separator");
    EXPECT_EQ(TakeCommaToken(last), QStringLiteral("no separator"));
    EXPECT_TRUE(last.isEmpty());
    EXPECT_TRUE(TakeSemicolonToken(last).isEmpty());

    QString leading = QStringLiteral(",1");
    EXPECT_TRUE(TakeCommaToken(leading).isEmpty());
    EXPECT_EQ(leading, QStringLiteral("1"));

    QString doubled = QStringLiteral("A;;B");
    EXPECT_EQ(TakeSemicolonToken(doubled), QStringLiteral("A"));
    EXPECT_TRUE(TakeSemicolonToken(doubled).isEmpty());
    EXPECT_EQ(doubled, QStringLiteral("B"));
}

TEST_F(ViewWriters, PageHeaderElementsAndPlaces)
{
    const QDateTime before = QDateTime::currentDateTime();
    float y = 1.25f;
    WriteViewPageHeader(file, QString(), QStringLiteral("Patients (All)"), QString(), 3, y);
    const QDateTime after = QDateTime::currentDateTime();
    EXPECT_FLOAT_EQ(y, 1.25f) << "no subtitle leaves y alone";

    const std::vector<std::string> lines = committedLines();
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[0], "3,720,720,1440,288,,0,0,0,,,0,,Times New Roman,12,1,1,,Vantora");
    EXPECT_EQ(lines[1], "3,720,1008,1440,288,,0,0,0,,,0,,Times New Roman,12,1,1,,") << "empty heading still written";
    EXPECT_EQ(lines[2], "3,9360,720,1440,216,,0,0,0,,,0,,Times New Roman,10,0,1,,Page:");
    EXPECT_EQ(lines[3], "3,9880.739,720,919.2604,216,1,0,2,0,,1,0,,Times New Roman,10,1,1,, 3 of #TotalPaginas")
        << "right of \"Page:\", ending at 7.5, shrunk to its box by the viewer";
    EXPECT_EQ(lines[4], "3,9360,935.9999,1440,216,,0,0,0,,,0,,Times New Roman,10,0,1,,Date:");
    EXPECT_EQ(lines[6], "3,9360,1152,1440,216,,0,0,0,,,0,,Times New Roman,10,0,1,,Time:");
    EXPECT_EQ(lines[8], "3,720,720,10080,288,,0,1,0,,,0,,Times New Roman,14,1,1,,Patients (All)");

    const std::string date = field(lines[5], 19);
    EXPECT_TRUE(date == ReportDate(before.date()).toStdString() || date == ReportDate(after.date()).toStdString())
        << date;
    EXPECT_EQ(lines[5].substr(0, lines[5].rfind(',')), "3,9360,935.9999,1440,216,,0,2,0,,,0,,Times New Roman,10,1,1,");
    const QTime time = QTime::fromString(QString::fromStdString(field(lines[7], 19)), u"HH:mm:ss");
    ASSERT_TRUE(time.isValid()) << field(lines[7], 19);
    if (before.date() == after.date()) {
        const QTime start = before.time();
        EXPECT_LE(QTime(start.hour(), start.minute(), start.second()), time);
        EXPECT_LE(time, after.time());
    }
    EXPECT_EQ(field(lines[7], 8), "2");
}

TEST_F(ViewWriters, LongHeaderTextsStayClearOfEachOther)
{
    float y = 1.25f;
    WriteViewPageHeader(file, QString(), QStringLiteral("Outstanding Charges of the Northwest Regional Practice (Ready)"),
                        QStringLiteral("Patient: Whitcombe-Harrington, Marguerite Anastasia Evangeline;Insurance: "
                                       "Medicare Part B Supplemental Coverage Plan of the Northwest"),
                        32767, y);
    const std::vector<viewfilelayout::Area> drawn = viewfilelayout::drawnTexts(committedLines(), 32767);
    EXPECT_EQ(viewfilelayout::crowdedRows(drawn, 0.025 * 1440), std::vector<std::string>());
    EXPECT_EQ(viewfilelayout::pastTheRight(drawn, 7.5 * 1440), std::vector<std::string>());
}

TEST(ViewTexts, ReportDatesAndTimes)
{
    EXPECT_EQ(ReportDate(QDate(2026, 12, 7)), QStringLiteral("12/07/26"));
    EXPECT_EQ(ReportDate(QDate(1931, 3, 4)), QStringLiteral("03/04/31"));
    EXPECT_EQ(ReportTime(QTime(7, 5, 9)), QStringLiteral("07:05:09"));
    EXPECT_EQ(ReportTime(QTime(23, 59, 0)), QStringLiteral("23:59:00"));
}

TEST(ViewTexts, RecordValuesAsReportsPrintThem)
{
    EXPECT_TRUE(ReportValueText(QVariant()).isEmpty());
    EXPECT_EQ(ReportValueText(QVariant::fromValue<qint16>(-25001)), QStringLiteral("-25001"));
    EXPECT_EQ(ReportValueText(QVariant::fromValue<qint32>(99231)), QStringLiteral("99231"));
    EXPECT_EQ(ReportValueText(12.75), QStringLiteral("12.75"));
    EXPECT_EQ(ReportValueText(1.0 / 3.0), QStringLiteral("0.333333333333333"));
    EXPECT_EQ(ReportValueText(QDate(2005, 2, 3)), QStringLiteral("02/03/05"));
    EXPECT_EQ(ReportValueText(QTime(14, 5, 0)), QStringLiteral("14:05:00"));
    EXPECT_EQ(ReportValueText(QDateTime(QDate(2026, 12, 7), QTime(9, 30, 15))), QStringLiteral("12/07/26 09:30:15"));
    EXPECT_EQ(ReportValueText(QStringLiteral("ACC 7")), QStringLiteral("ACC 7"));
    EXPECT_TRUE(ReportValueText(QDate()).isEmpty());

    std::string line;
    AppendWindows1252Line(line, ReportValueText(QStringLiteral("caf\u00e9\nbar")));
    EXPECT_EQ(line, "caf\xe9 bar");
}

TEST_F(ViewWriters, SubtitleLinesMoveYDown)
{
    float y = 1.25f;
    WriteViewPageHeader(file, QString(), QStringLiteral("T"), QStringLiteral("A;B;C;D"), 1, y);
    EXPECT_EQ(single(y * 1440.0f), "2160") << "headings at 1.5";
    const std::vector<std::string> lines = committedLines();
    ASSERT_EQ(lines.size(), 13u);
    const char* expectedY[] = {"1008", "1296", "1584", "1872"};
    for (int k = 0; k < 4; ++k) {
        const std::string& line = lines[9 + k];
        EXPECT_EQ(field(line, 3), expectedY[k]);
        EXPECT_EQ(field(line, 19), std::string(1, char('A' + k)));
        EXPECT_EQ(line.substr(0, 2) + field(line, 2) + "," + field(line, 4), "1,720,10080");
        EXPECT_EQ(field(line, 8), "1");
        EXPECT_EQ(field(line, 15), "12");
    }
}

TEST_F(ViewWriters, SubtitleEndsAtTheFirstEmptyPartAndNeverRaisesALowerY)
{
    float y = 1.25f;
    WriteViewPageHeader(file, QString(), QStringLiteral("T"), QStringLiteral("A;;B"), 1, y);
    EXPECT_FLOAT_EQ(y, 1.25f) << "one line ends at 0.9";
    float deep = 3.0f;
    WriteViewPageHeader(file, QString(), QStringLiteral("T"), QStringLiteral("1;2;3;4;5;6"), 2, deep);
    EXPECT_FLOAT_EQ(deep, 3.0f);
    float shallow = 1.25f;
    WriteViewPageHeader(file, QString(), QStringLiteral("T"), QStringLiteral("1;2;3;"), 3, shallow);
    EXPECT_EQ(single(shallow * 1440.0f), "1872");
    const std::vector<std::string> lines = committedLines();
    EXPECT_EQ(lines.size(), 10u + 15u + 12u);
    EXPECT_EQ(field(lines[9], 19), "A");
}

TEST_F(ViewWriters, ColumnHeadingsBoxesAndCaptions)
{
    WriteViewColumnHeadings(file, 0.6f, 1.25f, 0.25f, 0.001f, 12895428, 12895428, 0, 10, 0.05f,
                            QStringLiteral("Name,2;Code,1;"), 1);
    const std::vector<std::string> lines = committedLines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(twips(field(lines[0], 2)), 864) << "box at 0.6";
    EXPECT_EQ(lines[0].substr(lines[0].find(",1800,")), ",1800,2808,360,0,2,,,,,12895428,12895428,,,,,1.44,");
    EXPECT_EQ(twips(field(lines[1], 2)), 936) << "caption at 0.65";
    EXPECT_EQ(twips(field(lines[1], 4)), 2808);
    EXPECT_EQ(lines[1].substr(lines[1].find(",360,")), ",360,,0,0,1,,,0,,Times New Roman,10,1,1,,Name");
    EXPECT_EQ(twips(field(lines[2], 2)), 3744) << "second box at 2.6";
    EXPECT_EQ(twips(field(lines[2], 4)), 1368) << "0.95 wide";
    EXPECT_EQ(twips(field(lines[3], 2)), 3816) << "caption at 2.65";
    EXPECT_EQ(field(lines[3], 19), "Code");
}

TEST_F(ViewWriters, ColumnSpecificationEdgeCases)
{
    WriteViewColumnHeadings(file, 0.6f, 1.25f, 0.25f, 0.001f, 1, 2, 3, 10, 0.05f, QStringLiteral("A,1;B,1"), 1);
    WriteViewColumnHeadings(file, 0.6f, 1.25f, 0.25f, 0.001f, 1, 2, 3, 10, 0.05f, QStringLiteral("A,1;;B,1;"), 2);
    WriteViewColumnHeadings(file, 0.6f, 1.25f, 0.25f, 0.001f, 1, 2, 3, 10, 0.05f, QStringLiteral(",1;C,2;"), 3);
    WriteViewColumnHeadings(file, 0.6f, 1.25f, 0.25f, 0.001f, 1, 2, 3, 10, 0.05f, QString(), 4);
    const std::vector<std::string> lines = committedLines();
    ASSERT_EQ(lines.size(), 4u + 2u + 4u);
    EXPECT_EQ(field(lines[3], 19), "B") << "last entry without \";\" is written";
    EXPECT_EQ(field(lines[4], 1), "2");
    EXPECT_EQ(field(lines[5], 19), "A") << "an empty entry ends the list";
    EXPECT_EQ(field(lines[6], 1), "3");
    EXPECT_EQ(field(lines[7], 19), "") << "an empty caption counts";
    EXPECT_EQ(twips(field(lines[7], 4)), 1368);
    EXPECT_EQ(twips(field(lines[8], 2)), 2304) << "next column after the 1-inch empty one";
    EXPECT_EQ(field(lines[9], 19), "C");
}

TEST(ViewFileFailures, AMissingFolderIsReported)
{
    testsupport::TempDir folder;
    ViewFile file;
    QString error;
    const QString path = QString::fromStdString(folder.file("no such folder/report.lrm"));
    EXPECT_FALSE(file.open(path, error));
    EXPECT_TRUE(error.contains(path)) << error.toStdString();
}

TEST(ViewFileFailures, AFileBeyondTheElementsTheViewerHoldsIsNotWritten)
{
    testsupport::TempDir folder;
    const auto write = [&](const std::string& name, int elements, QString& error) {
        ViewFile file;
        EXPECT_TRUE(file.open(QString::fromStdString(folder.file(name)), error));
        file.line() += "LORIMAND10,8.5,11";
        file.endLine();
        for (int i = 0; i < elements; ++i) {
            file.line() += '1';
            file.endLine();
        }
        return file.commit(error);
    };
    QString error;
    EXPECT_TRUE(write("most.lrm", 8'000'000, error)) << error.toStdString();
    EXPECT_FALSE(write("beyond.lrm", 8'000'001, error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("The report is too long for one file: it needs more than 8,000,000 "
                                                "texts and boxes")))
        << error.toStdString();
    EXPECT_FALSE(std::filesystem::exists(folder.file("beyond.lrm")));
}

TEST(ViewFileFailures, AFailedWriteLeavesTheOldFileAndNoTemporary)
{
    testsupport::TempDir folder;
    const std::string target = folder.file("big.lrm");
    testsupport::writeFile(target, "previous report");

    std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit small = previous;
    small.rlim_cur = 100000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);

    ViewFile file;
    QString error;
    ASSERT_TRUE(file.open(QString::fromStdString(target), error));
    for (int i = 0; i < 5000; ++i)
        WriteViewText(file, 1, 0.5f, 0.5f, 1.0f, 0.2f, 0, 0, 0, 10, false, true, u"a row of text to fill the file");
    const bool committed = file.commit(error);
    setrlimit(RLIMIT_FSIZE, &previous);

    EXPECT_FALSE(committed);
    EXPECT_TRUE(error.startsWith(QStringLiteral("The report file"))) << error.toStdString();
    EXPECT_EQ(testsupport::readFile(target), "previous report");
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path()))
        ++entries;
    EXPECT_EQ(entries, 1u) << "the temporary file is removed";
}
