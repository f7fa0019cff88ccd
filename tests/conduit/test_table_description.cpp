#include "HotSyncLog.h"
#include "TableDescription.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

class TableDescriptionTest : public ::testing::Test {
protected:
    void SetUp() override { setenv("HOTSYNC_DIR", folder.path().c_str(), 1); }

    int read(const std::string& text)
    {
        const std::string path = folder.file("Velvix.vlx");
        testsupport::writeFile(path, text);
        return ReadTableDescriptionFile(path, description);
    }

    std::string log() const { return testsupport::readFile(folder.file(HOTSYNC_LOG_FILE_NAME)); }

    static std::string repeated(const std::string& line, int times)
    {
        std::string text;
        for (int i = 0; i < times; ++i) {
            text += line;
        }
        return text;
    }

    testsupport::TempDir folder;
    TableDescriptionFile description;
};

TEST_F(TableDescriptionTest, ReadsEveryKindOfLine)
{
    ASSERT_EQ(read("T,Pacientes,qryPatients,Patient,VXPatient,Y,Y,VXTS,Inactive=0\r\n"
                   "F,PatId,PatientId,K,Y,Y\r\n"
                   "F,Name,LastName,C\r\n"
                   "F,Seq,RowId,A\r\n"
                   "F,Note,Remarks,N,,Y\r\n"
                   "D,1,Source\r\n"
                   "S,Diags,qryDiags,PatientDiagnosis\r\n"
                   "B,PatId,PatientId,K\r\n"
                   "P,VelvixPrefs\r\n"),
              0);
    ASSERT_EQ(description.tables.size(), 1u);
    const auto& table = description.tables[0];
    EXPECT_EQ(table.handheldDatabase, "Pacientes");
    EXPECT_EQ(table.readTable, "qryPatients");
    EXPECT_EQ(table.writeTable, "Patient");
    EXPECT_EQ(table.mirrorTable, "VXPatient");
    EXPECT_EQ(table.flags, 3);
    EXPECT_EQ(table.timeStampColumn, "VXTS");
    EXPECT_EQ(table.extraCondition, "Inactive=0");

    ASSERT_EQ(table.fields.size(), 4u);
    EXPECT_EQ(table.fields[0].handheldName, "PatId");
    EXPECT_EQ(table.fields[0].desktopColumn, "PatientId");
    EXPECT_EQ(table.fields[0].kind, FieldKind::Key);
    EXPECT_EQ(table.fields[0].flags, 3);
    EXPECT_EQ(table.fields[1].kind, FieldKind::Compared);
    EXPECT_EQ(table.fields[1].flags, 0);
    EXPECT_EQ(table.fields[2].kind, FieldKind::Autonumber);
    EXPECT_EQ(table.fields[3].kind, FieldKind::Carried);
    EXPECT_EQ(table.fields[3].flags, 2);

    ASSERT_EQ(table.constantColumns.size(), 1u);
    EXPECT_EQ(table.constantColumns[0].value, "1");
    EXPECT_EQ(table.constantColumns[0].desktopColumn, "Source");

    EXPECT_EQ(table.firstSubTable, 0);
    EXPECT_EQ(table.subTableCount, 1);
    ASSERT_EQ(description.subTables.size(), 1u);
    const auto& subTable = description.subTables[0];
    EXPECT_EQ(subTable.handheldDatabase, "Diags");
    EXPECT_EQ(subTable.readTable, "qryDiags");
    EXPECT_EQ(subTable.writeTable, "PatientDiagnosis");
    EXPECT_EQ(subTable.mirrorTable, "PatientDiagnosis");
    ASSERT_EQ(subTable.fields.size(), 1u);
    EXPECT_EQ(subTable.fields[0].desktopColumn, "PatientId");

    EXPECT_EQ(description.preferenceDatabase, "VelvixPrefs");
    EXPECT_NE(log().find("sub file added to table Pacientes"), std::string::npos);
}

TEST_F(TableDescriptionTest, LastTokenOfTableAndSubTableLinesIsTheRestOfTheLine)
{
    ASSERT_EQ(read("T,Db,Read,Write,Mirror,N,N,Stamp, Status IN (0, 1) AND [Name] <> 'a b' \t \r\n"
                   "S,Sub,SubRead, Sub Write, extra \n"),
              0);
    EXPECT_EQ(description.tables[0].extraCondition, "Status IN (0, 1) AND [Name] <> 'a b'");
    EXPECT_EQ(description.tables[0].flags, 0);
    EXPECT_EQ(description.subTables[0].writeTable, "Sub Write, extra");
}

