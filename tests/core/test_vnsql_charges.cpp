// Charge data routines against a practice database.
#include "DataRoutinesTest.h"
#include "VNSQLCharges.h"

#include <QDateTime>
#include <QThread>

namespace {

const QDate kDay(2026, 12, 7);
const QTime kTime(10, 15, 0);
const QString kKey = "WHERE PatientId=25001  AND ChargeDate=#12/07/2026# AND ChargeTime =#10:15:00#";

class ChargeRoutines : public DataRoutinesTest {
protected:
    void SetUp() override
    {
        DataRoutinesTest::SetUp();
        run("INSERT INTO PatientCharges (PatientId, ChargeDate, ChargeTime, ChargeRealDate, FacilityCode, EMCode, "
            "DoctorCode, ReferDoctorCode, Status, PrintLot) VALUES (25001, '2026-12-07', '10:15:00', '2026-12-01', 3, "
            "12, 4, 0, 0, 0)");
        // The stored details are read joined to their code tables.
        for (int code : {3, 4, 5, 13, 40})
            run(QString("INSERT INTO Diagnosis (DiagnosisCode, Description) VALUES (%1, 'D%1')").arg(code));
        for (int code : {7, 8, 9})
            run(QString("INSERT INTO Procedures (ProcedureCode, Description) VALUES (%1, 'P%1')").arg(code));
    }

    void storeDiagnoses(std::initializer_list<int> codes)
    {
        for (int code : codes)
            run(QString("INSERT INTO ChargeDiagnosis VALUES (25001, '2026-12-07', '10:15:00', %1)").arg(code));
    }
    void storeProcedures(std::initializer_list<int> codes)
    {
        for (int code : codes)
            run(QString("INSERT INTO ChargeProcedures VALUES (25001, '2026-12-07', '10:15:00', %1)").arg(code));
    }
    QStringList diagnoses(int patientId = 25001)
    {
        return rows(QString("SELECT DiagnosisCode FROM ChargeDiagnosis WHERE PatientId=%1 ORDER BY DiagnosisCode")
                        .arg(patientId));
    }
    QStringList procedures(int patientId = 25001)
    {
        return rows(QString("SELECT ProcedureCode FROM ChargeProcedures WHERE PatientId=%1 ORDER BY ProcedureCode")
                        .arg(patientId));
    }
    qint16 update(const QString& diagnosisList, const QString& procedureList, QString& error)
    {
        return UpdateCharge(25001, kDay, kTime, QDate(2026, 11, 30), 14, 5, 6, 7, diagnosisList, procedureList, 1,
                            Loaded(StoredCharge(25001, kDay, kTime)),
                            error);
    }
};

}  // namespace

// --- inserting ------------------------------------------------------------------------------

TEST_F(ChargeRoutines, InsertWritesTheChargeAndItsCodesUnderTheMomentOfCreation)
{
    const QDateTime before = QDateTime::currentDateTime().addMSecs(-1000);
    QDate chargeDate;
    QTime chargeTime;
    QString error = "untouched";
    ASSERT_EQ(InsertCharge(25002, chargeDate, chargeTime, QDate(2026, 12, 1), 70000, 4, 0, 3, ";3;17;120;", ";7;", 0,
                           error),
              0)
        << error.toStdString();
    const QDateTime after = QDateTime::currentDateTime();
    EXPECT_EQ(error, "untouched");
    ASSERT_TRUE(chargeDate.isValid());
    const QDateTime created(chargeDate, chargeTime);
    EXPECT_GE(created, before);
    EXPECT_LE(created, after);
    EXPECT_EQ(chargeTime.msec(), 0) << "the key is handed back as stored, to the second";

    const QString d = chargeDate.toString("MM/dd/yyyy");
    const QString t = chargeTime.toString("HH:mm:ss");
    EXPECT_EQ(writes(),
              QStringList({"INSERT INTO PatientCharges (PatientId, ChargeDate, ChargeTime, ChargeRealDate, FacilityCode, "
                           "EMCode, DoctorCode, ReferDoctorCode, Status) VALUES (25002, #"
                               + d + "#, #" + t + "#, #12/01/2026#, 3,70000,4,0,0)",
                           "INSERT INTO ChargeDiagnosis (PatientId, ChargeDate, ChargeTime,  DiagnosisCode ) VALUES (25002, #"
                               + d + "#, #" + t + "#, 3)",
                           "INSERT INTO ChargeDiagnosis (PatientId, ChargeDate, ChargeTime,  DiagnosisCode ) VALUES (25002, #"
                               + d + "#, #" + t + "#, 17)",
                           "INSERT INTO ChargeDiagnosis (PatientId, ChargeDate, ChargeTime,  DiagnosisCode ) VALUES (25002, #"
                               + d + "#, #" + t + "#, 120)",
                           "INSERT INTO ChargeProcedures (PatientId, ChargeDate, ChargeTime,  ProcedureCode ) VALUES (25002, #"
                               + d + "#, #" + t + "#, 7)"}));
    EXPECT_EQ(rows("SELECT ChargeDate, ChargeTime, ChargeRealDate, EMCode FROM PatientCharges WHERE PatientId=25002"),
              QStringList({chargeDate.toString(Qt::ISODate) + "|" + t + "|2026-12-01|70000"}));
    EXPECT_EQ(diagnoses(25002), QStringList({"3", "17", "120"}));
    EXPECT_EQ(procedures(25002), QStringList({"7"}));
}

