#include "VNSQLFacilities.h"

#include "RecordDeletion.h"
#include "SqlCodes.h"
#include "SqlExecution.h"
#include "SqlLiterals.h"
#include "StoredState.h"

RecordsetPtr GetFacility(qint16 facilityCode)
{
    return ReadRecordset(QStringLiteral("SELECT * FROM Facility") + QStringLiteral(" WHERE FacilityCode=")
                             + QString::number(facilityCode),
                         true, ReaderFailure::Silent);
}

RecordsetPtr GetFacilities()
{
    return ReadRecordset(QStringLiteral("SELECT * FROM Facility"), false, ReaderFailure::Silent);
}

qint16 NextFacilityCode()
{
    return NextCodeBelow1000(QStringLiteral("Facility"), QStringLiteral("FacilityCode"));
}

qint16 InsertFacility(qint16& facilityCode, const QString& description, qint16 facilityTypeCode,
                      const QString& billingFacilityCode, const QString& billingFacilityCodeOut, QString& error)
{
    const qint16 newCode = NextFacilityCode();
    const QString sql = QStringLiteral("INSERT INTO Facility (FacilityCode, Description, FacilityTypeCode, "
                                       "BillingFacilityCode, BillingFacilityCodeOut) VALUES (")
                        + QString::number(newCode) + QStringLiteral(", ") + QStringLiteral("'")
                        + SqlQuotesDoubled(description) + QStringLiteral("',") + QString::number(facilityTypeCode)
                        + QStringLiteral(", ") + QStringLiteral("'") + SqlQuotesDoubled(billingFacilityCode)
                        + QStringLiteral("',") + QStringLiteral("'") + SqlQuotesDoubled(billingFacilityCodeOut)
                        + QStringLiteral("'") + QStringLiteral(")");
    return InsertUnderNewCode(newCode, sql, facilityCode, error);
}

StoredRecord StoredFacility(qint16 facilityCode)
{
    return StoredRow(QStringLiteral("facility"), QStringLiteral("Facility"), QStringLiteral("FacilityCode"),
                     facilityCode);
}

qint16 UpdateFacility(qint16 facilityCode, const QString& description, qint16 facilityTypeCode,
                      const QString& billingFacilityCode, const QString& billingFacilityCodeOut,
                      const StoredState& loaded, QString& error)
{
    const QString sql = QStringLiteral("UPDATE Facility SET") + QStringLiteral(" Description='")
                        + SqlQuotesDoubled(description) + QStringLiteral("', FacilityTypeCode = ")
                        + QString::number(facilityTypeCode) + QStringLiteral(", BillingFacilityCode= '")
                        + SqlQuotesDoubled(billingFacilityCode) + QStringLiteral("'")
                        + QStringLiteral(", BillingFacilityCodeOut= '") + SqlQuotesDoubled(billingFacilityCodeOut)
                        + QStringLiteral("'") + QStringLiteral(" WHERE FacilityCode = ")
                        + QString::number(facilityCode);
    return UpdateUnlessChanged(StoredFacility(facilityCode), loaded, sql, error);
}

qint16 DeleteFacility(qint16 facilityCode, QString& error)
{
    // Patients in its wards count too: a ward may have been moved here after they were admitted.
    return DeleteUnlessInUse(
        {.record = QStringLiteral("facility"),
         .statement = QStringLiteral("DELETE FROM Facility") + QStringLiteral(" WHERE FacilityCode = ")
                      + QString::number(facilityCode),
         .code = facilityCode,
         .uses = {
             {QStringLiteral("PatientCharges"), QStringLiteral("FacilityCode = %1"), QStringLiteral("has"),
              QStringLiteral("charge"), QStringLiteral("charges")},
             {QStringLiteral("Patient"),
              QStringLiteral("InFacilityCode = %1 OR InWardCode IN "
                             "(SELECT WardCode FROM FacilityWards WHERE FacilityCode = %1)"),
              QStringLiteral("has"), QStringLiteral("admitted patient"), QStringLiteral("admitted patients")},
         },
         .owned = {{QStringLiteral("FacilityWards"), QStringLiteral("FacilityCode")}}},
        error);
}