TEST_F(TableDescriptionTest, MissingTokensReadAsEmptyText)
{
    ASSERT_EQ(read("T,Db,Read\nS,Sub\nP\n"), 0);
    const auto& table = description.tables[0];
    EXPECT_EQ(table.readTable, "Read");
    EXPECT_EQ(table.writeTable, "");
    EXPECT_EQ(table.mirrorTable, "");
    EXPECT_EQ(table.timeStampColumn, "");
    EXPECT_EQ(table.extraCondition, "");
    EXPECT_EQ(description.subTables[0].readTable, "");
    EXPECT_EQ(description.preferenceDatabase, "");

    // A field without its kind letter has an empty kind, which no field may have.
    EXPECT_EQ(read("T,Db,Read\nF,Name,Column\n"), 1);
}

TEST_F(TableDescriptionTest, TokensLoseLeadingAndTrailingBlanksAndTabsButKeepInnerOnes)
{
    ASSERT_EQ(read("T,\t  Patient Db \t, Read ,Write,Mirror\nF, \tFirst Name\t ,\t[x] y,  K\n"), 0);
    EXPECT_EQ(description.tables[0].handheldDatabase, "Patient Db");
    EXPECT_EQ(description.tables[0].readTable, "Read");
    EXPECT_EQ(description.tables[0].fields[0].handheldName, "First Name");
    EXPECT_EQ(description.tables[0].fields[0].desktopColumn, "[x] y");
    EXPECT_EQ(description.tables[0].fields[0].kind, FieldKind::Key);
}

TEST_F(TableDescriptionTest, SingleByteCodePageLettersAreKept)
{
    // "Año" and "Código" in Windows-1252, with a no-break space after the column.
    ASSERT_EQ(read("T,A\xF1o,Read\nF,C\xF3" "digo,Col\xA0,K\n"), 0);
    EXPECT_EQ(description.tables[0].handheldDatabase, "A\xF1o");
    EXPECT_EQ(description.tables[0].fields[0].handheldName, "C\xF3" "digo");
    EXPECT_EQ(description.tables[0].fields[0].desktopColumn, "Col");
}

TEST_F(TableDescriptionTest, FieldKindMustBeOneOfTheFourLetters)
{
    EXPECT_EQ(read("T,Db\nF,a,b,Key\n"), 0);
    EXPECT_EQ(description.tables[0].fields[0].kind, FieldKind::Key);
    EXPECT_EQ(read("T,Db\nF,a,b,X\nF,c,d,K\n"), 1);
    EXPECT_EQ(read("T,Db\nS,Sub,r,w\nB,a,b,k\n"), 1);
}

TEST_F(TableDescriptionTest, LinesBeforeTheirOwnerAreIgnoredExceptSubTables)
{
    EXPECT_EQ(read("F,a,b,K\nD,1,c\nB,a,b,K\nT,Db\nB,e,f,K\n"), 0);
    ASSERT_EQ(description.tables.size(), 1u);
    EXPECT_TRUE(description.tables[0].fields.empty());
    EXPECT_TRUE(description.tables[0].constantColumns.empty());
    EXPECT_TRUE(description.subTables.empty());

    EXPECT_EQ(read("S,Sub,r,w\nT,Db\n"), 1);
    EXPECT_TRUE(description.tables.empty());
}

TEST_F(TableDescriptionTest, LinesOfOtherKindsAndEmptyLinesAreIgnored)
{
    EXPECT_EQ(read("\n; a comment\nt,lower\nX\nT,Db\n\n\r\nF,a,b,C\n"), 0);
    ASSERT_EQ(description.tables.size(), 1u);
    EXPECT_EQ(description.tables[0].fields.size(), 1u);
}

TEST_F(TableDescriptionTest, FieldsAndConstantsBeyondTheirLimitsAreIgnored)
{
    ASSERT_EQ(read("T,Db\n" + repeated("F,a,b,K\n", 30) + "F,last,b,X\n" + repeated("D,1,c\n", 6) +
                   "S,Sub,r,w\n" + repeated("B,a,b,C\n", 31)),
              0);
    EXPECT_EQ(description.tables[0].fields.size(), kMaxFields);
    EXPECT_EQ(description.tables[0].constantColumns.size(), kMaxConstantColumns);
    EXPECT_EQ(description.subTables[0].fields.size(), kMaxFields);
}

