// List reports: paging, headings, rows, the viewer's command line and failures.
#include "ApoyoImpresion.h"
#include "ApoyoLorimand.h"
#include "Recordset.h"
#include "TempDir.h"
#include "ViewFileLayout.h"
#include "ViewFileLines.h"
#include "ViewFileReport.h"
#include "ViewerCommandLine.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>

using namespace viewfilelines;

namespace {

constexpr const char* kHeadings = "Name,2;Code,1;Born,1;Fee,1;";
constexpr const char* kFields = "Name,2;Code,1;Born,1;Fee,1;";

class ListReport : public ::testing::Test {
protected:
    void SetUp() override
    {
        previousFolder = SetProgramFolder(QString::fromStdString(folder.path().string()));
        previousLauncher = SetViewerLauncher([this](const ViewerCommand& command) {
            started.push_back(command);
            return viewerStarts;
        });
        path = ViewFilePath(QStringLiteral("PatientView"));
    }

    void TearDown() override
    {
        SetViewerLauncher(previousLauncher);
        SetProgramFolder(previousFolder);
    }

    static Recordset patients(int count)
    {
        Recordset records({{QStringLiteral("Name"), jet::ColumnType::Text},
                           {QStringLiteral("Code"), jet::ColumnType::Integer16},
                           {QStringLiteral("Born"), jet::ColumnType::Date},
                           {QStringLiteral("Fee"), jet::ColumnType::Double}});
        for (int i = 1; i <= count; ++i) {
            records.AddNew();
            records.SetField(QStringLiteral("Name"), QStringLiteral("Patient %1").arg(i));
            records.SetField(QStringLiteral("Code"), i);
            records.SetField(QStringLiteral("Born"), QDate(1940, 1, 1).addDays(i));
            records.SetField(QStringLiteral("Fee"), 12.5 + i);
            records.Update();
        }
        return records;
    }

    bool print(Recordset& records, float height = 11.0f, const QString& subtitle = QString(),
               const QString& fields = QString::fromLatin1(kFields))
    {
        error.clear();
        return PrintRecordset(records, path, 8.5f, height, QString(), QStringLiteral("Patients (All)"), subtitle,
                              QString::fromLatin1(kHeadings), fields, error);
    }

    std::vector<std::string> lines() const { return splitLines(testsupport::readFile(path.toStdString())); }

    // Element lines whose text (field 19) starts with prefix, in file order.
    std::vector<std::string> textsStartingWith(const std::string& prefix) const
    {
        std::vector<std::string> found;
        for (const std::string& line : lines()) {
            if (field(line, 7) == "0" && field(line, 19).rfind(prefix, 0) == 0)
                found.push_back(line);
        }
        return found;
    }

    std::vector<std::string> separators() const
    {
        std::vector<std::string> found;
        for (const std::string& line : lines()) {
            if (line.find(",0,2,,,,,12895428,12895428,,,,,14.4,") != std::string::npos)
                found.push_back(line);
        }
        return found;
    }

    testsupport::TempDir folder;
    QString path;
    QString error;
    std::vector<ViewerCommand> started;
    bool viewerStarts = true;

private:
    QString previousFolder;
    ViewerLauncher previousLauncher;
};

}  // namespace

TEST_F(ListReport, FiftySevenRowsFillOneElevenInchPage)
{
    Recordset records = patients(57);
    ASSERT_TRUE(print(records)) << error.toStdString();

    const std::vector<std::string> rows = textsStartingWith("Patient ");
    ASSERT_EQ(rows.size(), 57u);
    EXPECT_EQ(twips(field(rows.front(), 3)), 2088) << "first row at 1.45";
    EXPECT_EQ(twips(field(rows.back(), 3)), 14184) << "last row at 9.85";
    for (const std::string& line : lines())
        EXPECT_NE(field(line, 1), "2") << line;
    EXPECT_EQ(separators(), std::vector<std::string>{"1,720,15120,10944,72,0,2,,,,,12895428,12895428,,,,,14.4,"});
    EXPECT_EQ(lines().front(), "LORIMAND10,8.5,11");
    EXPECT_EQ(records.AbsolutePosition(), 57) << "left on the last record";
}

