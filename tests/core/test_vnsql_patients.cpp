// Patient data routines against a practice database.
#include "DataRoutinesTest.h"
#include "VNSQLPatients.h"

#include <QDateTime>
#include <QRegularExpression>

namespace {

class PatientRoutines : public DataRoutinesTest {
protected:
    void addPatient(int id, const QString& names = "SOME PATIENT")
    {
        run(QString("INSERT INTO Patient (PatientId, Names, DateOfBirth, AccountNumber, InsuranceCode, InFacilityCode, "
                    "LastChargeDate) VALUES (%1, '%2', '1950-01-31', 'A7', 2, 3, '2026-11-01')")
                .arg(id)
                .arg(names));
    }
    void addCharge(int patientId, const QString& time)
    {
        run(QString("INSERT INTO PatientCharges (PatientId, ChargeDate, ChargeTime, Status) VALUES (%1, '2026-12-07', "
                    "'%2', 0)")
                .arg(patientId)
                .arg(time));
    }
};

// The statement with its change stamp replaced by <now>, after checking the stamp lies within
// the call.
QString withoutStamp(const QString& sql, const QDateTime& before, const QDateTime& after)
{
    static const QRegularExpression stamp("VXTS = #(\\d{4}/\\d{2}/\\d{2} \\d{2}:\\d{2}:\\d{2})#");
    const QRegularExpressionMatch match = stamp.match(sql);
    EXPECT_TRUE(match.hasMatch()) << sql.toStdString();
    const QDateTime stamped = QDateTime::fromString(match.captured(1), "yyyy/MM/dd HH:mm:ss");
    EXPECT_GE(stamped, before.addSecs(-1));
    EXPECT_LE(stamped, after);
    QString text = sql;
    return text.replace(match.capturedStart(1), match.capturedLength(1), "<now>");
}

}  // namespace

// --- patient rows ---------------------------------------------------------------------------

TEST_F(PatientRoutines, InsertAllocatesTheIdAndWritesTheStatementWithoutAStamp)
{
    qint16 patientId = 0;
    QString error = "untouched";
    ASSERT_EQ(InsertPatient(patientId, "O'Brien", QDate(1950, 1, 31), "A'7", 2, {}, error), 0) << error.toStdString();
    EXPECT_EQ(patientId, 25000) << "the first desktop patient";
    EXPECT_EQ(error, "untouched");
    EXPECT_EQ(writes(), QStringList({"INSERT INTO Patient (PatientId, [Names] , DateOfBirth, AccountNumber, "
                                     "InsuranceCode) VALUES (25000, 'O''Brien',#01/31/1950#, 'A''7',2)"}));
    EXPECT_EQ(rows("SELECT PatientId, Names, DateOfBirth, AccountNumber, InsuranceCode, VXTS FROM Patient"),
              QStringList({"25000|O'Brien|1950-01-31|A'7|2|<null>"}));
}

TEST_F(PatientRoutines, UpdateWritesTheStatementWithTheCurrentStamp)
{
    addPatient(25001);
    const QDateTime before = QDateTime::currentDateTime();
    QString error;
    const StoredState loaded = Loaded(StoredPatient(25001));
    ASSERT_EQ(UpdatePatient(25001, "TEST PATIENT", QDate(1950, 1, 31), "A7", 2, {}, loaded, error), 0)
        << error.toStdString();
    const QDateTime after = QDateTime::currentDateTime();
    ASSERT_EQ(writes().size(), 1);
    EXPECT_EQ(withoutStamp(writes().first(), before, after),
              "UPDATE Patient SET [Names]='TEST PATIENT',  DateOfBirth = #1950/01/31#,  AccountNumber='A7',  "
              "InsuranceCode=2,  VXTS = #<now>#  WHERE PatientId = 25001");
    const QStringList stored = rows("SELECT Names, VXTS FROM Patient WHERE PatientId = 25001");
    ASSERT_EQ(stored.size(), 1);
    EXPECT_TRUE(stored.first().startsWith("TEST PATIENT|" + before.date().toString(Qt::ISODate).left(4)));
}

