#include "VNSQLPatients.h"

#include "RecordDeletion.h"
#include "SqlCodes.h"
#include "SqlExecution.h"
#include "SqlLiterals.h"
#include "StoredState.h"

#include <QDateTime>

namespace {

QString changeStamp()
{
    return QStringLiteral(" VXTS = #") + SqlStamp(QDateTime::currentDateTime()) + QStringLiteral("# ");
}

QString chargeDetailsQuery(const QString& table, const QString& codeTable, const QString& codeColumn,
                           const QString& realCodeColumn, const QString& billingCodeColumn, qint16 patientId,
                           const QDate& chargeDate, const QTime& chargeTime)
{
    return QStringLiteral("SELECT ") + table + QStringLiteral(".*, ") + codeTable + QStringLiteral(".Description, ")
           + codeTable + QLatin1Char('.') + realCodeColumn + QStringLiteral(", ") + codeTable + QLatin1Char('.')
           + billingCodeColumn + QStringLiteral(" ") + QStringLiteral("FROM ") + codeTable
           + QStringLiteral(" INNER JOIN ") + table + QStringLiteral(" ON ") + codeTable + QLatin1Char('.')
           + codeColumn + QStringLiteral(" = ") + table + QLatin1Char('.') + codeColumn + QStringLiteral(" ")
           + QStringLiteral("WHERE ") + QStringLiteral("PatientId = ") + QString::number(patientId)
           + QStringLiteral(" and ChargeDate = #") + SqlDateMonthFirst(chargeDate)
           + QStringLiteral("# and ChargeTime = #") + SqlTime(chargeTime) + QStringLiteral("#");
}

// A date of birth that is not known is stored as Null.
QString dateOfBirthLiteral(const QDate& date, QString (*format)(const QDate&))
{
    return date.isValid() ? QStringLiteral("#") + format(date) + QStringLiteral("#") : QStringLiteral("Null");
}

// Stores or removes each history item in turn; the first failure ends the walk and is answered.
qint16 writeHistory(qint16 patientId, const PatientHistoryChanges& history, QString& error)
{
    for (const PatientHistoryChange& item : history) {
        const qint16 result =
            item.remove ? DeletePatientHistory(patientId, item.sicknessCode, item.sicknessTypeCode, error)
                        : InsertPatientHistory(patientId, item.sicknessCode, item.sicknessTypeCode, error);
        if (result != 0)
            return result;
    }
    return 0;
}

}  // namespace

RecordsetPtr GetPatient(qint16 patientId)
{
    return ReadRecordset(QStringLiteral("SELECT * FROM PatientsDescriptive WHERE PatientId=") + QString::number(patientId),
                         true, ReaderFailure::Silent);
}

// An id the conduit's mirror still names may still be on a handheld: given to a new patient,
// that handheld would take him for the patient it holds.
qint16 NextPatientId()
{
    return NextCodeByRule(QStringLiteral("SELECT TOP 1 PatientId FROM (SELECT PatientId FROM Patient WHERE "
                                         "PatientId >= 25000 UNION SELECT PatientId FROM VXPatient WHERE "
                                         "PatientId >= 25000) ORDER BY PatientId DESC"),
                          QStringLiteral("PatientId"), 25000);
}

StoredRecord StoredPatient(qint16 patientId)
{
    StoredRecord patient = StoredRow(QStringLiteral("patient"), QStringLiteral("Patient"), QStringLiteral("PatientId"),
                                     patientId);
    patient.queries << QStringLiteral("SELECT * FROM PatientHistory WHERE PatientId=") + QString::number(patientId)
                           + QStringLiteral(" ORDER BY SicknessCode, SicknessTypeCode");
    return patient;
}

