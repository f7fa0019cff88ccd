// The detailed charge report and the billing list over rows of ChargesDescriptive.
#include "AppGlobals.h"
#include "AsisRutinasRecordsets.h"
#include "ChargeReports.h"
#include "CoreTestEnvironment.h"
#include "JetConnection.h"
#include "Recordset.h"
#include "ViewFileLayout.h"
#include "ViewFileLines.h"
#include "ViewerCommandLine.h"

#include <QFile>

#include <gtest/gtest.h>

#include <filesystem>

using namespace viewfilelines;
using namespace viewfilelayout;

namespace {

constexpr int kJohn = 25001;
constexpr int kJane = 25002;
constexpr int kInsideVisit = 99231;   // charge type 1
constexpr int kOutsideVisit = 99311;  // charge type 2
constexpr double kSeparation = 0.025 * 1440;  // the least room that reads as one between two texts
const std::vector<std::string> kNone;

class ChargeReportTest : public CoreTest {
protected:
    void SetUp() override
    {
        CoreTest::SetUp();
        previousFolder = SetProgramFolder(QString::fromStdString(folder.path().string()));
        previousLauncher = SetViewerLauncher([this](const ViewerCommand& command) {
            started.push_back(command);
            return true;
        });
        run("INSERT INTO Insurance (InsuranceCode, Description, BillingInsuranceCode) VALUES (1, 'Medicare', 'MC')");
        run("INSERT INTO Doctors (DoctorCode, Description, BillingDoctorCode) VALUES (1, 'Dr. House', 'BH1')");
        run("INSERT INTO Doctors (DoctorCode, Description, BillingDoctorCode) VALUES (2, 'Dr. Refer', 'RF2')");
        run("INSERT INTO Facility (FacilityCode, Description, FacilityTypeCode, BillingFacilityCode, "
            "BillingFacilityCodeOut) VALUES (1, 'General Hospital', 1, 'FIN', 'FOUT')");
        run("INSERT INTO EvaluationManagement (EMCode, Description, FacilityTypeCode, ChargeTypeCode, "
            "AttentionTypeCode, BillingEMCode, RealEMCode) VALUES (99231, 'Subsequent care', 1, 1, 1, 'B99231', "
            "'R99231')");
        run("INSERT INTO EvaluationManagement (EMCode, Description, FacilityTypeCode, ChargeTypeCode, "
            "AttentionTypeCode, BillingEMCode, RealEMCode) VALUES (99311, 'Nursing visit', 2, 2, 1, 'B99311', "
            "'R99311')");
        run("INSERT INTO Patient (PatientId, Names, DateOfBirth, AccountNumber, InsuranceCode) VALUES "
            "(25001, 'Doe, John', '1931-03-04', 'ACC1', 1)");
        run("INSERT INTO Patient (PatientId, Names, DateOfBirth, AccountNumber, InsuranceCode) VALUES "
            "(25002, 'Roe, Jane', '1940-05-06', 'ACC2', 1)");
        for (int k = 1; k <= 9; ++k) {
            run(QStringLiteral("INSERT INTO Diagnosis (DiagnosisCode, Description, RealDiagnosisCode, "
                               "BillingDiagnosisCode) VALUES (%1, 'Diag %1', 'R-D%1', 'B-D%1')")
                    .arg(k));
            run(QStringLiteral("INSERT INTO Procedures (ProcedureCode, Description, RealProcedureCode, "
                               "BillingProcedureCode) VALUES (%1, 'Proc %1', 'R-P%1', 'B-P%1')")
                    .arg(k));
        }
    }

    void TearDown() override
    {
        SetViewerLauncher(previousLauncher);
        SetProgramFolder(previousFolder);
        CoreTest::TearDown();
    }

    void run(const QString& sql)
    {
        long affected = 0;
        std::string error;
        ASSERT_TRUE(Globals().DbConnection->execute(sql.toStdString(), affected, error)) << error;
    }