TEST_F(PatientRoutines, TypedTextIsStoredUnchangedAndNeverChangesTheStatement)
{
    const QStringList texts = {"O'Brien", "x'); DROP TABLE Patient; --", "'';'", "a;b;c", "SELECT * FROM Doctors",
                               "\"quoted\" [Names]", "#01/01/2000#", "ÁÑ ü"};
    for (const QString& text : texts) {
        qint16 patientId = 0;
        QString error;
        ASSERT_EQ(InsertPatient(patientId, text, QDate(2000, 1, 1), text, 1, {}, error), 0) << error.toStdString();
        RecordsetPtr patient = GetPatient(patientId);
        ASSERT_TRUE(patient);
        EXPECT_EQ(patient->Field("Names").toString(), text);
        EXPECT_EQ(patient->Field("AccountNumber").toString(), text);

        const QString changed = text + "'";
        ASSERT_EQ(UpdatePatient(patientId, changed, QDate(2000, 1, 2), changed, 1, {}, Loaded(StoredPatient(patientId)),
                                error),
                  0)
            << error.toStdString();
        patient = GetPatient(patientId);
        ASSERT_TRUE(patient);
        EXPECT_EQ(patient->Field("Names").toString(), changed);
        EXPECT_EQ(patient->Field("DateOfBirth").toDate(), QDate(2000, 1, 2));
    }
    EXPECT_EQ(rows("SELECT COUNT(*) FROM Patient"), QStringList({QString::number(texts.size())}));
}

TEST_F(PatientRoutines, DeleteTakesThePatientsHistoryAndVisitingDoctorsInOneTransaction)
{
    addPatient(25001);
    addPatient(25002);
    addCharge(25002, "10:00:00");
    run("INSERT INTO PatientHistory VALUES (25001, 1, 0)");
    run("INSERT INTO PatientDoctors VALUES (25001, 4, 1, 1)");
    QString error;
    ASSERT_EQ(DeletePatient(25001, error), 0) << error.toStdString();
    EXPECT_EQ(writes(), QStringList({"DELETE FROM Patient WHERE PatientId = 25001",
                                     "DELETE FROM PatientHistory WHERE PatientId = 25001",
                                     "DELETE FROM PatientDoctors WHERE PatientId = 25001"}));
    EXPECT_EQ(rows("SELECT PatientId FROM Patient"), QStringList({"25002"}));
    EXPECT_EQ(rows("SELECT COUNT(*) FROM PatientHistory").first(), "0");
    EXPECT_EQ(rows("SELECT COUNT(*) FROM PatientDoctors").first(), "0");
    EXPECT_EQ(rows("SELECT COUNT(*) FROM PatientCharges").first(), "1");
}

// --- allocation of patient ids --------------------------------------------------------------

TEST_F(PatientRoutines, NextIdFollowsTheHighestDesktopIdAndIgnoresHandheldIds)
{
    EXPECT_EQ(NextPatientId(), 25000);
    addPatient(100);
    addPatient(24999);
    EXPECT_EQ(NextPatientId(), 25000) << "ids below 25000 never count";
    addPatient(25000);
    addPatient(25007);
    EXPECT_EQ(NextPatientId(), 25008);
    EXPECT_EQ(statements.last(), "SELECT TOP 1 PatientId FROM (SELECT PatientId FROM Patient WHERE PatientId >= 25000 "
                                 "UNION SELECT PatientId FROM VXPatient WHERE PatientId >= 25000) ORDER BY PatientId DESC");
    EXPECT_TRUE(shownMessages.isEmpty());
}

TEST_F(PatientRoutines, NextIdPassesTheIdsAHandheldMayStillHold)
{
    addPatient(25007);
    run("INSERT INTO VXPatient (PatientId, [Names], PDTId, PDTRecordId) VALUES (25009, 'DELETED ON THE DESKTOP', 4242, 3)");
    run("INSERT INTO VXPatient (PatientId, [Names], PDTId, PDTRecordId) VALUES (1003, 'MADE ON A HANDHELD', 4242, 4)");
    EXPECT_EQ(NextPatientId(), 25010);
    run("DELETE FROM VXPatient WHERE PatientId = 25009");
    EXPECT_EQ(NextPatientId(), 25008) << "once no handheld holds it";
    EXPECT_TRUE(shownMessages.isEmpty());
}

TEST_F(PatientRoutines, NoIdBeyond32767)
{
    addPatient(32767);
    EXPECT_EQ(NextPatientId(), 0);
    EXPECT_EQ(shownMessages, QStringList({"Overflow"}));

    const QStringList before = snapshot();
    qint16 patientId = 5;
    QString error = "untouched";
    EXPECT_EQ(InsertPatient(patientId, "NEW", QDate(2000, 1, 1), "", 1, {}, error), 1);
    EXPECT_EQ(error, "untouched");
    EXPECT_EQ(patientId, 5);
    EXPECT_EQ(snapshot(), before);
}