qint16 InsertPatient(qint16& patientId, const QString& names, const QDate& dateOfBirth,
                     const QString& accountNumber, qint16 insuranceCode, const PatientHistoryChanges& history,
                     QString& error)
{
    const qint16 newId = NextPatientId();
    if (newId == 0)
        return 1;
    qint16 result = BeginTransaction(error);
    if (result != 0)
        return result;
    const QString sql =
        QStringLiteral("INSERT INTO Patient (PatientId, [Names] , DateOfBirth, AccountNumber, InsuranceCode) VALUES (")
        + QString::number(newId) + QStringLiteral(", ") + QStringLiteral("'") + SqlQuotesDoubled(names)
        + QStringLiteral("',") + dateOfBirthLiteral(dateOfBirth, SqlDateMonthFirst) + QStringLiteral(", ")
        + QStringLiteral("'") + SqlQuotesDoubled(accountNumber) + QStringLiteral("',")
        + QString::number(insuranceCode) + QStringLiteral(")");
    result = ExecuteStatement(sql, QString(), error);
    if (result == 0 && writeHistory(newId, history, error) != 0)
        result = 2;
    EndTransaction(result, error);
    if (result == 0)
        patientId = newId;
    return result;
}

qint16 UpdatePatient(qint16 patientId, const QString& names, const QDate& dateOfBirth,
                     const QString& accountNumber, qint16 insuranceCode, const PatientHistoryChanges& history,
                     const StoredState& loaded, QString& error)
{
    qint16 result = BeginUnlessChanged(StoredPatient(patientId), loaded, error);
    if (result != 0)
        return result;
    const QString sql = QStringLiteral("UPDATE Patient SET") + QStringLiteral(" [Names]='") + SqlQuotesDoubled(names)
                        + QStringLiteral("', ") + QStringLiteral(" DateOfBirth = ")
                        + dateOfBirthLiteral(dateOfBirth, SqlDateYearFirst) + QStringLiteral(", ")
                        + QStringLiteral(" AccountNumber='") + SqlQuotesDoubled(accountNumber)
                        + QStringLiteral("', ") + QStringLiteral(" InsuranceCode=") + QString::number(insuranceCode)
                        + QStringLiteral(", ") + changeStamp() + QStringLiteral(" WHERE PatientId = ")
                        + QString::number(patientId);
    result = ExecuteStatement(sql, kNoRowUpdated, error);
    if (result == 0 && writeHistory(patientId, history, error) != 0)
        result = 3;
    EndTransaction(result, error);
    return result;
}

qint16 DeletePatient(qint16 patientId, QString& error)
{
    return DeleteUnlessInUse(
        {.record = QStringLiteral("patient"),
         .statement = QStringLiteral("DELETE FROM Patient") + QStringLiteral(" WHERE PatientId = ")
                      + QString::number(patientId),
         .code = patientId,
         .uses = {
             {QStringLiteral("PatientCharges"), QStringLiteral("PatientId = %1"), QStringLiteral("has"),
              QStringLiteral("charge"), QStringLiteral("charges")},
         },
         .owned = {{QStringLiteral("PatientHistory"), QStringLiteral("PatientId")},
                   {QStringLiteral("PatientDoctors"), QStringLiteral("PatientId")}}},
        error);
}

qint16 InsertPatientHistory(qint16 patientId, qint16 sicknessCode, qint16 sicknessTypeCode, QString& error)
{
    const QString sql = QStringLiteral("INSERT INTO PatientHistory (PatientId, SicknessCode, SicknessTypeCode) VALUES (")
                        + QString::number(patientId) + QStringLiteral(", ") + QString::number(sicknessCode)
                        + QStringLiteral(", ") + QString::number(sicknessTypeCode) + QStringLiteral(")");
    return ExecuteInTransaction(sql, QString(), error);
}

qint16 DeletePatientHistory(qint16 patientId, qint16 sicknessCode, qint16 sicknessTypeCode, QString& error)
{
    const QString sql = QStringLiteral("DELETE FROM PatientHistory") + QStringLiteral(" WHERE PatientId = ")
                        + QString::number(patientId) + QStringLiteral(" and SicknessCode = ")
                        + QString::number(sicknessCode) + QStringLiteral(" and SicknessTypeCode = ")
                        + QString::number(sicknessTypeCode);
    return ExecuteInTransaction(sql, kNoRowDeleted, error);
}

StoredRecord StoredPatientLocation(qint16 patientId)
{
    return {QStringLiteral("admission"),
            {QStringLiteral("SELECT InFacilityCode, InWardCode, InDoctorCode FROM Patient WHERE PatientId=")
             + QString::number(patientId)}};
}

