#include "VNSQLProcedures.h"

#include "RecordDeletion.h"
#include "SqlCodes.h"
#include "SqlExecution.h"
#include "SqlLiterals.h"
#include "StoredState.h"

RecordsetPtr GetProcedure(qint16 procedureCode)
{
    return ReadRecordset(QStringLiteral("SELECT * FROM Procedures") + QStringLiteral(" WHERE ProcedureCode=")
                             + QString::number(procedureCode),
                         true, ReaderFailure::Silent);
}

qint16 NextProcedureCode()
{
    return NextCodeBelow1000(QStringLiteral("Procedures"), QStringLiteral("ProcedureCode"));
}

qint16 InsertProcedure(qint16& procedureCode, const QString& description, const QString& realProcedureCode,
                       const QString& billingProcedureCode, QString& error)
{
    const qint16 newCode = NextProcedureCode();
    const QString sql =
        QStringLiteral("INSERT INTO Procedures (ProcedureCode, Description, RealProcedureCode, BillingProcedureCode) VALUES (")
        + QString::number(newCode) + QStringLiteral(", ") + QStringLiteral("'") + SqlQuotesDoubled(description)
        + QStringLiteral("', ") + QStringLiteral("'") + SqlQuotesDoubled(realProcedureCode) + QStringLiteral("',")
        + QStringLiteral("'") + SqlQuotesDoubled(billingProcedureCode) + QStringLiteral("'") + QStringLiteral(")");
    return InsertUnderNewCode(newCode, sql, procedureCode, error);
}

StoredRecord StoredProcedure(qint16 procedureCode)
{
    return StoredRow(QStringLiteral("procedure"), QStringLiteral("Procedures"), QStringLiteral("ProcedureCode"),
                     procedureCode);
}

qint16 UpdateProcedure(qint16 procedureCode, const QString& description, const QString& realProcedureCode,
                       const QString& billingProcedureCode, const StoredState& loaded, QString& error)
{
    const QString sql = QStringLiteral("UPDATE Procedures SET") + QStringLiteral(" Description='")
                        + SqlQuotesDoubled(description) + QStringLiteral("'")
                        + QStringLiteral(", RealProcedureCode='") + SqlQuotesDoubled(realProcedureCode)
                        + QStringLiteral("'") + QStringLiteral(", BillingProcedureCode='")
                        + SqlQuotesDoubled(billingProcedureCode) + QStringLiteral("'")
                        + QStringLiteral(" WHERE ProcedureCode = ") + QString::number(procedureCode);
    return UpdateUnlessChanged(StoredProcedure(procedureCode), loaded, sql, error);
}

qint16 DeleteProcedure(qint16 procedureCode, QString& error)
{
    return DeleteUnlessInUse(
        {.record = QStringLiteral("procedure"),
         .statement = QStringLiteral("DELETE FROM Procedures") + QStringLiteral(" WHERE ProcedureCode = ")
                      + QString::number(procedureCode),
         .code = procedureCode,
         .uses = {
             {QStringLiteral("ChargeProcedures"), QStringLiteral("ProcedureCode = %1"), QStringLiteral("is on"),
              QStringLiteral("charge"), QStringLiteral("charges")},
         }},
        error);
}