TEST_F(PatientRoutines, AllocationFailureShowsTheDatabaseDescription)
{
    run("DROP TABLE Patient");
    EXPECT_EQ(NextPatientId(), 0);
    ASSERT_EQ(shownMessages.size(), 1);
    EXPECT_TRUE(shownMessages.first().contains("Patient")) << shownMessages.first().toStdString();
}

// --- admission location ---------------------------------------------------------------------

TEST_F(PatientRoutines, DischargeResetsLastChargeDateAndStamps)
{
    addPatient(25001);
    const QDateTime before = QDateTime::currentDateTime();
    QString error;
    ASSERT_EQ(SetPatientLocation(25001, 0, 0, 0, Loaded(StoredPatientLocation(25001)), error), 0)
        << error.toStdString();
    const QDateTime after = QDateTime::currentDateTime();
    EXPECT_EQ(withoutStamp(writes().last(), before, after),
              "UPDATE Patient SET InFacilityCode=0,  LastChargeDate = #1990/01/01#,  InWardCode=0,  InDoctorCode=0,  "
              "VXTS = #<now>#  WHERE PatientId = 25001");
    const QStringList stored = rows("SELECT InFacilityCode, LastChargeDate, VXTS IS NOT NULL FROM Patient");
    EXPECT_EQ(stored, QStringList({"0|1990-01-01|1"}));
}

TEST_F(PatientRoutines, AdmissionLeavesLastChargeDateAlone)
{
    addPatient(25001);
    const QDateTime before = QDateTime::currentDateTime();
    QString error;
    ASSERT_EQ(SetPatientLocation(25001, 3, 12, 4, Loaded(StoredPatientLocation(25001)), error), 0)
        << error.toStdString();
    EXPECT_EQ(withoutStamp(writes().last(), before, QDateTime::currentDateTime()),
              "UPDATE Patient SET InFacilityCode=3,  InWardCode=12,  InDoctorCode=4,  VXTS = #<now>#  WHERE PatientId = 25001");
    EXPECT_EQ(rows("SELECT InFacilityCode, InWardCode, InDoctorCode, LastChargeDate FROM Patient"),
              QStringList({"3|12|4|2026-11-01"}));
}

// --- history items, visiting doctors and merging ---------------------------------------------

TEST_F(PatientRoutines, HistoryAndVisitingDoctorStatements)
{
    QString error;
    ASSERT_EQ(InsertPatientHistory(25001, 7, 2, error), 0);
    ASSERT_EQ(DeletePatientHistory(25001, 7, 2, error), 0);
    ASSERT_EQ(InsertPatientDoctor(25001, 4, 1, 2, error), 0);
    ASSERT_EQ(UpdatePatientDoctor(25001, 4, 3, 5, error), 0);
    EXPECT_EQ(rows("SELECT * FROM PatientDoctors"), QStringList({"25001|4|3|5"}));
    ASSERT_EQ(DeletePatientDoctor(25001, 4, error), 0);
    EXPECT_EQ(writes(),
              QStringList({"INSERT INTO PatientHistory (PatientId, SicknessCode, SicknessTypeCode) VALUES (25001, 7, 2)",
                           "DELETE FROM PatientHistory WHERE PatientId = 25001 and SicknessCode = 7 and SicknessTypeCode = 2",
                           "INSERT INTO PatientDoctors (PatientId, DoctorCode, AttentionTypeCode, Frequency) VALUES (25001, 4, 1, 2)",
                           "UPDATE PatientDoctors SET AttentionTypeCode=3, Frequency = 5 WHERE PatientId = 25001 and DoctorCode = 4",
                           "DELETE FROM PatientDoctors WHERE PatientId = 25001 and DoctorCode = 4"}));
    EXPECT_TRUE(rows("SELECT * FROM PatientHistory").isEmpty());
    EXPECT_TRUE(rows("SELECT * FROM PatientDoctors").isEmpty());
}