TEST_F(ChargeRoutines, InsertWithEmptyListsAndAListWithoutItsFinalSeparator)
{
    QDate chargeDate;
    QTime chargeTime;
    QString error;
    ASSERT_EQ(InsertCharge(25003, chargeDate, chargeTime, kDay, 1, 1, 0, 1, ";3;17", "", 0, error), 0);
    EXPECT_EQ(diagnoses(25003), QStringList({"3"})) << "the last code of ;3;17 has no closing separator";
    EXPECT_TRUE(procedures(25003).isEmpty());
}

TEST_F(ChargeRoutines, InsertWhoseSecondDiagnosisFailsTriesAllProceduresThenRollsBack)
{
    const QStringList before = snapshot();
    QDate chargeDate(1900, 1, 1);
    QTime chargeTime(0, 0);
    QString error;
    EXPECT_EQ(InsertCharge(25002, chargeDate, chargeTime, kDay, 1, 1, 0, 1, ";5;5;", ";7;8;", 0, error), 2);
    EXPECT_FALSE(error.isEmpty()) << "the failed detail row's text";
    EXPECT_EQ(writes().filter("INSERT INTO ChargeProcedures").size(), 2);
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(chargeDate, QDate(1900, 1, 1)) << "no key is handed back after a failure";
    EXPECT_EQ(chargeTime, QTime(0, 0));
}

TEST_F(ChargeRoutines, InsertRefusedByTheDatabaseReturnsOneAndWritesNoDetail)
{
    refuse("INSERT", "PatientCharges");
    const QStringList before = snapshot();
    QDate chargeDate;
    QTime chargeTime;
    QString error;
    EXPECT_EQ(InsertCharge(25002, chargeDate, chargeTime, kDay, 1, 1, 0, 1, ";5;", ";7;", 0, error), 1);
    EXPECT_TRUE(error.contains("refused by test")) << error.toStdString();
    EXPECT_EQ(writes().size(), 1) << "the details are not tried";
    EXPECT_EQ(snapshot(), before);
    EXPECT_FALSE(chargeDate.isValid());
}

TEST_F(ChargeRoutines, TwoChargesOfOnePatientInTheSameSecondCollide)
{
    // Only when the clock shows one second before the first call and after the second did both
    // take the same key. Each attempt keeps its own results; a retry starts at the turn of a second.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (attempt > 0)
            QThread::msleep(1000 - QTime::currentTime().msec());
        run("DELETE FROM PatientCharges WHERE PatientId=25009");
        QDate firstDate, secondDate;
        QTime firstTime, secondTime;
        QString error;
        const qint64 before = QDateTime::currentSecsSinceEpoch();
        ASSERT_EQ(InsertCharge(25009, firstDate, firstTime, kDay, 1, 1, 0, 1, ";", ";", 0, error), 0);
        const qint16 second = InsertCharge(25009, secondDate, secondTime, kDay, 1, 1, 0, 1, ";", ";", 0, error);
        if (QDateTime::currentSecsSinceEpoch() == before) {
            EXPECT_EQ(second, 1);
            EXPECT_FALSE(secondDate.isValid()) << "no key is handed back for a charge not stored";
            return;
        }
    }
    GTEST_SKIP() << "the clock moved on between the calls every time";
}

// --- updating -------------------------------------------------------------------------------

TEST_F(ChargeRoutines, UpdateStatementTextAndStoredValues)
{
    QString error;
    ASSERT_EQ(update(";", ";", error), 0) << error.toStdString();
    EXPECT_EQ(writes(), QStringList({"UPDATE PatientCharges SET ChargeRealDate= #2026/11/30#, FacilityCode = 7, "
                                     "EMCode = 14, DoctorCode = 5, ReferDoctorCode = 6, Status = 1 " + kKey}));
    EXPECT_EQ(rows("SELECT ChargeRealDate, FacilityCode, EMCode, DoctorCode, ReferDoctorCode, Status FROM PatientCharges"),
              QStringList({"2026-11-30|7|14|5|6|1"}));
}