TEST_F(ListReport, TheFiftyEighthRowStartsASecondPageWithItsOwnHeader)
{
    Recordset records = patients(58);
    ASSERT_TRUE(print(records)) << error.toStdString();

    const std::vector<std::string> rows = textsStartingWith("Patient ");
    ASSERT_EQ(rows.size(), 58u);
    EXPECT_EQ(field(rows[56], 1), "1");
    EXPECT_EQ(field(rows[57], 1), "2");
    EXPECT_EQ(twips(field(rows[57], 3)), 2088);
    EXPECT_EQ(field(rows[57], 19), "Patient 58");

    const std::vector<std::string> products = textsStartingWith("Vantora");
    ASSERT_EQ(products.size(), 2u);
    EXPECT_EQ(field(products[1], 1), "2");
    const std::vector<std::string> pageNumbers = textsStartingWith(" 2 of #TotalPaginas");
    ASSERT_EQ(pageNumbers.size(), 1u);
    EXPECT_EQ(field(pageNumbers[0], 6), "1");
    const std::vector<std::string> headings = textsStartingWith("Code");
    ASSERT_EQ(headings.size(), 2u);
    EXPECT_EQ(field(headings[1], 1), "2");
    EXPECT_EQ(twips(field(headings[1], 3)), 1800);

    const std::vector<std::string> bars = separators();
    ASSERT_EQ(bars.size(), 2u);
    EXPECT_EQ(bars[0].substr(0, 8), "1,720,15");
    EXPECT_EQ(bars[1], "2,720,15120,10944,72,0,2,,,,,12895428,12895428,,,,,14.4,");

    // Pages stand in order: every element of page 1 comes before page 2.
    const std::vector<std::string> all = lines();
    const auto firstOfPage2 = std::find_if(all.begin() + 1, all.end(),
                                           [](const std::string& line) { return field(line, 1) == "2"; });
    EXPECT_TRUE(std::all_of(firstOfPage2, all.end(), [](const std::string& line) { return field(line, 1) == "2"; }));
}

TEST_F(ListReport, TwelveInchPageHoldsSixtyThreeRows)
{
    Recordset records = patients(64);
    ASSERT_TRUE(print(records, 12.0f)) << error.toStdString();
    const std::vector<std::string> rows = textsStartingWith("Patient ");
    ASSERT_EQ(rows.size(), 64u);
    EXPECT_EQ(field(rows[62], 1), "1");
    EXPECT_EQ(field(rows[63], 1), "2");
    EXPECT_EQ(twips(field(separators().front(), 3)), 16560) << "bar at 11.5";
}

TEST_F(ListReport, RowCellsFollowTheColumnsAndSpellValues)
{
    Recordset records = patients(1);
    ASSERT_TRUE(print(records)) << error.toStdString();
    const std::vector<std::string> all = lines();
    // Header line, 9 page-header texts, 4 heading cells of 2 elements, 4 row cells, separator.
    ASSERT_EQ(all.size(), 1u + 9u + 8u + 4u + 1u);
    const std::vector<std::string> row(all.begin() + 18, all.begin() + 22);
    EXPECT_EQ(twips(field(row[0], 2)), 936);
    EXPECT_EQ(row[0].substr(row[0].find(",2088,")), ",2088,2808,360,,0,0,1,,,0,,Times New Roman,10,0,1,,Patient 1");
    EXPECT_EQ(twips(field(row[1], 2)), 3816);
    EXPECT_EQ(field(row[1], 19), "1");
    EXPECT_EQ(twips(field(row[2], 2)), 5256);
    EXPECT_EQ(field(row[2], 19), "01/02/40");
    EXPECT_EQ(twips(field(row[3], 4)), 1368);
    EXPECT_EQ(field(row[3], 19), "13.5");
}

