#include "VNSQLEMCodes.h"

#include "RecordDeletion.h"
#include "SqlCodes.h"
#include "SqlExecution.h"
#include "SqlLiterals.h"
#include "StoredState.h"

RecordsetPtr GetEMCode(qint32 emCode)
{
    return ReadRecordset(QStringLiteral("SELECT * FROM EMCodesDescriptive") + QStringLiteral(" WHERE EMCode=")
                             + QString::number(emCode),
                         true, ReaderFailure::Silent);
}

qint32 NextEMCode()
{
    return NextCodeByRule(QStringLiteral("SELECT TOP 1 * FROM EvaluationManagement ORDER BY EMCode DESC"),
                          QStringLiteral("EMCode"), 1);
}

qint16 InsertEMCode(qint32& emCode, const QString& description, qint16 facilityTypeCode, qint16 chargeTypeCode,
                    qint16 attentionTypeCode, const QString& billingEMCode, const QString& realEMCode,
                    qint16 showOnFirst, qint16 showOnNext, qint16 isDischarge, QString& error)
{
    const qint32 newCode = NextEMCode();
    if (newCode == 0) {
        error = QStringLiteral("Error obtaining new EMCode");
        return 1;
    }
    const QString sql =
        QStringLiteral("INSERT INTO EvaluationManagement (EMCode, Description, FacilityTypeCode, ChargeTypeCode, "
                       "AttentionTypeCode, BillingEMCode, RealEMCode, ShowOnFirst, ShowOnNext, IsDischarge) VALUES (")
        + QString::number(newCode) + QStringLiteral(", ") + QStringLiteral("'") + SqlQuotesDoubled(description)
        + QStringLiteral("',") + QString::number(facilityTypeCode) + QStringLiteral(",")
        + QString::number(chargeTypeCode) + QStringLiteral(",") + QString::number(attentionTypeCode)
        + QStringLiteral(",") + QStringLiteral("'") + SqlQuotesDoubled(billingEMCode) + QStringLiteral("',")
        + QStringLiteral("'") + SqlQuotesDoubled(realEMCode) + QStringLiteral("',") + QString::number(showOnFirst)
        + QStringLiteral(",") + QString::number(showOnNext) + QStringLiteral(",") + QString::number(isDischarge)
        + QStringLiteral(")");
    return InsertUnderNewCode(newCode, sql, emCode, error);
}

StoredRecord StoredEMCode(qint32 emCode)
{
    return StoredRow(QStringLiteral("E&M code"), QStringLiteral("EvaluationManagement"), QStringLiteral("EMCode"),
                     emCode);
}

qint16 UpdateEMCode(qint32 emCode, const QString& description, qint16 facilityTypeCode, qint16 chargeTypeCode,
                    qint16 attentionTypeCode, const QString& billingEMCode, const QString& realEMCode,
                    qint16 showOnFirst, qint16 showOnNext, qint16 isDischarge, const StoredState& loaded,
                    QString& error)
{
    const QString sql = QStringLiteral("UPDATE EvaluationManagement SET") + QStringLiteral(" Description='")
                        + SqlQuotesDoubled(description) + QStringLiteral("', FacilityTypeCode = ")
                        + QString::number(facilityTypeCode) + QStringLiteral(", ChargeTypeCode = ")
                        + QString::number(chargeTypeCode) + QStringLiteral(", AttentionTypeCode = ")
                        + QString::number(attentionTypeCode) + QStringLiteral(", BillingEMCode = '")
                        + SqlQuotesDoubled(billingEMCode) + QStringLiteral("'") + QStringLiteral(", RealEMCode = '")
                        + SqlQuotesDoubled(realEMCode) + QStringLiteral("'") + QStringLiteral(", ShowOnFirst = ")
                        + QString::number(showOnFirst) + QStringLiteral(", ShowOnNext = ")
                        + QString::number(showOnNext) + QStringLiteral(", IsDischarge = ")
                        + QString::number(isDischarge) + QStringLiteral(" WHERE EMCode = ") + QString::number(emCode);
    return UpdateUnlessChanged(StoredEMCode(emCode), loaded, sql, error);
}

qint16 DeleteEMCode(qint32 emCode, QString& error)
{
    return DeleteUnlessInUse(
        {.record = QStringLiteral("E&M code"),
         .statement = QStringLiteral("DELETE FROM EvaluationManagement") + QStringLiteral(" WHERE EMCode = ")
                      + QString::number(emCode),
         .code = emCode,
         .uses = {
             {QStringLiteral("PatientCharges"), QStringLiteral("EMCode = %1"), QStringLiteral("is on"),
              QStringLiteral("charge"), QStringLiteral("charges")},
         }},
        error);
}