    // A charge of 12/07/2020 whose creation time is minute `minute` after 08:00.
    void addCharge(int patientId, int minute, int emCode, int status, int diagnoses, int procedures)
    {
        const QString time = QStringLiteral("%1:%2:00").arg(8 + minute / 60, 2, 10, QChar('0')).arg(minute % 60, 2, 10, QChar('0'));
        const QString key = QStringLiteral("%1, '2020-12-01', '%2'").arg(patientId).arg(time);
        run(QStringLiteral("INSERT INTO PatientCharges (PatientId, ChargeDate, ChargeTime, ChargeRealDate, FacilityCode, "
                           "EMCode, DoctorCode, ReferDoctorCode, Status) VALUES (%1, '2020-12-07', 1, %2, 1, 2, %3)")
                .arg(key).arg(emCode).arg(status));
        for (int k = 1; k <= diagnoses; ++k)
            run(QStringLiteral("INSERT INTO ChargeDiagnosis (PatientId, ChargeDate, ChargeTime, DiagnosisCode) "
                               "VALUES (%1, %2)").arg(key).arg(k));
        for (int k = 1; k <= procedures; ++k)
            run(QStringLiteral("INSERT INTO ChargeProcedures (PatientId, ChargeDate, ChargeTime, ProcedureCode) "
                               "VALUES (%1, %2)").arg(key).arg(k));
    }

    // Jane with the longest names and codes a practice writes: a long E&M description, facility,
    // doctor and insurance, an account number, diagnosis and procedure codes with modifiers.
    void giveLongNames()
    {
        run("UPDATE EvaluationManagement SET Description = 'Subsequent hospital care for the evaluation and "
            "management of a patient, moderate complexity', RealEMCode = 'R99231-25'");
        run("UPDATE Facility SET Description = 'Saint Bartholomew Regional Medical Center and Extended Care "
            "Pavilion', BillingFacilityCode = 'FIN-2207'");
        run("UPDATE Doctors SET Description = 'Dr. Maximilian Featherstonehaugh-Whittingham', "
            "BillingDoctorCode = 'BH1-2207-X'");
        run("UPDATE Insurance SET Description = 'Medicare Part B Supplemental Coverage Plan of the Northwest'");
        run("UPDATE Patient SET Names = 'Whitcombe-Harrington, Marguerite Anastasia Evangeline', "
            "AccountNumber = 'AC41659' WHERE PatientId = 25002");
        const char* procedures[] = {"97597-GP", "20610", "11042-XS", "97110-GP-KX", "29580", "97140-59"};
        for (int k = 1; k <= 6; ++k) {
            run(QStringLiteral("UPDATE Diagnosis SET RealDiagnosisCode = 'S72.00%1A', Description = 'Fracture of "
                               "unspecified part of neck of right femur, initial encounter' WHERE DiagnosisCode = %1")
                    .arg(k));
            run(QStringLiteral("UPDATE Procedures SET RealProcedureCode = '%1', Description = 'Debridement, open "
                               "wound, selective, first 20 square centimeters' WHERE ProcedureCode = %2")
                    .arg(QString::fromLatin1(procedures[k - 1]))
                    .arg(k));
        }
    }

    RecordsetPtr charges()
    {
        RecordsetPtr records;
        QString error;
        EXPECT_EQ(OpenRecordset(records,
                                QStringLiteral("SELECT * FROM ChargesDescriptive ORDER BY PatientId, ChargeTime"),
                                error),
                  0)
            << error.toStdString();
        return records;
    }

    bool printDetail(bool realCodes, float height = 11.0f)
    {
        RecordsetPtr records = charges();
        path = ViewFilePath(QString::fromLatin1(realCodes ? viewfilename::ChargesDetail
                                                          : viewfilename::ChargesDetailWithBillingCodes));
        error.clear();
        return PrintChargeReport(*records, path, 8.5f, height, QString(), QStringLiteral("Outstanding Charges (All)"),
                                 QString(), realCodes, error);
    }

    bool printList(bool realCodes, const QString& subtitle = QString())
    {
        RecordsetPtr records = charges();
        path = ViewFilePath(QString::fromLatin1(realCodes ? viewfilename::ChargesDataEntry
                                                          : viewfilename::ChargesDataEntryWithBillingCodes));
        error.clear();
        return PrintChargeList(*records, path, 11.0f, 8.2f, QString(), QStringLiteral("Billing (Ready)"), subtitle,
                               realCodes, error);
    }

    std::vector<std::string> lines() const { return splitLines(testsupport::readFile(path.toStdString())); }

