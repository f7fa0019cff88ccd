#include "ChargeReportBody.h"

#include "RecordsetValues.h"
#include "VNSQLPatients.h"
#include "ViewFileFormat.h"

#include <QDate>
#include <QTime>

ChargeCodes::ChargeCodes(QString realCodeField, QString billingCodeField)
    : realCodeField_(std::move(realCodeField)), billingCodeField_(std::move(billingCodeField))
{
}

QString ChargeCodes::text(const QString& field) const
{
    return ReportValueText(rows_->Field(field));
}

ChargeReportBody::ChargeReportBody(bool realCodes)
    : realCodes_(realCodes),
      diagnoses_(QStringLiteral("RealDiagnosisCode"), QStringLiteral("BillingDiagnosisCode")),
      procedures_(QStringLiteral("RealProcedureCode"), QStringLiteral("BillingProcedureCode"))
{
}

bool ChargeReportBody::readRecord(const Recordset& records, QString& error)
{
    const auto patientId = static_cast<qint16>(records.Field(QStringLiteral("PatientId")).toInt());
    const QDate chargeDate = records.Field(QStringLiteral("ChargeDate")).toDate();
    const QTime chargeTime = records.Field(QStringLiteral("ChargeTime")).toTime();
    RecordsetPtr diagnoses = GetChargeDiagnoses(patientId, chargeDate, chargeTime);
    RecordsetPtr procedures = diagnoses ? GetChargeProcedures(patientId, chargeDate, chargeTime) : nullptr;
    if (!diagnoses || !procedures) {
        error = QStringLiteral("The report was not written: the diagnoses and procedures of the charge of %1 "
                               "(patient %2) could not be read.")
                    .arg(ReportDate(chargeDate))
                    .arg(patientId);
        return false;
    }
    diagnoses_.reset(std::move(diagnoses));
    procedures_.reset(std::move(procedures));
    return true;
}

QString ChargeReportBody::text(const Recordset& records, const QString& field)
{
    return ReportValueText(records.Field(field));
}

QString ChargeReportBody::emCode(const Recordset& records) const
{
    return text(records, realCodes_ ? QStringLiteral("RealEMCode") : QStringLiteral("BillingEMCode"));
}

QString ChargeReportBody::facilityCode(const Recordset& records)
{
    const QVariant chargeType = records.Field(QStringLiteral("ChargeTypeCode"));
    const bool inside = !recordsetvalues::isNull(chargeType) && chargeType.toInt() == 1;
    return text(records, inside ? QStringLiteral("BillingFacilityCode") : QStringLiteral("BillingFacilityCodeOut"));
}