qint16 SetPatientLocation(qint16 patientId, qint16 inFacilityCode, qint16 inWardCode, qint16 inDoctorCode,
                          const StoredState& loaded, QString& error)
{
    QString sql = QStringLiteral("UPDATE Patient SET") + QStringLiteral(" InFacilityCode=")
                  + QString::number(inFacilityCode) + QStringLiteral(", ");
    if (inFacilityCode == 0)
        sql += QStringLiteral(" LastChargeDate = #1990/01/01#, ");
    sql += QStringLiteral(" InWardCode=") + QString::number(inWardCode) + QStringLiteral(", ")
           + QStringLiteral(" InDoctorCode=") + QString::number(inDoctorCode) + QStringLiteral(", ") + changeStamp()
           + QStringLiteral(" WHERE PatientId = ") + QString::number(patientId);
    return UpdateUnlessChanged(StoredPatientLocation(patientId), loaded, sql, error);
}

RecordsetPtr GetChargeDiagnoses(qint16 patientId, const QDate& chargeDate, const QTime& chargeTime)
{
    return ReadRecordset(chargeDetailsQuery(QStringLiteral("ChargeDiagnosis"), QStringLiteral("Diagnosis"),
                                            QStringLiteral("DiagnosisCode"), QStringLiteral("RealDiagnosisCode"),
                                            QStringLiteral("BillingDiagnosisCode"), patientId, chargeDate, chargeTime),
                         false, ReaderFailure::Message);
}

RecordsetPtr GetChargeProcedures(qint16 patientId, const QDate& chargeDate, const QTime& chargeTime)
{
    return ReadRecordset(chargeDetailsQuery(QStringLiteral("ChargeProcedures"), QStringLiteral("Procedures"),
                                            QStringLiteral("ProcedureCode"), QStringLiteral("RealProcedureCode"),
                                            QStringLiteral("BillingProcedureCode"), patientId, chargeDate, chargeTime),
                         false, ReaderFailure::Message);
}

qint16 InsertPatientDoctor(qint16 patientId, qint16 doctorCode, qint16 attentionTypeCode, qint16 frequency,
                           QString& error)
{
    const QString sql =
        QStringLiteral("INSERT INTO PatientDoctors (PatientId, DoctorCode, AttentionTypeCode, Frequency) VALUES (")
        + QString::number(patientId) + QStringLiteral(", ") + QString::number(doctorCode) + QStringLiteral(", ")
        + QString::number(attentionTypeCode) + QStringLiteral(", ") + QString::number(frequency) + QStringLiteral(")");
    return ExecuteInTransaction(sql, QString(), error);
}

qint16 UpdatePatientDoctor(qint16 patientId, qint16 doctorCode, qint16 attentionTypeCode, qint16 frequency,
                           QString& error)
{
    const QString sql = QStringLiteral("UPDATE PatientDoctors SET") + QStringLiteral(" AttentionTypeCode=")
                        + QString::number(attentionTypeCode) + QStringLiteral(", Frequency = ")
                        + QString::number(frequency) + QStringLiteral(" WHERE PatientId = ")
                        + QString::number(patientId) + QStringLiteral(" and DoctorCode = ")
                        + QString::number(doctorCode);
    return ExecuteInTransaction(sql, kNoRowUpdated, error);
}

qint16 DeletePatientDoctor(qint16 patientId, qint16 doctorCode, QString& error)
{
    const QString sql = QStringLiteral("DELETE FROM PatientDoctors") + QStringLiteral(" WHERE PatientId = ")
                        + QString::number(patientId) + QStringLiteral(" and DoctorCode = ")
                        + QString::number(doctorCode);
    return ExecuteInTransaction(sql, kNoRowDeleted, error);
}

qint16 MovePatientCharges(qint16 targetPatientId, qint16 sourcePatientId, QString& error)
{
    const QString sql = QStringLiteral("UPDATE PatientCharges SET") + QStringLiteral(" PatientId=")
                        + QString::number(targetPatientId) + QStringLiteral(" WHERE PatientId = ")
                        + QString::number(sourcePatientId);
    return ExecuteInTransaction(sql, QStringLiteral("No Charges to transfer!"), error);
}