TEST_F(ChargeRoutines, UpdateDeletesMissingCodesKeepsListedOnesAndInsertsNewOnes)
{
    storeDiagnoses({3, 13});
    storeProcedures({8});
    QString error;
    ASSERT_EQ(update(";13;40;", ";8;9;", error), 0) << error.toStdString();
    EXPECT_EQ(diagnoses(), QStringList({"13", "40"}));
    EXPECT_EQ(procedures(), QStringList({"8", "9"}));
    EXPECT_EQ(writes(),
              QStringList({"DELETE FROM ChargeDiagnosis " + kKey + " AND DiagnosisCode = 3",
                           "INSERT INTO ChargeDiagnosis (PatientId, ChargeDate, ChargeTime,  DiagnosisCode ) VALUES "
                           "(25001, #12/07/2026#, #10:15:00#, 40)",
                           "INSERT INTO ChargeProcedures (PatientId, ChargeDate, ChargeTime,  ProcedureCode ) VALUES "
                           "(25001, #12/07/2026#, #10:15:00#, 9)",
                           writes().last()}));
    EXPECT_TRUE(writes().last().startsWith("UPDATE PatientCharges SET"));
}

TEST_F(ChargeRoutines, UpdateMatchesWholeCodesOnly)
{
    storeDiagnoses({3});
    QString error;
    ASSERT_EQ(update(";13;", ";", error), 0);
    EXPECT_EQ(diagnoses(), QStringList({"13"})) << ";3; is not found inside ;13;";
}

TEST_F(ChargeRoutines, UpdateWithAnEmptyListRemovesEveryStoredCode)
{
    storeDiagnoses({3, 13});
    storeProcedures({8, 9});
    QString error;
    ASSERT_EQ(update(";", "", error), 0);
    EXPECT_TRUE(diagnoses().isEmpty());
    EXPECT_TRUE(procedures().isEmpty());
}

TEST_F(ChargeRoutines, UpdateWithAListWithoutItsFinalSeparatorDropsTheLastCode)
{
    storeDiagnoses({3, 13});
    QString error;
    ASSERT_EQ(update(";3;13", ";", error), 0);
    EXPECT_EQ(diagnoses(), QStringList({"3"}));
}

TEST_F(ChargeRoutines, UpdateWithADuplicateCodeRollsEverythingBack)
{
    storeDiagnoses({3, 13});
    storeProcedures({8});
    const QStringList before = snapshot();
    QString error;
    EXPECT_EQ(update(";40;40;", ";", error), 3);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(writes().filter("DELETE FROM ChargeDiagnosis").size() == 2) << "3 and 13 were deleted first";
    EXPECT_TRUE(writes().filter("UPDATE PatientCharges").isEmpty()) << "the charge row is not updated";
    EXPECT_TRUE(writes().filter("ChargeProcedures").isEmpty()) << "the procedures are not touched";
    EXPECT_EQ(snapshot(), before);
}

TEST_F(ChargeRoutines, UpdateWhoseProcedureFailsRollsBackTheDiagnosesToo)
{
    storeDiagnoses({3});
    refuse("INSERT", "ChargeProcedures", "NEW.ProcedureCode = 9");
    const QStringList before = snapshot();
    QString error;
    EXPECT_EQ(update(";4;", ";9;", error), 3);
    EXPECT_TRUE(error.contains("refused by test"));
    EXPECT_EQ(snapshot(), before);
}

TEST_F(ChargeRoutines, UpdateRefusedByTheDatabaseRollsBackTheReconciledDetails)
{
    storeDiagnoses({3});
    refuse("UPDATE", "PatientCharges");
    const QStringList before = snapshot();
    QString error;
    EXPECT_EQ(update(";4;", ";", error), 1);
    EXPECT_TRUE(error.contains("refused by test"));
    EXPECT_EQ(snapshot(), before);
}

TEST_F(ChargeRoutines, UpdateOfAMissingChargeChangesNothing)
{
    QString error;
    const QTime missing(10, 15, 1);
    EXPECT_EQ(UpdateCharge(25001, kDay, missing, kDay, 1, 1, 0, 1, ";5;", ";", 0,
                           Loaded(StoredCharge(25001, kDay, missing)), error),
              2);
    EXPECT_EQ(error, "U:IMPACTENT");
    EXPECT_TRUE(rows("SELECT * FROM ChargeDiagnosis").isEmpty()) << "the inserted detail is rolled back";
}