TEST_F(PatientRoutines, MoveChargesGivesEveryChargeToTheTarget)
{
    addCharge(25002, "09:00:00");
    addCharge(25002, "10:00:00");
    addCharge(25003, "11:00:00");
    QString error;
    ASSERT_EQ(MovePatientCharges(25001, 25002, error), 0);
    EXPECT_EQ(writes(), QStringList({"UPDATE PatientCharges SET PatientId=25001 WHERE PatientId = 25002"}));
    EXPECT_EQ(rows("SELECT PatientId, ChargeTime FROM PatientCharges ORDER BY ChargeTime"),
              QStringList({"25001|09:00:00", "25001|10:00:00", "25003|11:00:00"}));
}

TEST_F(PatientRoutines, MoveChargesThatCollideOnTheKeyMovesNone)
{
    addCharge(25001, "10:00:00");
    addCharge(25002, "09:00:00");
    addCharge(25002, "10:00:00");
    const QStringList before = snapshot();
    QString error;
    EXPECT_EQ(MovePatientCharges(25001, 25002, error), 1);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(snapshot(), before);
}

TEST_F(PatientRoutines, EveryRoutineTellsWhenNoRowChanged)
{
    addPatient(25001);
    struct Case {
        const char* routine;
        std::function<qint16(QString&)> call;
        QString text;
    };
    const std::vector<Case> cases = {
        {"UpdatePatient",
         [](QString& e) {
             return UpdatePatient(25009, "X", QDate(2000, 1, 1), "", 1, {}, Loaded(StoredPatient(25009)), e);
         },
         "U:IMPACTENT"},
        {"DeletePatient", [](QString& e) { return DeletePatient(25009, e); }, "U:IMPELIENT"},
        {"DeletePatientHistory", [](QString& e) { return DeletePatientHistory(25001, 1, 0, e); }, "U:IMPELIENT"},
        {"SetPatientLocation",
         [](QString& e) { return SetPatientLocation(25009, 0, 0, 0, Loaded(StoredPatientLocation(25009)), e); },
         "U:IMPACTENT"},
        {"UpdatePatientDoctor", [](QString& e) { return UpdatePatientDoctor(25001, 4, 1, 1, e); }, "U:IMPACTENT"},
        {"DeletePatientDoctor", [](QString& e) { return DeletePatientDoctor(25001, 4, e); }, "U:IMPELIENT"},
        {"MovePatientCharges", [](QString& e) { return MovePatientCharges(25002, 25001, e); }, "No Charges to transfer!"},
    };
    const QStringList before = snapshot();
    for (const Case& c : cases) {
        QString error;
        EXPECT_EQ(c.call(error), 2) << c.routine;
        EXPECT_EQ(error, c.text) << c.routine;
    }
    EXPECT_EQ(snapshot(), before);
}

TEST_F(PatientRoutines, DatabaseErrorsReturnOneAndChangeNothing)
{
    addPatient(25001);
    run("INSERT INTO PatientHistory VALUES (25001, 7, 2)");
    run("INSERT INTO PatientDoctors VALUES (25001, 4, 1, 1)");
    addCharge(25002, "09:00:00");
    for (const QString& table : {"Patient", "PatientHistory", "PatientDoctors", "PatientCharges"}) {
        refuse("INSERT", table);
        refuse("UPDATE", table);
        refuse("DELETE", table);
    }
    const std::vector<std::function<qint16(QString&)>> calls = {
        [](QString& e) { qint16 id = 0; return InsertPatient(id, "X", QDate(2000, 1, 1), "", 1, {}, e); },
        [](QString& e) {
            return UpdatePatient(25001, "X", QDate(2000, 1, 1), "", 1, {}, Loaded(StoredPatient(25001)), e);
        },
        [](QString& e) { return DeletePatient(25001, e); },
        [](QString& e) { return InsertPatientHistory(25001, 8, 2, e); },
        [](QString& e) { return DeletePatientHistory(25001, 7, 2, e); },
        [](QString& e) { return SetPatientLocation(25001, 0, 0, 0, Loaded(StoredPatientLocation(25001)), e); },
        [](QString& e) { return InsertPatientDoctor(25001, 5, 1, 1, e); },
        [](QString& e) { return UpdatePatientDoctor(25001, 4, 2, 2, e); },
        [](QString& e) { return DeletePatientDoctor(25001, 4, e); },
        [](QString& e) { return MovePatientCharges(25001, 25002, e); },
    };
    const QStringList before = snapshot();
    for (std::size_t i = 0; i < calls.size(); ++i) {
        QString error;
        EXPECT_EQ(calls[i](error), 1) << "call " << i;
        EXPECT_TRUE(error.contains("refused by test")) << "call " << i << ": " << error.toStdString();
    }
    EXPECT_EQ(snapshot(), before);
}

