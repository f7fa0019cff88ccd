#include "VNSQLInsurances.h"

#include "RecordDeletion.h"
#include "SqlCodes.h"
#include "SqlExecution.h"
#include "SqlLiterals.h"
#include "StoredState.h"

RecordsetPtr GetInsurance(qint16 insuranceCode)
{
    return ReadRecordset(QStringLiteral("SELECT * FROM Insurance") + QStringLiteral(" WHERE InsuranceCode=")
                             + QString::number(insuranceCode),
                         true, ReaderFailure::Silent);
}

qint16 NextInsuranceCode()
{
    return NextCodeBelow1000(QStringLiteral("Insurance"), QStringLiteral("InsuranceCode"));
}

qint16 InsertInsurance(qint16& insuranceCode, const QString& description, const QString& billingInsuranceCode,
                       QString& error)
{
    const qint16 newCode = NextInsuranceCode();
    const QString sql = QStringLiteral("INSERT INTO Insurance (InsuranceCode, Description, BillingInsuranceCode) VALUES (")
                        + QString::number(newCode) + QStringLiteral(", ") + QStringLiteral("'")
                        + SqlQuotesDoubled(description) + QStringLiteral("',") + QStringLiteral("'")
                        + SqlQuotesDoubled(billingInsuranceCode) + QStringLiteral("'") + QStringLiteral(")");
    return InsertUnderNewCode(newCode, sql, insuranceCode, error);
}

StoredRecord StoredInsurance(qint16 insuranceCode)
{
    return StoredRow(QStringLiteral("insurance"), QStringLiteral("Insurance"), QStringLiteral("InsuranceCode"),
                     insuranceCode);
}

qint16 UpdateInsurance(qint16 insuranceCode, const QString& description, const QString& billingInsuranceCode,
                       const StoredState& loaded, QString& error)
{
    const QString sql = QStringLiteral("UPDATE Insurance SET") + QStringLiteral(" Description='")
                        + SqlQuotesDoubled(description) + QStringLiteral("'")
                        + QStringLiteral(", BillingInsuranceCode='") + SqlQuotesDoubled(billingInsuranceCode)
                        + QStringLiteral("'") + QStringLiteral(" WHERE InsuranceCode = ")
                        + QString::number(insuranceCode);
    return UpdateUnlessChanged(StoredInsurance(insuranceCode), loaded, sql, error);
}

qint16 DeleteInsurance(qint16 insuranceCode, QString& error)
{
    return DeleteUnlessInUse(
        {.record = QStringLiteral("insurance"),
         .statement = QStringLiteral("DELETE FROM Insurance") + QStringLiteral(" WHERE InsuranceCode = ")
                      + QString::number(insuranceCode),
         .code = insuranceCode,
         .uses = {
             {QStringLiteral("Patient"), QStringLiteral("InsuranceCode = %1"), QStringLiteral("covers"),
              QStringLiteral("patient"), QStringLiteral("patients")},
         }},
        error);
}
