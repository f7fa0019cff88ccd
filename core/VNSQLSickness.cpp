#include "VNSQLSickness.h"

#include "RecordDeletion.h"
#include "SqlCodes.h"
#include "SqlExecution.h"
#include "SqlLiterals.h"
#include "StoredState.h"

RecordsetPtr GetSickness(qint16 sicknessCode)
{
    return ReadRecordset(QStringLiteral("SELECT * FROM SicknessDescriptive") + QStringLiteral(" WHERE SicknessCode=")
                             + QString::number(sicknessCode),
                         true, ReaderFailure::Silent);
}

RecordsetPtr GetSicknessTypes()
{
    return ReadRecordset(QStringLiteral("SELECT * FROM SicknessType"), false, ReaderFailure::Message);
}

qint16 NextSicknessCode()
{
    return NextCodeBelow1000(QStringLiteral("Sickness"), QStringLiteral("SicknessCode"));
}

qint16 InsertSickness(qint16& sicknessCode, const QString& description, qint16 sicknessTypeCode, QString& error)
{
    const qint16 newCode = NextSicknessCode();
    const QString sql = QStringLiteral("INSERT INTO Sickness (SicknessCode, Description, SicknessTypeCode) VALUES (")
                        + QString::number(newCode) + QStringLiteral(", ") + QStringLiteral("'")
                        + SqlQuotesDoubled(description) + QStringLiteral("',") + QString::number(sicknessTypeCode)
                        + QStringLiteral(")");
    return InsertUnderNewCode(newCode, sql, sicknessCode, error);
}

StoredRecord StoredSickness(qint16 sicknessCode)
{
    return StoredRow(QStringLiteral("history item"), QStringLiteral("Sickness"), QStringLiteral("SicknessCode"),
                     sicknessCode);
}

qint16 UpdateSickness(qint16 sicknessCode, const QString& description, qint16 sicknessTypeCode,
                      const StoredState& loaded, QString& error)
{
    const QString sql = QStringLiteral("UPDATE Sickness SET") + QStringLiteral(" Description='")
                        + SqlQuotesDoubled(description) + QStringLiteral("', SicknessTypeCode = ")
                        + QString::number(sicknessTypeCode) + QStringLiteral(" WHERE SicknessCode = ")
                        + QString::number(sicknessCode);
    return UpdateUnlessChanged(StoredSickness(sicknessCode), loaded, sql, error);
}

qint16 DeleteSickness(qint16 sicknessCode, QString& error)
{
    return DeleteUnlessInUse(
        {.record = QStringLiteral("history item"),
         .statement = QStringLiteral("DELETE FROM Sickness") + QStringLiteral(" WHERE SicknessCode = ")
                      + QString::number(sicknessCode),
         .code = sicknessCode,
         .uses = {
             {QStringLiteral("PatientHistory"), QStringLiteral("SicknessCode = %1"),
              QStringLiteral("is in the history of"), QStringLiteral("patient"), QStringLiteral("patients")},
         }},
        error);
}
