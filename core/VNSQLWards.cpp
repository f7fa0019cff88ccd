#include "VNSQLWards.h"

#include "RecordDeletion.h"
#include "SqlCodes.h"
#include "SqlExecution.h"
#include "SqlLiterals.h"

RecordsetPtr GetFacilityWards(qint16 facilityCode)
{
    return ReadRecordset(QStringLiteral("SELECT * FROM FacilityWards ") + QStringLiteral("WHERE FacilityCode= ")
                             + QString::number(facilityCode),
                         false, ReaderFailure::Silent);
}

RecordsetPtr GetWard(qint16 wardCode)
{
    return ReadRecordset(QStringLiteral("SELECT * FROM FacilityWards ") + QStringLiteral("WHERE WardCode= ")
                             + QString::number(wardCode),
                         false, ReaderFailure::Silent);
}

qint16 NextWardCode()
{
    return NextCodeBelow1000(QStringLiteral("FacilityWards"), QStringLiteral("WardCode"));
}

qint16 InsertWard(qint16& wardCode, qint16 facilityCode, const QString& description, QString& error)
{
    wardCode = NextWardCode();
    if (wardCode == 0)
        return 1;
    const QString sql = QStringLiteral("INSERT INTO FacilityWards (WardCode, FacilityCode, Description) VALUES (")
                        + QString::number(wardCode) + QStringLiteral(", ") + QString::number(facilityCode)
                        + QStringLiteral(", ") + QStringLiteral("'") + SqlQuotesDoubled(description)
                        + QStringLiteral("'") + QStringLiteral(")");
    return ExecuteInTransaction(sql, QString(), error);
}

qint16 UpdateWard(qint16 wardCode, qint16 facilityCode, const QString& description, QString& error)
{
    const QString sql = QStringLiteral("UPDATE FacilityWards SET") + QStringLiteral(" Description='")
                        + SqlQuotesDoubled(description) + QStringLiteral("', FacilityCode = ")
                        + QString::number(facilityCode) + QStringLiteral(" WHERE WardCode = ")
                        + QString::number(wardCode);
    return ExecuteInTransaction(sql, kNoRowUpdated, error);
}

qint16 DeleteWard(qint16 wardCode, QString& error)
{
    return DeleteUnlessInUse(
        {.record = QStringLiteral("ward"),
         .statement = QStringLiteral("DELETE FROM FacilityWards") + QStringLiteral(" WHERE WardCode = ")
                      + QString::number(wardCode),
         .code = wardCode,
         .uses = {
             {QStringLiteral("Patient"), QStringLiteral("InWardCode = %1"), QStringLiteral("has"),
              QStringLiteral("admitted patient"), QStringLiteral("admitted patients")},
         }},
        error);
}