// --- readers --------------------------------------------------------------------------------

TEST_F(PatientRoutines, GetPatientReadsOneReadOnlyRowOrNothingSilently)
{
    addPatient(25001, "ANN");
    run("INSERT INTO Insurance VALUES (2, 'Medicare', 'MC')");
    RecordsetPtr patient = GetPatient(25001);
    ASSERT_TRUE(patient);
    EXPECT_EQ(statements.last(), "SELECT * FROM PatientsDescriptive WHERE PatientId=25001");
    EXPECT_TRUE(patient->IsReadOnly());
    EXPECT_EQ(patient->RecordCount(), 1);
    EXPECT_EQ(patient->Field("Description").toString(), "Medicare");
    EXPECT_EQ(patient->Field("DateOfBirth").toDate(), QDate(1950, 1, 31));

    ASSERT_TRUE(GetPatient(25002));
    EXPECT_EQ(GetPatient(25002)->RecordCount(), 0);

    run("DROP VIEW PatientsDescriptiveInconsistent");
    run("DROP VIEW PatientsDescriptiveAdmitted");
    run("DROP VIEW PatientsDescriptiveNotAdmitted");
    run("DROP VIEW PatientsDescriptiveDupDOB");
    run("DROP VIEW PatientsDescriptiveDupName");
    run("DROP VIEW PatientsDescriptiveDupDOBName");
    run("DROP VIEW PatientsDescriptiveDupAccount");
    run("DROP VIEW PatientsDescriptive");
    EXPECT_FALSE(GetPatient(25001));
    EXPECT_TRUE(shownMessages.isEmpty());
}

TEST_F(PatientRoutines, ChargeDetailReadersJoinTheirDescriptionsAndTellTheirFailures)
{
    run("INSERT INTO Diagnosis (DiagnosisCode, Description, RealDiagnosisCode, BillingDiagnosisCode) VALUES "
        "(3, 'Flu', '487.1', 'B3')");
    run("INSERT INTO ChargeDiagnosis VALUES (25001, '2026-12-07', '10:15:00', 3)");
    RecordsetPtr diagnoses = GetChargeDiagnoses(25001, QDate(2026, 12, 7), QTime(10, 15));
    EXPECT_EQ(statements.last(),
              "SELECT ChargeDiagnosis.*, Diagnosis.Description, Diagnosis.RealDiagnosisCode, "
              "Diagnosis.BillingDiagnosisCode FROM Diagnosis INNER JOIN ChargeDiagnosis ON Diagnosis.DiagnosisCode = "
              "ChargeDiagnosis.DiagnosisCode WHERE PatientId = 25001 and ChargeDate = #12/07/2026# and ChargeTime = "
              "#10:15:00#");
    ASSERT_TRUE(diagnoses);
    EXPECT_FALSE(diagnoses->IsReadOnly());
    ASSERT_EQ(diagnoses->RecordCount(), 1);
    EXPECT_EQ(diagnoses->Field("DiagnosisCode").toInt(), 3);
    EXPECT_EQ(diagnoses->Field("BillingDiagnosisCode").toString(), "B3");

    RecordsetPtr procedures = GetChargeProcedures(25001, QDate(2026, 12, 7), QTime(10, 15));
    EXPECT_EQ(statements.last(),
              "SELECT ChargeProcedures.*, Procedures.Description, Procedures.RealProcedureCode, "
              "Procedures.BillingProcedureCode FROM Procedures INNER JOIN ChargeProcedures ON Procedures.ProcedureCode = "
              "ChargeProcedures.ProcedureCode WHERE PatientId = 25001 and ChargeDate = #12/07/2026# and ChargeTime = "
              "#10:15:00#");
    ASSERT_TRUE(procedures);
    EXPECT_EQ(procedures->RecordCount(), 0);
    EXPECT_GE(procedures->FieldIndex("RealProcedureCode"), 0);
    EXPECT_TRUE(shownMessages.isEmpty());

    run("DROP TABLE ChargeProcedures");
    EXPECT_FALSE(GetChargeProcedures(25001, QDate(2026, 12, 7), QTime(10, 15)));
    ASSERT_EQ(shownMessages.size(), 1);
    EXPECT_TRUE(shownMessages.first().contains("ChargeProcedures")) << shownMessages.first().toStdString();
}