    // Text elements of a page whose text is exactly value.
    std::vector<std::string> texts(const std::string& value) const
    {
        std::vector<std::string> found;
        for (const std::string& line : lines()) {
            if (line.rfind("LORIMAND10", 0) != 0 && field(line, 7) == "0" && field(line, 19) == value)
                found.push_back(line);
        }
        return found;
    }

    std::vector<std::string> boxes() const
    {
        std::vector<std::string> found;
        for (const std::string& line : lines()) {
            if (line.rfind("LORIMAND10", 0) != 0 && field(line, 7) == "2")
                found.push_back(line);
        }
        return found;
    }

    // The single text element holding value; its x and y in twips.
    std::pair<long, long> placeOf(const std::string& value) const
    {
        const std::vector<std::string> found = texts(value);
        EXPECT_EQ(found.size(), 1u) << value;
        if (found.empty())
            return {-1, -1};
        return {twips(field(found[0], 2)), twips(field(found[0], 3))};
    }

    QString path;
    QString error;
    std::vector<ViewerCommand> started;

private:
    QString previousFolder;
    ViewerLauncher previousLauncher;
};

using DetailedChargeReport = ChargeReportTest;
using BillingList = ChargeReportTest;

}  // namespace

TEST_F(DetailedChargeReport, ABlockSpellsOutEveryFieldWithRealCodes)
{
    addCharge(kJohn, 0, kInsideVisit, 0, 3, 2);
    ASSERT_TRUE(printDetail(true)) << error.toStdString();
    EXPECT_TRUE(path.endsWith(QStringLiteral("/ChargesDetail.lrm")));
    ASSERT_EQ(started.size(), 1u);

    const std::vector<std::string> frames = boxes();
    ASSERT_EQ(frames.size(), 2u + 6u + 1u) << "two frames, six rules, one separator";
    EXPECT_EQ(frames[0], "1,720,2088,10080,2520,0,2,,,,,0,16777215,,,,,28.8,") << "7 x 0.25 high at 1.45";
    EXPECT_EQ(twips(field(frames[1], 2)), 4224);
    EXPECT_EQ(twips(field(frames[1], 4)), 3504);
    EXPECT_EQ(twips(field(frames[2], 3)), 2448);
    EXPECT_EQ(twips(field(frames[2], 4)), 3504);
    EXPECT_EQ(frames[2].substr(frames[2].find(",3504,")), ",3504,7.2,0,2,,,,,0,0,,,,,1.44,");

    const std::vector<std::string> patient = texts("Doe, John  (03/04/31) ");
    ASSERT_EQ(patient.size(), 1u);
    EXPECT_EQ(twips(field(patient[0], 2)), 864);
    EXPECT_EQ(patient[0].substr(patient[0].find(",2088,")),
              ",2088,3312,345.6,,0,0,2,,,0,,Times New Roman,10,0,1,,Doe, John  (03/04/31) ");
    const std::vector<std::string> label = texts("Patient");
    ASSERT_EQ(label.size(), 1u);
    EXPECT_EQ(label[0].substr(label[0].find(",2088,")), ",2088,2880,288,,0,0,0,,,0,,Times New Roman,6,0,0,,Patient");

    EXPECT_EQ(placeOf("Date of Service").second, 2448);
    EXPECT_EQ(placeOf("12/07/20").second, 2448);
    EXPECT_EQ(placeOf("Subsequent care  (R99231)").second, 2808);
    EXPECT_EQ(placeOf("Evaluation & Managment").second, 2808);
    EXPECT_EQ(placeOf("General Hospital  (FIN)").second, 3168);
    EXPECT_EQ(placeOf("Dr. Refer  (RF2)").second, 3528);
    EXPECT_EQ(placeOf("Dr. House  (BH1)").second, 3888);
    EXPECT_EQ(placeOf("Medicare").second, 4248);
    EXPECT_EQ(placeOf("Insurance").second, 4248);

    EXPECT_EQ(placeOf("Diagnosis"), std::make_pair(4238L, 2088L));
    EXPECT_EQ(placeOf("Diag 1 (R-D1)"), std::make_pair(4368L, 2088L));
    EXPECT_EQ(placeOf("Diag 3 (R-D3)"), std::make_pair(4368L, 2808L));
    EXPECT_EQ(placeOf("Procedures"), std::make_pair(7742L, 2088L));
    EXPECT_EQ(placeOf("Proc 2 (R-P2)"), std::make_pair(7872L, 2448L));
}