TEST_F(ListReport, FourSubtitleLinesMoveTheHeadingsToOneAndAHalfInches)
{
    Recordset records = patients(2);
    ASSERT_TRUE(print(records, 11.0f, QStringLiteral("A;B;C;D"))) << error.toStdString();
    const std::vector<std::string> headings = textsStartingWith("Name");
    ASSERT_EQ(headings.size(), 1u);
    EXPECT_EQ(twips(field(headings[0], 3)), 2160);
    const std::vector<std::string> rows = textsStartingWith("Patient ");
    EXPECT_EQ(twips(field(rows[0], 3)), 2448) << "first row at 1.7";
}

TEST_F(ListReport, NullAndUnknownCellsAreLeftOut)
{
    Recordset records = patients(2);
    records.SetAbsolutePosition(1);
    records.SetField(QStringLiteral("Name"), QVariant());
    records.Update();
    records.SetAbsolutePosition(2);
    records.SetField(QStringLiteral("Name"), QStringLiteral("Two\r\nlines"));
    records.Update();
    ASSERT_TRUE(print(records, 11.0f, QString(), QStringLiteral("Name,2;Missing,1;,1;Code,1;")))
        << error.toStdString();

    const std::vector<std::string> all = lines();
    std::vector<std::string> rowCells;
    for (const std::string& line : all) {
        if (twips(field(line, 3)) >= 2088 && field(line, 7) == "0")
            rowCells.push_back(line);
    }
    ASSERT_EQ(rowCells.size(), 3u) << "row 1: only Code; row 2: Name and Code";
    EXPECT_EQ(field(rowCells[0], 19), "1");
    EXPECT_EQ(twips(field(rowCells[0], 2)), 6696) << "Code keeps its column at 4.65";
    EXPECT_EQ(field(rowCells[1], 19), "Two lines");
    EXPECT_EQ(field(rowCells[2], 19), "2");
}

TEST_F(ListReport, LongCellsAndColumnsStayWithinTheirColumnsAndThePage)
{
    Recordset records = patients(3);
    records.SetAbsolutePosition(2);
    records.SetField(QStringLiteral("Name"),
                     QStringLiteral("Whitcombe-Harrington, Marguerite Anastasia Evangeline of Northwest Bay"));
    records.Update();
    // From 0.6, the fourth column crosses the printable width at 8.1 and the fifth starts past it.
    ASSERT_TRUE(PrintRecordset(records, path, 8.5f, 11.0f, QString(), QStringLiteral("Patients (All)"), QString(),
                               QStringLiteral("Name,3;Code,1;Born,2;Fee and charges due,2;Name again,2;"),
                               QStringLiteral("Name,3;Code,1;Born,2;Fee,2;Name,2;"), error))
        << error.toStdString();

    const std::vector<viewfilelayout::Area> drawn = viewfilelayout::drawnTexts(lines());
    const std::vector<viewfilelayout::Area> boxes = viewfilelayout::boxes(lines());
    const double printableRight = (8.5 - 0.33) * 1440;
    std::vector<double> edges{printableRight};
    for (const viewfilelayout::Area& box : boxes) {
        if (box.top == 1800)
            edges.push_back(box.left);
    }
    EXPECT_EQ(edges.size(), 1u + 4u) << "the column starting past the printable width is left out";
    const auto columnEdges = [&](const viewfilelayout::Area& text) {
        return text.top >= 1800 - 144 ? edges : std::vector<double>();
    };
    const std::vector<std::string> none;
    EXPECT_EQ(viewfilelayout::crowdedRows(drawn, 0.025 * 1440), none);
    EXPECT_EQ(viewfilelayout::pastTheirColumn(drawn, columnEdges), none);
    EXPECT_EQ(viewfilelayout::pastTheRight(drawn, printableRight), none);
    EXPECT_EQ(viewfilelayout::pastTheRight(boxes, printableRight), none);
    EXPECT_EQ(textsStartingWith("Patient 3").size(), 1u) << "whole, in the one column of Name within the page";
}