// --- status, deleting and the detail routines -----------------------------------------------

TEST_F(ChargeRoutines, SetChargeStatusWithALotOrKeepingTheStoredOne)
{
    QString error;
    ASSERT_EQ(SetChargeStatus(25001, kDay, kTime, 202612071, 1, error), 0);
    EXPECT_EQ(writes().last(), "UPDATE PatientCharges SET PrintLot = 202612071, [Status] = 1 " + kKey);
    ASSERT_EQ(SetChargeStatus(25001, kDay, kTime, -1, 2, error), 0);
    EXPECT_EQ(writes().last(), "UPDATE PatientCharges SET [Status] = 2 " + kKey);
    EXPECT_EQ(rows("SELECT PrintLot, Status FROM PatientCharges"), QStringList({"202612071|2"}));
}

TEST_F(ChargeRoutines, DeleteChargeRemovesTheChargeRow)
{
    QString error;
    ASSERT_EQ(DeleteCharge(25001, kDay, kTime, error), 0);
    EXPECT_EQ(writes(), QStringList({"DELETE FROM PatientCharges " + kKey}));
    EXPECT_TRUE(rows("SELECT * FROM PatientCharges").isEmpty());
}

TEST_F(ChargeRoutines, DetailStatementTexts)
{
    QString error;
    ASSERT_EQ(InsertChargeDiagnosis(25001, kDay, kTime, 3, error), 0);
    ASSERT_EQ(DeleteChargeDiagnosis(25001, kDay, kTime, 3, error), 0);
    ASSERT_EQ(InsertChargeProcedure(25001, kDay, kTime, 8, error), 0);
    ASSERT_EQ(DeleteChargeProcedure(25001, kDay, kTime, 8, error), 0);
    EXPECT_EQ(writes(), QStringList({"INSERT INTO ChargeDiagnosis (PatientId, ChargeDate, ChargeTime,  DiagnosisCode ) "
                                     "VALUES (25001, #12/07/2026#, #10:15:00#, 3)",
                                     "DELETE FROM ChargeDiagnosis " + kKey + " AND DiagnosisCode = 3",
                                     "INSERT INTO ChargeProcedures (PatientId, ChargeDate, ChargeTime,  ProcedureCode ) "
                                     "VALUES (25001, #12/07/2026#, #10:15:00#, 8)",
                                     "DELETE FROM ChargeProcedures " + kKey + " AND ProcedureCode = 8"}));
}

TEST_F(ChargeRoutines, EveryRoutineTellsWhenNoRowChanged)
{
    const QTime otherTime(11, 0, 0);
    struct Case {
        const char* routine;
        std::function<qint16(QString&)> call;
        QString text;
    };
    const std::vector<Case> cases = {
        {"DeleteCharge", [&](QString& e) { return DeleteCharge(25001, kDay, otherTime, e); }, "U:IMPELIENT"},
        {"SetChargeStatus", [&](QString& e) { return SetChargeStatus(25001, kDay, otherTime, 5, 1, e); }, "U:IMPACTENT"},
        {"SetChargeStatus without lot", [&](QString& e) { return SetChargeStatus(25001, kDay, otherTime, -1, 2, e); },
         "U:IMPACTENT"},
        {"DeleteChargeDiagnosis", [&](QString& e) { return DeleteChargeDiagnosis(25001, kDay, kTime, 3, e); },
         "U:IMPELIENT"},
        {"DeleteChargeProcedure", [&](QString& e) { return DeleteChargeProcedure(25001, kDay, kTime, 3, e); },
         "No records afected by the DELETE"},
    };
    const QStringList before = snapshot();
    for (const Case& c : cases) {
        QString error;
        EXPECT_EQ(c.call(error), 2) << c.routine;
        EXPECT_EQ(error, c.text) << c.routine;
    }
    EXPECT_EQ(snapshot(), before);
}

TEST_F(ChargeRoutines, DatabaseErrorsOfTheSingleStatementsReturnOneAndChangeNothing)
{
    refuse("UPDATE", "PatientCharges");
    refuse("DELETE", "PatientCharges");
    const QStringList before = snapshot();
    QString error;
    EXPECT_EQ(SetChargeStatus(25001, kDay, kTime, 5, 1, error), 1);
    EXPECT_TRUE(error.contains("refused by test"));
    error.clear();
    EXPECT_EQ(DeleteCharge(25001, kDay, kTime, error), 1);
    EXPECT_TRUE(error.contains("refused by test"));
    EXPECT_EQ(snapshot(), before);
}
