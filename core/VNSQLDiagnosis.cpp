#include "VNSQLDiagnosis.h"

#include "RecordDeletion.h"
#include "SqlCodes.h"
#include "SqlExecution.h"
#include "SqlLiterals.h"
#include "StoredState.h"

RecordsetPtr GetDiagnosis(qint16 diagnosisCode)
{
    return ReadRecordset(QStringLiteral("SELECT * FROM DiagnosisDescriptive") + QStringLiteral(" WHERE DiagnosisCode=")
                             + QString::number(diagnosisCode),
                         true, ReaderFailure::Silent);
}

RecordsetPtr GetDiagnosisFamilyList()
{
    return ReadRecordset(QStringLiteral("SELECT * FROM DiagnosisFamily"), false, ReaderFailure::Message);
}

qint16 NextDiagnosisCode()
{
    return NextCodeBelow1000(QStringLiteral("Diagnosis"), QStringLiteral("DiagnosisCode"));
}

qint16 InsertDiagnosis(qint16& diagnosisCode, const QString& description, qint16 diagnosisFamilyCode,
                       const QString& realDiagnosisCode, const QString& billingDiagnosisCode, QString& error)
{
    const qint16 newCode = NextDiagnosisCode();
    const QString sql = QStringLiteral("INSERT INTO Diagnosis (DiagnosisCode, Description, DiagnosisFamilyCode, "
                                       "RealDiagnosisCode, BillingDiagnosisCode) VALUES (")
                        + QString::number(newCode) + QStringLiteral(", ") + QStringLiteral("'")
                        + SqlQuotesDoubled(description) + QStringLiteral("',") + QString::number(diagnosisFamilyCode)
                        + QStringLiteral(",") + QStringLiteral("'") + SqlQuotesDoubled(realDiagnosisCode)
                        + QStringLiteral("',") + QStringLiteral("'") + SqlQuotesDoubled(billingDiagnosisCode)
                        + QStringLiteral("'") + QStringLiteral(")");
    return InsertUnderNewCode(newCode, sql, diagnosisCode, error);
}

StoredRecord StoredDiagnosis(qint16 diagnosisCode)
{
    return StoredRow(QStringLiteral("diagnosis"), QStringLiteral("Diagnosis"), QStringLiteral("DiagnosisCode"),
                     diagnosisCode);
}

qint16 UpdateDiagnosis(qint16 diagnosisCode, const QString& description, qint16 diagnosisFamilyCode,
                       const QString& realDiagnosisCode, const QString& billingDiagnosisCode, const StoredState& loaded,
                       QString& error)
{
    const QString sql = QStringLiteral("UPDATE Diagnosis SET") + QStringLiteral(" Description='")
                        + SqlQuotesDoubled(description) + QStringLiteral("', DiagnosisFamilyCode = ")
                        + QString::number(diagnosisFamilyCode) + QStringLiteral(", RealDiagnosisCode='")
                        + SqlQuotesDoubled(realDiagnosisCode) + QStringLiteral("'")
                        + QStringLiteral(", BillingDiagnosisCode='") + SqlQuotesDoubled(billingDiagnosisCode)
                        + QStringLiteral("'") + QStringLiteral(" WHERE DiagnosisCode = ")
                        + QString::number(diagnosisCode);
    return UpdateUnlessChanged(StoredDiagnosis(diagnosisCode), loaded, sql, error);
}

qint16 DeleteDiagnosis(qint16 diagnosisCode, QString& error)
{
    return DeleteUnlessInUse(
        {.record = QStringLiteral("diagnosis"),
         .statement = QStringLiteral("DELETE FROM Diagnosis") + QStringLiteral(" WHERE DiagnosisCode = ")
                      + QString::number(diagnosisCode),
         .code = diagnosisCode,
         .uses = {
             {QStringLiteral("ChargeDiagnosis"), QStringLiteral("DiagnosisCode = %1"), QStringLiteral("is on"),
              QStringLiteral("charge"), QStringLiteral("charges")},
         }},
        error);
}