TEST_F(TableDescriptionTest, TablesAndSubTablesBeyondTheirLimitsMakeTheFileInvalid)
{
    EXPECT_EQ(read(repeated("T,Db\n", 20)), 0);
    EXPECT_EQ(description.tables.size(), kMaxTables);
    EXPECT_EQ(read(repeated("T,Db\n", 21)), 1);

    EXPECT_EQ(read("T,Db\n" + repeated("S,Sub,r,w\n", 20)), 0);
    EXPECT_EQ(description.subTables.size(), kMaxSubTables);
    EXPECT_EQ(read("T,Db\n" + repeated("S,Sub,r,w\n", 21)), 1);
}

TEST_F(TableDescriptionTest, SubTablesJoinTheTableOfTheLastTableLine)
{
    ASSERT_EQ(read("T,First\nS,A,r,w\nS,B,r,w\nT,Second\nT,Third\nS,C,r,w\n"), 0);
    EXPECT_EQ(description.tables[0].firstSubTable, 0);
    EXPECT_EQ(description.tables[0].subTableCount, 2);
    EXPECT_EQ(description.tables[1].firstSubTable, -1);
    EXPECT_EQ(description.tables[1].subTableCount, 0);
    EXPECT_EQ(description.tables[2].firstSubTable, 2);
    EXPECT_EQ(description.tables[2].subTableCount, 1);
    const std::string entries = log();
    EXPECT_NE(entries.find("sub file added to table First"), std::string::npos);
    EXPECT_NE(entries.find("sub file added to table Third"), std::string::npos);
    EXPECT_EQ(entries.find("sub file added to table Second"), std::string::npos);
}

TEST_F(TableDescriptionTest, TokensAreCutToTheirFieldsLeavingRoomForTheTerminator)
{
    const std::string name19(19, 'n');
    const std::string column40(40, 'c');
    const std::string condition120(120, 'x');
    ASSERT_EQ(read("T," + name19 + "," + column40 + ",w,m,Y,Y,StampStampStampStamp," +
                   condition120 + "\nF," + name19 + "z," + column40 + ",C\nP," + column40 + "\n"),
              0);
    const auto& table = description.tables[0];
    EXPECT_EQ(table.handheldDatabase, name19);
    EXPECT_EQ(table.readTable, std::string(39, 'c'));
    EXPECT_EQ(table.timeStampColumn, "StampStampStampStam");
    EXPECT_EQ(table.extraCondition, std::string(99, 'x'));
    EXPECT_EQ(table.fields[0].handheldName, name19);
    EXPECT_EQ(description.preferenceDatabase, std::string(39, 'c'));
}

TEST_F(TableDescriptionTest, LineLongerThan199CharactersContinuesAsTheNextLine)
{
    // The T line's first 199 characters end in its condition; the rest begins with "F".
    std::string line = "T,Db,Read,Write,Mirror,N,N,Stamp,";
    line += std::string(199 - line.size(), 'x');
    ASSERT_EQ(read(line + "F,Name,Column,K\n"), 0);
    EXPECT_EQ(description.tables[0].extraCondition, std::string(99, 'x'));
    ASSERT_EQ(description.tables[0].fields.size(), 1u);
    EXPECT_EQ(description.tables[0].fields[0].desktopColumn, "Column");
}

TEST_F(TableDescriptionTest, LastPreferenceLineCountsAndNoneIsNoError)
{
    ASSERT_EQ(read("T,Db\nP,First,ignored\nP, Second \n"), 0);
    EXPECT_EQ(description.preferenceDatabase, "Second");
    ASSERT_EQ(read("T,Db\n"), 0);
    EXPECT_EQ(description.preferenceDatabase, "");
}

TEST_F(TableDescriptionTest, MissingFileFails)
{
    EXPECT_EQ(ReadTableDescriptionFile(folder.file("missing.vlx"), description), 1);
    EXPECT_TRUE(description.tables.empty());
}

TEST(NextTokenTest, WalksTheLineAndAnswersEmptyTextPastItsEnd)
{
    const std::string line = "T,one, two ,three four";
    std::size_t position = 2;
    EXPECT_EQ(NextToken(position, line, ','), "one");
    EXPECT_EQ(NextToken(position, line, ','), "two");
    EXPECT_EQ(NextToken(position, line, kRestOfLine), "three four");
    EXPECT_EQ(position, line.size());
    EXPECT_EQ(NextToken(position, line, ','), "");
    position = line.size() + 10;
    EXPECT_EQ(NextToken(position, line, ','), "");
    EXPECT_EQ(position, line.size());
}

}  // namespace
