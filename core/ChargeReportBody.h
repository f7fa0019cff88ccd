#pragma once
#include "Recordset.h"
#include "ViewFileReport.h"

#include <QString>

// The diagnoses or the procedures of one charge, walked by position.
class ChargeCodes {
public:
    ChargeCodes(QString realCodeField, QString billingCodeField);
    void reset(RecordsetPtr rows) { rows_ = std::move(rows); }
    qint32 count() const { return rows_ ? rows_->RecordCount() : 0; }
    // Calls visit(k, description, code) for k from 1, the code real or billing.
    template <typename Visit>
    void forEach(bool realCodes, Visit&& visit) const
    {
        for (qint32 k = 1; k <= count(); ++k) {
            rows_->SetAbsolutePosition(k);
            visit(k, text(QStringLiteral("Description")), text(realCodes ? realCodeField_ : billingCodeField_));
        }
    }

private:
    QString text(const QString& field) const;

    RecordsetPtr rows_;
    QString realCodeField_;
    QString billingCodeField_;
};

// What both charge reports read of a charge: its fields as texts and its diagnoses and
// procedures, read anew for every charge.
class ChargeReportBody : public ReportBody {
public:
    explicit ChargeReportBody(bool realCodes);
    bool readRecord(const Recordset& records, QString& error) override;

protected:
    // A field of the current charge as the report prints it; Null gives "".
    static QString text(const Recordset& records, const QString& field);
    // The E&M code, real or billing.
    QString emCode(const Recordset& records) const;
    // The facility's billing code for charge type 1, its outside billing code otherwise.
    static QString facilityCode(const Recordset& records);

    const bool realCodes_;
    ChargeCodes diagnoses_;
    ChargeCodes procedures_;
};