TEST_F(DetailedChargeReport, BillingCodesSwitchOnlyEmDiagnosesAndProcedures)
{
    addCharge(kJohn, 0, kInsideVisit, 0, 1, 1);
    addCharge(kJane, 1, kOutsideVisit, 0, 0, 0);
    ASSERT_TRUE(printDetail(false)) << error.toStdString();
    EXPECT_TRUE(path.endsWith(QStringLiteral("/ChargesDetailB.lrm")));
    EXPECT_EQ(texts("Subsequent care  (B99231)").size(), 1u);
    EXPECT_EQ(texts("Diag 1 (B-D1)").size(), 1u);
    EXPECT_EQ(texts("Proc 1 (B-P1)").size(), 1u);
    EXPECT_EQ(texts("General Hospital  (FIN)").size(), 1u) << "facility keeps its billing code";
    EXPECT_EQ(texts("Dr. House  (BH1)").size(), 2u);
    EXPECT_EQ(placeOf("General Hospital  (FOUT)").second, 5904) << "charge type 2 (second block) shows the outside code";
    EXPECT_EQ(placeOf("Roe, Jane  (05/06/40) ").second, 4824) << "second block at 1.45 + 1.9";
}

TEST_F(DetailedChargeReport, MoreDiagnosesOrProceduresGrowTheBlock)
{
    addCharge(kJohn, 0, kInsideVisit, 0, 9, 2);
    addCharge(kJohn, 1, kInsideVisit, 0, 1, 8);
    addCharge(kJane, 2, kInsideVisit, 0, 0, 0);
    ASSERT_TRUE(printDetail(true)) << error.toStdString();
    std::vector<std::string> frames;
    for (const std::string& box : boxes()) {
        if (twips(field(box, 4)) == 10080)
            frames.push_back(box);
    }
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(twips(field(frames[0], 5)), 3240) << "9 x 0.25";
    EXPECT_EQ(twips(field(frames[1], 3)), 5544) << "1.45 + 2.25 + 0.15";
    EXPECT_EQ(twips(field(frames[1], 5)), 2880) << "8 x 0.25";
    EXPECT_EQ(twips(field(frames[2], 3)), 8640) << "3.85 + 2.0 + 0.15";
    EXPECT_EQ(twips(field(frames[2], 5)), 2520);
    EXPECT_EQ(placeOf("Diag 9 (R-D9)").second, 4968) << "ninth line of the first block";
}

TEST_F(DetailedChargeReport, FourSevenLineBlocksFillAnElevenInchPage)
{
    for (int i = 0; i < 5; ++i)
        addCharge(kJohn, i, kInsideVisit, 0, 1, 1);
    ASSERT_TRUE(printDetail(true)) << error.toStdString();
    std::vector<std::string> frames;
    std::vector<std::string> bars;
    for (const std::string& box : boxes()) {
        if (twips(field(box, 4)) == 10080)
            frames.push_back(box);
        if (field(box, 12) == "12895428")
            bars.push_back(box);
    }
    ASSERT_EQ(frames.size(), 5u);
    const long expectedY[] = {2088, 4824, 7560, 10296, 2088};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(twips(field(frames[i], 3)), expectedY[i]) << i;
        EXPECT_EQ(field(frames[i], 1), i < 4 ? "1" : "2") << i;
    }
    ASSERT_EQ(bars.size(), 2u);
    EXPECT_EQ(twips(field(bars[1], 3)), 15120);
    EXPECT_EQ(texts("Vantora").size(), 2u);
}