TEST_F(ListReport, RowsFollowTheViewOfTheRecordset)
{
    Recordset records = patients(5);
    ASSERT_TRUE(records.SetFilter(QStringLiteral("Code=4")));
    ASSERT_TRUE(print(records)) << error.toStdString();
    const std::vector<std::string> rows = textsStartingWith("Patient ");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(field(rows[0], 19), "Patient 4");
}

TEST_F(ListReport, TheFileEndsEveryLineWithCrLf)
{
    Recordset records = patients(3);
    ASSERT_TRUE(print(records)) << error.toStdString();
    const std::string bytes = testsupport::readFile(path.toStdString());
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    std::size_t crlf = 0;
    for (std::size_t at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", at + 2))
        ++crlf;
    EXPECT_EQ(crlf, static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')));
    EXPECT_EQ(crlf, static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\r')));
}

// Records whose shortest block would let 57 share a page, each of which takes a page.
class PageEachReport : public ReportBody {
public:
    float recordHeight() const override { return 8.0f; }
    float shortestRecordHeight() const override { return 0.15f; }
    float pageStartHeight() const override { return 0.2f; }
    void startPage(ViewFile&, qint16, float& y) override { y = y + pageStartHeight(); }
    void writeRecord(ViewFile& file, const Recordset&, qint32, qint16 page, float& y) override
    {
        WriteViewText(file, page, 0.6f, y, 1.0f, 0.25f, 0, 0, 0, 10, false, true, u"A record");
        y = y + recordHeight();
    }
};

TEST_F(ListReport, NoPageNumberPastTheViewersLimitIsEverWritten)
{
    PageEachReport body;
    Recordset most = patients(32767);
    ASSERT_TRUE(WriteReport(most, {path, 8.5f, 11.0f, QString(), QStringLiteral("T"), QString()}, body, error))
        << error.toStdString();
    long lastPage = 0;
    for (const std::string& line : lines()) {
        if (line.rfind("LORIMAND10", 0) != 0)
            lastPage = std::max(lastPage, twips(field(line, 1)));
    }
    EXPECT_EQ(lastPage, 32767);

    Recordset beyond = patients(32768);
    const QString beyondPath = ViewFilePath(QStringLiteral("BeyondView"));
    EXPECT_FALSE(
        WriteReport(beyond, {beyondPath, 8.5f, 11.0f, QString(), QStringLiteral("T"), QString()}, body, error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("The report is too long for one file: it needs more than 32,767 "
                                                "pages")))
        << error.toStdString();
    EXPECT_FALSE(QFile::exists(beyondPath));
    EXPECT_EQ(started.size(), 1u) << "only the report within the limit was shown";
}

TEST_F(ListReport, AnEmptyRecordsetWritesNothingAndStartsNothing)
{
    Recordset records = patients(0);
    EXPECT_TRUE(print(records));
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(started.empty());

    Recordset filtered = patients(3);
    ASSERT_TRUE(filtered.SetFilter(QStringLiteral("Code=9")));
    EXPECT_TRUE(print(filtered));
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(started.empty());
}

TEST_F(ListReport, TheViewerStartsOnceOnTheClosedFile)
{
    Recordset records = patients(2);
    ASSERT_TRUE(print(records)) << error.toStdString();
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].program, QDir(QString::fromStdString(folder.path().string())).filePath("lorimand"));
    EXPECT_EQ(started[0].arguments, QStringList{path});
    EXPECT_TRUE(path.endsWith(QStringLiteral("/PatientView.lrm")));
    EXPECT_TRUE(QDir::isAbsolutePath(path));
}

TEST_F(ListReport, AFileThatCannotBeWrittenIsReportedAndStartsNoViewer)
{
    Recordset records = patients(2);
    path = QString::fromStdString(folder.file("missing/PatientView.lrm"));
    EXPECT_FALSE(print(records));
    EXPECT_TRUE(error.contains(QStringLiteral("could not be written"))) << error.toStdString();
    EXPECT_TRUE(started.empty());
}

TEST_F(ListReport, AViewerThatCannotStartIsReportedAfterTheFileIsComplete)
{
    viewerStarts = false;
    Recordset records = patients(2);
    EXPECT_FALSE(print(records));
    EXPECT_TRUE(error.contains(QStringLiteral("lorimand"))) << error.toStdString();
    EXPECT_EQ(separators().size(), 1u) << "the file was finished before the viewer was started";
}

TEST(ViewerCommand, ProgramFromTheProgramFolderWithTheFullPathAsItsOneArgument)
{
    const QString previous = SetProgramFolder(QStringLiteral("/opt/vantora"));
    const ViewerCommand command = ViewerCommandLine(QStringLiteral("/opt/vantora/Charges View.lrm"));
    EXPECT_EQ(command.program, QStringLiteral("/opt/vantora/lorimand"));
    EXPECT_EQ(command.arguments, QStringList{QStringLiteral("/opt/vantora/Charges View.lrm")});
    EXPECT_EQ(ViewFilePath(QString::fromLatin1(viewfilename::ChargesDataEntryWithBillingCodes)),
              QStringLiteral("/opt/vantora/ChargesBillingB.lrm"));
    SetProgramFolder(previous);
}

TEST(ViewerCommand, StartsADetachedProcessWithThePathAsOneArgument)
{
    testsupport::TempDir folder;
    const QString programFolder = QString::fromStdString((folder.path() / "program folder").string());
    ASSERT_TRUE(QDir().mkpath(programFolder));
    const QString viewer = QDir(programFolder).filePath(QStringLiteral("lorimand"));
    const QString mark = QDir(programFolder).filePath(QStringLiteral("started.txt"));
    testsupport::writeFile(viewer.toStdString(), "#!/bin/sh\nprintf '%s|%s' \"$#\" \"$1\" > \"$(dirname \"$0\")/started.tmp\"\n"
                                                  "mv \"$(dirname \"$0\")/started.tmp\" \"$(dirname \"$0\")/started.txt\"\n");
    QFile::setPermissions(viewer, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString previous = SetProgramFolder(programFolder);

    QString error;
    const QString viewFile = QDir(programFolder).filePath(QStringLiteral("PatientView.lrm"));
    EXPECT_TRUE(StartViewer(viewFile, error)) << error.toStdString();
    for (int i = 0; i < 100 && !QFile::exists(mark); ++i)
        QThread::msleep(50);
    EXPECT_EQ(testsupport::readFile(mark.toStdString()), "1|" + viewFile.toStdString());

    QFile::remove(viewer);
    EXPECT_FALSE(StartViewer(viewFile, error));
    EXPECT_TRUE(error.contains(viewer)) << error.toStdString();
    SetProgramFolder(previous);
}

TEST(ColumnSpecification, WidthInInchesRoundedToTwoDecimalsHalvesToEven)
{
    EXPECT_EQ(ColumnSpecificationWidth(2880), QStringLiteral("2"));
    EXPECT_EQ(ColumnSpecificationWidth(1500), QStringLiteral("1.04"));
    EXPECT_EQ(ColumnSpecificationWidth(36), QStringLiteral("0.02")) << "0.025";
    EXPECT_EQ(ColumnSpecificationWidth(108), QStringLiteral("0.08")) << "0.075";
    EXPECT_EQ(ColumnSpecificationWidth(2124), QStringLiteral("1.48")) << "1.475";
    EXPECT_EQ(ColumnSpecificationWidth(1800), QStringLiteral("1.25"));
}
