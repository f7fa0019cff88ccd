#include "frmEditEMCode.h"

#include "VNSQLEMCodes.h"

namespace {

// In the order the lookups are opened.
enum LookupIndex { AttentionTypes, ChargeTypes, FacilityTypes };

const QStringList kNoYes = {"No", "Yes"};

}  // namespace

struct frmEditEMCode::Values {
    QString description;
    qint16 facilityTypeCode;
    qint16 chargeTypeCode;
    qint16 attentionTypeCode;
    QString billingCode;
    QString realCode;
    qint16 showOnFirst;
    qint16 showOnNext;
    qint16 isDischarge;
};

frmEditEMCode::frmEditEMCode(QWidget* parent)
    : EditDialog({"frmEditEMCode", "Evaluation & Management code", GlobalCode(&AppGlobals::CurrentEMCode),
                  [](qint32 code) { return GetEMCode(code); },
                  [](qint32 code) { return StoredEMCode(code); }},
                 parent)
{
    description_ = addNameBox("Description:", "TxtDescription");
    realCode_ = addTextBox("Real code:", "TxtRealCode");
    billingCode_ = addTextBox("Billing code:", "TxtBillingCode");
    QComboBox* facilityTypes = addComboBox("Applies to:", "CBFacilityTypes");
    QComboBox* attentionTypes = addComboBox("Service as:", "CBAttentionTypes");
    QComboBox* chargeTypes = addComboBox("Patient status:", "CBChargeTypes");
    sequence_ = {addComboBox("Sequence:", "CBCauseDischarge"), 1, {}};
    sequence_.combo->addItems({"Initial", "Follow Up", "Discharge"});
    showOnFirst_ = {addComboBox("Show on the first Visit?:", "CBShowOnFirst"), 0, {}};
    showOnFirst_.combo->addItems(kNoYes);
    showOnNext_ = {addComboBox("Show on rest of Visits?:", "CBShowOnNext"), 0, {}};
    showOnNext_.combo->addItems(kNoYes);

    addLookup({"select * from AttentionTypes", nullptr, attentionTypes, "Description", "AttentionTypeCode",
               "You have to define Attention types first!"});
    addLookup({"select * from ChargeTypes", nullptr, chargeTypes, "Description", "ChargeTypeCode",
               "You have to define Charge types first!"});
    addLookup({"select * from FacilityTypes", nullptr, facilityTypes, "Description", "FacilityTypeCode",
               "You have to define Facility Types first!"});
    Load();
}

// A stored value outside the entries shows no entry and is kept unless the user picks one.
void frmEditEMCode::FixedChoice::show(const QVariant& value)
{
    stored = value;
    const int index = value.isValid() ? value.toInt() - first : -1;
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

qint16 frmEditEMCode::FixedChoice::value() const
{
    return combo->currentIndex() < 0 ? qint16(stored.toInt()) : qint16(combo->currentIndex() + first);
}

bool frmEditEMCode::showRecord(const Recordset& row)
{
    description_->setText(row.Field("Description").toString());
    billingCode_->setText(row.Field("BillingEMCode").toString());
    realCode_->setText(row.Field("RealEMCode").toString());
    showOnFirst_.show(row.Field("ShowOnFirst"));
    showOnNext_.show(row.Field("ShowOnNext"));
    sequence_.show(row.Field("IsDischarge"));
    return true;
}

bool frmEditEMCode::showNewRecord()
{
    if (!EditDialog::showNewRecord())
        return false;
    sequence_.show(1);     // Initial
    showOnFirst_.show(1);  // Yes
    showOnNext_.show(1);   // Yes
    return true;
}

frmEditEMCode::Values frmEditEMCode::values() const
{
    return {description_->text(),
            qint16(lookupCode(FacilityTypes).toInt()),
            qint16(lookupCode(ChargeTypes).toInt()),
            qint16(lookupCode(AttentionTypes).toInt()),
            billingCode_->text(),
            realCode_->text(),
            showOnFirst_.value(),
            showOnNext_.value(),
            sequence_.value()};
}

qint16 frmEditEMCode::insertRecord(QString& error)
{
    const Values v = values();
    return InsertEMCode(Globals().CurrentEMCode, v.description, v.facilityTypeCode, v.chargeTypeCode,
                        v.attentionTypeCode, v.billingCode, v.realCode, v.showOnFirst, v.showOnNext, v.isDischarge,
                        error);
}

qint16 frmEditEMCode::updateRecord(QString& error)
{
    const Values v = values();
    return UpdateEMCode(Globals().CurrentEMCode, v.description, v.facilityTypeCode, v.chargeTypeCode,
                        v.attentionTypeCode, v.billingCode, v.realCode, v.showOnFirst, v.showOnNext, v.isDischarge,
                        loadedState(), error);
}