TEST_F(DetailedChargeReport, LongTextsStayInsideTheirColumns)
{
    giveLongNames();
    addCharge(kJane, 0, kInsideVisit, 0, 3, 3);
    addCharge(kJohn, 1, kInsideVisit, 0, 1, 1);
    ASSERT_TRUE(printDetail(true)) << error.toStdString();

    const std::vector<Area> drawn = drawnTexts(lines());
    const std::vector<Area> frames = viewfilelayout::boxes(lines());
    // The sides of the frames and cells beside a text are its column's edges.
    const auto frameSides = [&](const Area& text) {
        std::vector<double> sides;
        const double middle = (text.top + text.bottom) / 2;
        for (const Area& box : frames) {
            if (box.page == text.page && box.bottom - box.top > 144 && box.top <= middle && middle <= box.bottom) {
                sides.push_back(box.left);
                sides.push_back(box.right);
            }
        }
        return sides;
    };
    EXPECT_EQ(crowdedRows(drawn, kSeparation), kNone);
    EXPECT_EQ(pastTheirColumn(drawn, frameSides), kNone);
    EXPECT_EQ(pastTheRight(drawn, (8.5 - 0.33) * 1440), kNone);
    EXPECT_EQ(placeOf("Doe, John  (03/04/31) ").first, 864) << "a text that fits keeps its place and whole";
    std::string emDescription;
    for (const std::string& line : lines()) {
        if (field(line, 19).rfind("Subsequent hospital", 0) == 0)
            emDescription = field(line, 19);
    }
    EXPECT_TRUE(emDescription.ends_with("\x85  (R99231-25)")) << "the description is cut, with \"\u2026\", its "
                                                                "code kept: "
                                                             << emDescription;
}

TEST_F(DetailedChargeReport, AnEmptyListWritesNothingAndStartsNothing)
{
    EXPECT_TRUE(printDetail(true));
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(started.empty());
}

TEST_F(DetailedChargeReport, UnreadableCodesStopTheReportWithoutAFile)
{
    addCharge(kJohn, 0, kInsideVisit, 0, 1, 1);
    RecordsetPtr records = charges();
    run("DROP TABLE ChargeProcedures");
    path = ViewFilePath(QStringLiteral("ChargesDetail"));
    EXPECT_FALSE(PrintChargeReport(*records, path, 8.5f, 11.0f, QString(), QStringLiteral("T"), QString(), true, error));
    EXPECT_TRUE(error.contains(QStringLiteral("could not be read"))) << error.toStdString();
    EXPECT_EQ(shownMessages.size(), 1) << "the reader showed its own message";
    EXPECT_FALSE(QFile::exists(path));
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        EXPECT_EQ(entry.path().filename().string().find("ChargesDetail"), std::string::npos) << entry.path();
    EXPECT_TRUE(started.empty());
}

TEST_F(BillingList, HeadingRowAndOneChargeLine)
{
    addCharge(kJohn, 0, kInsideVisit, 0, 2, 1);
    ASSERT_TRUE(printList(true)) << error.toStdString();
    EXPECT_EQ(lines().front(), "LORIMAND10,11,8.2");

    const std::vector<std::string> patientHeading = texts("Patient");
    ASSERT_EQ(patientHeading.size(), 1u);
    EXPECT_EQ(patientHeading[0], "1,792,1800,3528,360,,0,0,1,,,0,,Times New Roman,10,1,1,,Patient");
    const std::vector<std::string> all = boxes();
    ASSERT_EQ(all.size(), 9u + 1u);
    EXPECT_EQ(all[0], "1,720,1800,4248,360,0,2,,,,,12895428,12895428,,,,,1.44,");
    EXPECT_EQ(placeOf("Status"), std::make_pair(14616L, 1800L));
    EXPECT_EQ(twips(field(texts("Refer.")[0], 4)), 864);
    EXPECT_EQ(all[9], "1,720,11088,14544,72,0,2,,,,,12895428,12895428,,,,,14.4,") << "bar at 7.7, 10.1 long";

    const std::vector<std::string> position = texts("1");
    ASSERT_EQ(position.size(), 1u);
    EXPECT_EQ(position[0], "1,576,2160,3240,216,,0,0,1,,,0,,Times New Roman,6,0,1,,1");
    EXPECT_EQ(placeOf("ACC1"), std::make_pair(792L, 2160L));
    EXPECT_EQ(placeOf("Doe, John (03/04/31) "), std::make_pair(1512L, 2160L));
    EXPECT_EQ(placeOf("FIN"), std::make_pair(5112L, 2160L));
    EXPECT_EQ(placeOf("R-D1"), std::make_pair(5832L, 2160L));
    EXPECT_EQ(placeOf("R-D2"), std::make_pair(6552L, 2160L));
    EXPECT_EQ(placeOf("R-P1"), std::make_pair(8712L, 2160L));
    EXPECT_EQ(placeOf("R99231"), std::make_pair(11592L, 2160L));
    EXPECT_EQ(placeOf("12/07/20"), std::make_pair(12312L, 2160L));
    EXPECT_EQ(placeOf("RF2"), std::make_pair(13176L, 2160L));
    EXPECT_EQ(placeOf("BH1"), std::make_pair(13896L, 2160L));
    const std::vector<std::string> status = texts("Ready");
    ASSERT_EQ(status.size(), 1u);
    EXPECT_EQ(status[0].substr(status[0].find(",2160,")), ",2160,648,216,,0,0,1,,,128,,Times New Roman,10,0,1,,Ready");
}

