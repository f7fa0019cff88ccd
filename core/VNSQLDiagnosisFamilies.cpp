#include "VNSQLDiagnosisFamilies.h"

#include "RecordDeletion.h"
#include "SqlCodes.h"
#include "SqlExecution.h"
#include "SqlLiterals.h"
#include "StoredState.h"

RecordsetPtr GetDiagnosisFamily(qint16 diagnosisFamilyCode)
{
    return ReadRecordset(QStringLiteral("SELECT * FROM DiagnosisFamily") + QStringLiteral(" WHERE DiagnosisFamilyCode=")
                             + QString::number(diagnosisFamilyCode),
                         true, ReaderFailure::Message);
}

qint16 NextDiagnosisFamilyCode()
{
    return NextCodeBelow1000(QStringLiteral("DiagnosisFamily"), QStringLiteral("DiagnosisFamilyCode"));
}

qint16 InsertDiagnosisFamily(qint16& diagnosisFamilyCode, const QString& diagnosisFamilyDescription, QString& error)
{
    const qint16 newCode = NextDiagnosisFamilyCode();
    const QString sql =
        QStringLiteral("INSERT INTO DiagnosisFamily (DiagnosisFamilyCode, DiagnosisFamilyDescription) VALUES (")
        + QString::number(newCode) + QStringLiteral(", ") + QStringLiteral("'")
        + SqlQuotesDoubled(diagnosisFamilyDescription) + QStringLiteral("'") + QStringLiteral(")");
    return InsertUnderNewCode(newCode, sql, diagnosisFamilyCode, error);
}

StoredRecord StoredDiagnosisFamily(qint16 diagnosisFamilyCode)
{
    return StoredRow(QStringLiteral("diagnosis group"), QStringLiteral("DiagnosisFamily"),
                     QStringLiteral("DiagnosisFamilyCode"), diagnosisFamilyCode);
}

qint16 UpdateDiagnosisFamily(qint16 diagnosisFamilyCode, const QString& diagnosisFamilyDescription,
                             const StoredState& loaded, QString& error)
{
    const QString sql = QStringLiteral("UPDATE DiagnosisFamily SET") + QStringLiteral(" DiagnosisFamilyDescription='")
                        + SqlQuotesDoubled(diagnosisFamilyDescription) + QStringLiteral("'")
                        + QStringLiteral(" WHERE DiagnosisFamilyCode = ") + QString::number(diagnosisFamilyCode);
    return UpdateUnlessChanged(StoredDiagnosisFamily(diagnosisFamilyCode), loaded, sql, error);
}

qint16 DeleteDiagnosisFamily(qint16 diagnosisFamilyCode, QString& error)
{
    return DeleteUnlessInUse(
        {.record = QStringLiteral("diagnosis group"),
         .statement = QStringLiteral("DELETE FROM DiagnosisFamily")
                      + QStringLiteral(" WHERE DiagnosisFamilyCode = ")
                      + QString::number(diagnosisFamilyCode),
         .code = diagnosisFamilyCode,
         .uses = {
             {QStringLiteral("Diagnosis"), QStringLiteral("DiagnosisFamilyCode = %1"), QStringLiteral("has"),
              QStringLiteral("diagnosis"), QStringLiteral("diagnoses")},
         }},
        error);
}
