#include "frmEditFacility.h"

#include "AsisRutinasRecordsets.h"
#include "FormRegistry.h"
#include "ListViewRoutines.h"
#include "Messages.h"
#include "ProviderSubList.h"
#include "SubListRows.h"
#include "VNSQLFacilities.h"
#include "VNSQLWards.h"

namespace {

enum LookupIndex { FacilityTypes };

const QString kMark = QStringLiteral("*");

qint16 wardState(const Recordset& wards)
{
    return qint16(wards.Field("checked").toInt());
}

}  // namespace

frmEditFacility::frmEditFacility(QWidget* parent)
    : EditDialog({"frmEditFacility", "Facility", GlobalCode(&AppGlobals::CurrentFacilityCode),
                  [](qint32 code) { return GetFacility(qint16(code)); },
                  [](qint32 code) { return StoredFacility(qint16(code)); }},
                 parent)
{
    description_ = addNameBox("Description:", "TxtDescription");
    QComboBox* types = addComboBox("Type:", "CBFacilityTypes");
    billingCode_ = addTextBox("Billing code Inpatients:", "TxtBillingCode");
    billingCodeOut_ = addTextBox("Billing code Outpatients:", "TxtBillingCodeOut");
    const SubListFrame wards = MakeSubListFrame(*this, "Wards", {"Description", "Description", 3600});
    wardList_ = wards.list;
    Fields().addRow(wards.frame);

    connect(wards.add, &QPushButton::clicked, this, &frmEditFacility::addClicked);
    connect(wards.remove, &QPushButton::clicked, this, &frmEditFacility::removeClicked);
    connect(wardList_, &QTreeWidget::itemDoubleClicked, this, &frmEditFacility::wardDoubleClicked);

    addLookup({"select * from FacilityTypes", nullptr, types, "Description", "FacilityTypeCode",
               "You have to define Facility Types first!"});
    Load();
}

bool frmEditFacility::openWards()
{
    QString error;
    const QString sql = "select * from FacilityWards Where FacilityCode=" + QString::number(currentCode());
    if (OpenRecordset(wards_, sql, error) != 0) {
        ShowMessage(error);
        return false;
    }
    return true;
}

void frmEditFacility::showWards()
{
    FillSubList(*wardList_, *wards_);
    ClearListSelection(*wardList_);
}

bool frmEditFacility::showRecord(const Recordset& row)
{
    if (!openWards())
        return false;
    description_->setText(row.Field("Description").toString());
    billingCode_->setText(row.Field("BillingFacilityCode").toString());
    billingCodeOut_->setText(row.Field("BillingFacilityCodeOut").toString());
    showWards();
    return true;
}

bool frmEditFacility::showNewRecord()
{
    EditDialog::showNewRecord();
    if (!openWards())
        return false;
    appendWard("Default");
    return true;
}

void frmEditFacility::appendWard(const QString& description)
{
    wards_->AddNew();
    wards_->SetField("WardCode", 0);
    wards_->SetField("Description", description);
    wards_->SetField("FacilityCode", currentCode());
    wards_->SetField("checked", RowAdded);
    wards_->Update();
    showWards();
}

bool frmEditFacility::editWardDescription(const QString& description)
{
    WardDescription = description;
    ShowDialogByName("frmEditWard", this);
    return !WardDescription.trimmed().isEmpty();
}

void frmEditFacility::addClicked()
{
    if (wards_ && editWardDescription(QString()))
        appendWard(WardDescription);
}

void frmEditFacility::wardDoubleClicked()
{
    QTreeWidgetItem* line = SelectedLine(*wardList_);
    if (!wards_ || !line || !PositionOnLine(*wards_, *line))
        return;
    const qint32 position = wards_->AbsolutePosition();
    if (!editWardDescription(wards_->Field("Description").toString()))
        return;
    wards_->SetAbsolutePosition(position);
    wards_->SetField("Description", WardDescription);
    const qint16 state = wardState(*wards_);
    if (state == RowStored)
        wards_->SetField("checked", RowChanged);
    if (state != RowAdded)
        editedWards_.insert(qint16(wards_->Field("WardCode").toInt()));
    wards_->Update();
    // A marked ward keeps its mark on the line, so "del" still restores it.
    line->setText(0, state == RowRemoved ? kMark + WardDescription : WardDescription);
}

void frmEditFacility::removeClicked()
{
    if (!wards_ || ToggleSelectedLine(*wardList_, *wards_) != RowRemoved)
        return;
    // A stored ward edited before it was marked is updated again once restored.
    if (editedWards_.contains(qint16(wards_->Field("WardCode").toInt()))) {
        wards_->SetField("checked", RowChanged);
        wards_->Update();
    }
}

qint16 frmEditFacility::facilityType() const
{
    return qint16(lookupCode(FacilityTypes).toInt());
}

qint16 frmEditFacility::writeWards(bool stopAtFailure, QString& error)
{
    for (wards_->MoveFirst(); !wards_->EndOfFile(); wards_->MoveNext()) {
        qint16 wardCode = qint16(wards_->Field("WardCode").toInt());
        const QString description = wards_->Field("Description").toString();
        const qint16 state = wardState(*wards_);
        QString wardError;
        qint16 result = 0;
        if (state == RowAdded) {
            result = InsertWard(wardCode, Globals().CurrentFacilityCode, description, wardError);
            if (result == 0) {
                // Stored now: a second OK after a later failure does not insert it again.
                wards_->SetField("WardCode", wardCode);
                wards_->SetField("checked", RowStored);
                wards_->Update();
            }
        } else if (state == RowRemoved) {
            result = DeleteWard(wardCode, wardError);
        } else if (state == RowChanged) {
            result = UpdateWard(wardCode, Globals().CurrentFacilityCode, description, wardError);
        }
        if (result == 0)
            continue;
        if (stopAtFailure) {
            error = wardError;
            return result;
        }
        if (!wardError.isEmpty())  // empty after a ward code that could not be allocated, already reported
            ShowMessage(wardError);
    }
    return 0;
}

qint16 frmEditFacility::insertRecord(QString& error)
{
    const qint16 result = InsertFacility(Globals().CurrentFacilityCode, description_->text(), facilityType(),
                                         billingCode_->text(), billingCodeOut_->text(), error);
    if (result != 0)
        return result;
    // A failed ward keeps the dialog open; the facility and the wards before it stay stored.
    return writeWards(true, error);
}

qint16 frmEditFacility::updateRecord(QString& error)
{
    const qint16 result = UpdateFacility(Globals().CurrentFacilityCode, description_->text(), facilityType(),
                                         billingCode_->text(), billingCodeOut_->text(), loadedState(), error);
    if (result != 0)
        return result;
    // Each failed ward is shown; the others are still written and the dialog closes.
    writeWards(false, error);
    return 0;
}