TEST_F(BillingList, FourCodesToALineAndTheTallerListSetsTheHeight)
{
    addCharge(kJohn, 0, kInsideVisit, 0, 5, 0);
    addCharge(kJane, 1, kInsideVisit, 0, 1, 5);
    addCharge(kJane, 2, kInsideVisit, 0, 0, 0);
    ASSERT_TRUE(printList(false)) << error.toStdString();
    EXPECT_EQ(placeOf("B-D4"), std::make_pair(7992L, 2160L));
    EXPECT_EQ(placeOf("B-P4").first, 10872);
    const std::vector<std::string> fifth = texts("B-D5");
    ASSERT_EQ(fifth.size(), 1u);
    EXPECT_EQ(twips(field(fifth[0], 2)), 5832);
    EXPECT_EQ(twips(field(fifth[0], 3)), 2376) << "second line of codes 0.15 lower";
    EXPECT_EQ(placeOf("B-P5"), std::make_pair(8712L, 2966L)) << "1.91 + 0.15";
    EXPECT_EQ(placeOf("2").second, 2736) << "1.5 + 0.4, then the rule's 0.01 after it";
    EXPECT_EQ(placeOf("ACC2").second, 2750);
    EXPECT_EQ(placeOf("3").second, 2750 + 576) << "5 procedures make the line 0.4 high";
}

TEST_F(BillingList, OnePatientLineForConsecutiveChargesAndAGreyRuleBeforeTheNext)
{
    addCharge(kJohn, 0, kInsideVisit, 0, 1, 1);
    addCharge(kJohn, 1, kInsideVisit, 1, 1, 1);
    addCharge(kJohn, 2, kOutsideVisit, 2, 1, 1);
    addCharge(kJane, 3, kInsideVisit, 0, 1, 1);
    ASSERT_TRUE(printList(true)) << error.toStdString();
    EXPECT_EQ(texts("ACC1").size(), 1u);
    EXPECT_EQ(texts("Doe, John (03/04/31) ").size(), 1u);
    EXPECT_EQ(texts("ACC2").size(), 1u);

    std::vector<std::string> rules;
    for (const std::string& box : boxes()) {
        if (twips(field(box, 5)) == 14)
            rules.push_back(box);
    }
    ASSERT_EQ(rules.size(), 1u);
    EXPECT_EQ(twips(field(rules[0], 3)), 2988) << "0.025 above the fourth line at 2.1";
    EXPECT_EQ(twips(field(rules[0], 4)), 14400) << "page width - 1";
    EXPECT_EQ(placeOf("ACC2").second, 3038);

    EXPECT_EQ(field(texts("Posted")[0], 12), "32896");
    EXPECT_EQ(field(texts("Archived")[0], 12), "32768");
    EXPECT_EQ(texts("FOUT").size(), 1u) << "charge type 2";
    EXPECT_EQ(texts("FIN").size(), 3u);
}

TEST_F(BillingList, TheSamePatientIsPrintedAgainAfterAPageBreak)
{
    for (int i = 0; i < 32; ++i)
        addCharge(kJohn, i, kInsideVisit, 0, 1, 1);
    ASSERT_TRUE(printList(true)) << error.toStdString();
    const std::vector<std::string> accounts = texts("ACC1");
    ASSERT_EQ(accounts.size(), 2u);
    EXPECT_EQ(field(accounts[1], 1), "2");
    EXPECT_EQ(twips(field(accounts[1], 3)), 2160);
    EXPECT_EQ(field(texts("28")[0], 1), "1");
    EXPECT_EQ(field(texts("29")[0], 1), "2") << "28 lines of 0.2 from 1.5 fit above 7.2";
    EXPECT_EQ(texts("Status").size(), 2u) << "headings on every page";
}

