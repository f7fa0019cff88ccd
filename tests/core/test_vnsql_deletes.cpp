// Deleting records through the routines the lists delete with, then making the next record:
// codes are given again, so the new record must not find rows that named the old one.
#include "DataRoutinesTest.h"
#include "VNSQLDiagnosis.h"
#include "VNSQLDiagnosisFamilies.h"
#include "VNSQLDoctors.h"
#include "VNSQLEMCodes.h"
#include "VNSQLFacilities.h"
#include "VNSQLInsurances.h"
#include "VNSQLPatients.h"
#include "VNSQLProcedures.h"
#include "VNSQLSickness.h"
#include "VNSQLWards.h"

#include <functional>
#include <ostream>

namespace {

struct DeletionCase {
    const char* name;
    // The record, highest code of its table above another, and the rows that name it.
    QStringList arrange;
    std::function<qint16(QString&)> remove;
    // Makes the next record as its editor's OK does; answers its code.
    std::function<qint32()> addNext;
    // Counts the rows naming code %1.
    QString naming;
    // What the clerk is told; empty when the delete must go through.
    QString refusal;
};

void PrintTo(const DeletionCase& deletion, std::ostream* out)
{
    *out << deletion.name;
}

QString charge(int patientId, const char* time, int doctor, int referDoctor, int facility, int emCode)
{
    return QString("INSERT INTO PatientCharges (PatientId, ChargeDate, ChargeTime, DoctorCode, ReferDoctorCode, "
                   "FacilityCode, EMCode) VALUES (%1, '2026-12-07', '%2', %3, %4, %5, %6)")
        .arg(patientId)
        .arg(time)
        .arg(doctor)
        .arg(referDoctor)
        .arg(facility)
        .arg(emCode);
}

QString admitted(int patientId, int facility, int ward, int doctor)
{
    return QString("INSERT INTO Patient (PatientId, Names, InsuranceCode, InFacilityCode, InWardCode, InDoctorCode) "
                   "VALUES (%1, 'P', 1, %2, %3, %4)")
        .arg(patientId)
        .arg(facility)
        .arg(ward)
        .arg(doctor);
}

std::vector<DeletionCase> deletionCases()
{
    const auto newPatient = [] {
        qint16 c = 0;
        QString e;
        InsertPatient(c, "NEW", QDate(2000, 1, 1), "", 1, {}, e);
        return qint32(c);
    };
    const auto newDoctor = [] {
        qint16 c = 0;
        QString e;
        InsertDoctor(c, "New", "", ";", e);
        return qint32(c);
    };
    const auto newFacility = [] {
        qint16 c = 0;
        QString e;
        InsertFacility(c, "New", 1, "", "", e);
        return qint32(c);
    };
    return {
        {"PatientWithCharges",
         {"INSERT INTO Patient (PatientId, Names) VALUES (25002, 'OTHER')",
          "INSERT INTO Patient (PatientId, Names) VALUES (25003, 'OLD')", charge(25003, "10:00:00", 1, 0, 1, 1),
          charge(25003, "11:00:00", 1, 0, 1, 1)},
         [](QString& e) { return DeletePatient(25003, e); }, newPatient,
         "SELECT COUNT(*) FROM PatientCharges WHERE PatientId = %1",
         "This patient has 2 charges.\nA patient still in use cannot be deleted."},
        {"PatientWithHistoryAndVisitingDoctors",
         {"INSERT INTO Patient (PatientId, Names) VALUES (25002, 'OTHER')",
          "INSERT INTO Patient (PatientId, Names) VALUES (25003, 'OLD')",
          "INSERT INTO PatientHistory VALUES (25003, 1, 0)", "INSERT INTO PatientDoctors VALUES (25003, 4, 1, 1)"},
         [](QString& e) { return DeletePatient(25003, e); }, newPatient,
         "SELECT (SELECT COUNT(*) FROM PatientHistory WHERE PatientId = %1) + "
         "(SELECT COUNT(*) FROM PatientDoctors WHERE PatientId = %1)",
         ""},
        {"DoctorInUseEveryWay",
         {"INSERT INTO Doctors (DoctorCode, Description) VALUES (4, 'Other')",
          "INSERT INTO Doctors (DoctorCode, Description) VALUES (5, 'Old')", charge(25001, "10:00:00", 5, 0, 1, 1),
          charge(25001, "11:00:00", 5, 0, 1, 1), charge(25001, "12:00:00", 4, 5, 1, 1), admitted(25001, 1, 1, 5),
          "INSERT INTO PatientDoctors VALUES (25001, 5, 1, 1)", "INSERT INTO DoctorCoveringDoctors VALUES (4, 5)",
          "INSERT INTO DoctorCoveringDoctors VALUES (5, 4)"},
         [](QString& e) { return DeleteDoctor(5, e); }, newDoctor,
         "SELECT (SELECT COUNT(*) FROM PatientCharges WHERE DoctorCode = %1 OR ReferDoctorCode = %1) + "
         "(SELECT COUNT(*) FROM Patient WHERE InDoctorCode = %1) + "
         "(SELECT COUNT(*) FROM PatientDoctors WHERE DoctorCode = %1) + "
         "(SELECT COUNT(*) FROM DoctorCoveringDoctors WHERE DoctorCode = %1 OR CoveringDoctorCode = %1)",
         "This doctor has 2 charges, is the referring doctor of 1 charge, attends 1 admitted patient, visits 1 "
         "patient and is covered by 1 other doctor.\nA doctor still in use cannot be deleted."},
        {"DoctorWithItsOwnCoveringLinks",
         {"INSERT INTO Doctors (DoctorCode, Description) VALUES (4, 'Other')",
          "INSERT INTO Doctors (DoctorCode, Description) VALUES (5, 'Old')",
          "INSERT INTO DoctorCoveringDoctors VALUES (5, 4)"},
         [](QString& e) { return DeleteDoctor(5, e); }, newDoctor,
         "SELECT COUNT(*) FROM DoctorCoveringDoctors WHERE DoctorCode = %1", ""},
        {"FacilityWithCharges",
         {"INSERT INTO Facility (FacilityCode, Description) VALUES (2, 'Other')",
          "INSERT INTO Facility (FacilityCode, Description) VALUES (3, 'Old')", charge(25001, "10:00:00", 1, 0, 3, 1)},
         [](QString& e) { return DeleteFacility(3, e); }, newFacility,
         "SELECT COUNT(*) FROM PatientCharges WHERE FacilityCode = %1",
         "This facility has 1 charge.\nA facility still in use cannot be deleted."},
        {"FacilityWithAPatientInAWardMovedToIt",
         {"INSERT INTO Facility (FacilityCode, Description) VALUES (2, 'Other')",
          "INSERT INTO Facility (FacilityCode, Description) VALUES (3, 'Old')",
          "INSERT INTO FacilityWards (WardCode, FacilityCode, Description) VALUES (7, 3, 'North')",
          admitted(25001, 2, 7, 1)},
         [](QString& e) { return DeleteFacility(3, e); }, newFacility,
         "SELECT COUNT(*) FROM FacilityWards WHERE FacilityCode = %1",
         "This facility has 1 admitted patient.\nA facility still in use cannot be deleted."},
        {"FacilityWithWards",
         {"INSERT INTO Facility (FacilityCode, Description) VALUES (2, 'Other')",
          "INSERT INTO Facility (FacilityCode, Description) VALUES (3, 'Old')",
          "INSERT INTO FacilityWards (WardCode, FacilityCode, Description) VALUES (7, 3, 'North')",
          "INSERT INTO FacilityWards (WardCode, FacilityCode, Description) VALUES (8, 3, 'South')"},
         [](QString& e) { return DeleteFacility(3, e); }, newFacility,
         "SELECT COUNT(*) FROM FacilityWards WHERE FacilityCode = %1", ""},
        {"WardWithAnAdmittedPatient",
         {"INSERT INTO FacilityWards (WardCode, FacilityCode, Description) VALUES (6, 3, 'South')",
          "INSERT INTO FacilityWards (WardCode, FacilityCode, Description) VALUES (7, 3, 'North')",
          admitted(25001, 3, 7, 1)},
         [](QString& e) { return DeleteWard(7, e); },
         [] { qint16 c = 0; QString e; InsertWard(c, 3, "New", e); return qint32(c); },
         "SELECT COUNT(*) FROM Patient WHERE InWardCode = %1",
         "This ward has 1 admitted patient.\nA ward still in use cannot be deleted."},
        {"InsuranceOfAPatient",
         {"INSERT INTO Insurance (InsuranceCode, Description) VALUES (1, 'Other')",
          "INSERT INTO Insurance (InsuranceCode, Description) VALUES (2, 'Old')",
          "INSERT INTO Patient (PatientId, Names, InsuranceCode) VALUES (25001, 'P', 2)"},
         [](QString& e) { return DeleteInsurance(2, e); },
         [] { qint16 c = 0; QString e; InsertInsurance(c, "New", "", e); return qint32(c); },
         "SELECT COUNT(*) FROM Patient WHERE InsuranceCode = %1",
         "This insurance covers 1 patient.\nAn insurance still in use cannot be deleted."},
        {"DiagnosisOnACharge",
         {"INSERT INTO Diagnosis (DiagnosisCode, Description) VALUES (4, 'Other')",
          "INSERT INTO Diagnosis (DiagnosisCode, Description) VALUES (5, 'Old')",
          "INSERT INTO ChargeDiagnosis VALUES (25001, '2026-12-07', '10:00:00', 5)"},
         [](QString& e) { return DeleteDiagnosis(5, e); },
         [] { qint16 c = 0; QString e; InsertDiagnosis(c, "New", 1, "", "", e); return qint32(c); },
         "SELECT COUNT(*) FROM ChargeDiagnosis WHERE DiagnosisCode = %1",
         "This diagnosis is on 1 charge.\nA diagnosis still in use cannot be deleted."},
        {"DiagnosisGroupWithDiagnoses",
         {"INSERT INTO DiagnosisFamily VALUES (1, 'Other')", "INSERT INTO DiagnosisFamily VALUES (2, 'Old')",
          "INSERT INTO Diagnosis (DiagnosisCode, Description, DiagnosisFamilyCode) VALUES (1, 'A', 2)",
          "INSERT INTO Diagnosis (DiagnosisCode, Description, DiagnosisFamilyCode) VALUES (2, 'B', 2)"},
         [](QString& e) { return DeleteDiagnosisFamily(2, e); },
         [] { qint16 c = 0; QString e; InsertDiagnosisFamily(c, "New", e); return qint32(c); },
         "SELECT COUNT(*) FROM Diagnosis WHERE DiagnosisFamilyCode = %1",
         "This diagnosis group has 2 diagnoses.\nA diagnosis group still in use cannot be deleted."},
        {"ProcedureOnACharge",
         {"INSERT INTO Procedures (ProcedureCode, Description) VALUES (4, 'Other')",
          "INSERT INTO Procedures (ProcedureCode, Description) VALUES (5, 'Old')",
          "INSERT INTO ChargeProcedures VALUES (25001, '2026-12-07', '10:00:00', 5)"},
         [](QString& e) { return DeleteProcedure(5, e); },
         [] { qint16 c = 0; QString e; InsertProcedure(c, "New", "", "", e); return qint32(c); },
         "SELECT COUNT(*) FROM ChargeProcedures WHERE ProcedureCode = %1",
         "This procedure is on 1 charge.\nA procedure still in use cannot be deleted."},
        {"HistoryItemOfAPatient",
         {"INSERT INTO Sickness (SicknessCode, Description) VALUES (4, 'Other')",
          "INSERT INTO Sickness (SicknessCode, Description) VALUES (5, 'Old')",
          "INSERT INTO PatientHistory VALUES (25001, 5, 0)"},
         [](QString& e) { return DeleteSickness(5, e); },
         [] { qint16 c = 0; QString e; InsertSickness(c, "New", 0, e); return qint32(c); },
         "SELECT COUNT(*) FROM PatientHistory WHERE SicknessCode = %1",
         "This history item is in the history of 1 patient.\nA history item still in use cannot be deleted."},
        {"EMCodeOnACharge",
         {"INSERT INTO EvaluationManagement (EMCode, Description) VALUES (39, 'Other')",
          "INSERT INTO EvaluationManagement (EMCode, Description) VALUES (40, 'Old')",
          charge(25001, "10:00:00", 1, 0, 1, 40)},
         [](QString& e) { return DeleteEMCode(40, e); },
         [] { qint32 c = 0; QString e; InsertEMCode(c, "New", 1, 1, 1, "", "", 1, 1, 1, e); return c; },
         "SELECT COUNT(*) FROM PatientCharges WHERE EMCode = %1",
         "This E&M code is on 1 charge.\nAn E&M code still in use cannot be deleted."},
    };
}

class RecordDeletions : public DataRoutinesTest, public ::testing::WithParamInterface<DeletionCase> {};

}  // namespace

TEST_P(RecordDeletions, TheNextRecordInheritsNothingFromADeletedOne)
{
    const DeletionCase& deletion = GetParam();
    for (const QString& sql : deletion.arrange)
        run(sql);
    const QStringList before = snapshot();

    QString error;
    const qint16 result = deletion.remove(error);
    if (deletion.refusal.isEmpty()) {
        EXPECT_EQ(result, 0) << error.toStdString();
    } else {
        EXPECT_EQ(result, 2);
        EXPECT_EQ(error.toStdString(), deletion.refusal.toStdString());
        EXPECT_EQ(snapshot(), before) << "a refused delete changes nothing";
    }

    const qint32 next = deletion.addNext();
    ASSERT_NE(next, 0);
    EXPECT_EQ(rows(deletion.naming.arg(next)), QStringList({"0"})) << "code " << next;
    EXPECT_TRUE(shownMessages.isEmpty()) << shownMessages.join("|").toStdString();
}

INSTANTIATE_TEST_SUITE_P(EveryListThatDeletes, RecordDeletions, ::testing::ValuesIn(deletionCases()),
                         [](const ::testing::TestParamInfo<DeletionCase>& info) { return info.param.name; });