TEST_F(BillingList, ALongSubtitleLeavesTheHeadingsAndMovesTheFirstCharge)
{
    addCharge(kJohn, 0, kInsideVisit, 0, 1, 1);
    ASSERT_TRUE(printList(true, QStringLiteral("Insurance: Medicare; from 12/07/2026 to 12/07/2026; Lot: 4")))
        << error.toStdString();
    EXPECT_EQ(placeOf("Status").second, 1800);
    EXPECT_EQ(placeOf("ACC1").second, 2232) << "0.7 + 0.2 x 3 + 0.25";
}

TEST_F(BillingList, AccountNumbersNamesAndCodesStayInsideTheirColumns)
{
    giveLongNames();
    for (int i = 0; i < 100; ++i)
        addCharge(kJohn, i, kInsideVisit, 0, 0, 0);
    addCharge(kJane, 100, kInsideVisit, 2, 6, 6);
    addCharge(kJane, 101, kInsideVisit, 1, 2, 2);
    ASSERT_TRUE(printList(true)) << error.toStdString();

    const std::vector<Area> drawn = drawnTexts(lines());
    std::vector<Area> headings;
    for (const Area& box : viewfilelayout::boxes(lines())) {
        if (box.page == 1 && box.top == 1800)
            headings.push_back(box);
    }
    ASSERT_EQ(headings.size(), 9u);
    const double printableRight = (11.0 - 0.33) * 1440;
    // Below the headings a column reaches to where the texts of the next one begin, 0.05 inside
    // its heading; the positions stand in the margin of the patient column.
    const auto headingEdges = [&](const Area& text) {
        std::vector<double> edges;
        if (text.top >= 1800 - 144) {
            for (std::size_t i = 1; i < headings.size(); ++i)
                edges.push_back(headings[i].left + 72);
            edges.push_back(printableRight);
        }
        return edges;
    };
    EXPECT_EQ(crowdedRows(drawn, kSeparation), kNone);
    EXPECT_EQ(pastTheirColumn(drawn, headingEdges), kNone);
    EXPECT_EQ(pastTheRight(drawn, printableRight), kNone);
    EXPECT_EQ(pastTheRight(viewfilelayout::boxes(lines()), printableRight), kNone);
    for (const char* whole : {"AC41659", "97597-GP", "97110-GP-KX", "20610", "S72.001A", "S72.006A", "Archived"})
        EXPECT_FALSE(texts(whole).empty()) << whole << " is printed whole";
    const std::vector<std::string> account = texts("ACC1");
    ASSERT_FALSE(account.empty());
    EXPECT_EQ(account[0].substr(0, 13), "1,792,2160,32") << "a text that fits keeps its place";
}

TEST_F(DetailedChargeReport, AReportBeyondTheViewersPagesIsRefusedBeforeAnythingIsWritten)
{
    // Four seven-line blocks fill an 11-inch page: 131,069 charges need at least 32,768 pages.
    Recordset records({{QStringLiteral("PatientId"), jet::ColumnType::Integer16},
                       {QStringLiteral("ChargeDate"), jet::ColumnType::Date},
                       {QStringLiteral("ChargeTime"), jet::ColumnType::Time}});
    for (int i = 0; i < 4 * 32767 + 1; ++i) {
        records.AddNew();
        records.SetField(QStringLiteral("PatientId"), kJohn);
        records.SetField(QStringLiteral("ChargeDate"), QDate(2020, 12, 1));
        records.SetField(QStringLiteral("ChargeTime"), QTime(8, 0).addSecs(i % 86400));
        records.Update();
    }
    path = ViewFilePath(QString::fromLatin1(viewfilename::ChargesDetail));
    EXPECT_FALSE(PrintChargeReport(records, path, 8.5f, 11.0f, QString(), QStringLiteral("Outstanding Charges (All)"),
                                   QString(), true, error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("The report is too long for one file: its 131,069 rows need at least "
                                                "32,768 pages, and the viewer shows at most 32,767 pages")))
        << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("shorter range of dates"))) << error.toStdString();
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        EXPECT_EQ(entry.path().filename().string().find("ChargesDetail"), std::string::npos) << entry.path();
    EXPECT_TRUE(started.empty());
}
