#include "frmEditDoctor.h"

#include "AsisRutinasRecordsets.h"
#include "FormRegistry.h"
#include "ListViewRoutines.h"
#include "Messages.h"
#include "ProviderSubList.h"
#include "SubListRows.h"
#include "VNSQLDoctors.h"

frmEditDoctor::frmEditDoctor(QWidget* parent)
    : EditDialog({"frmEditDoctor", "Doctor", GlobalCode(&AppGlobals::CurrentDoctorCode),
                  [](qint32 code) { return GetDoctor(qint16(code)); },
                  [](qint32 code) { return StoredDoctor(qint16(code)); }},
                 parent)
{
    description_ = addNameBox("Description:", "TxtDescription");
    billingCode_ = addTextBox("Billing code:", "TxtBillingCode");
    const SubListFrame covered = MakeSubListFrame(*this, "Doctors covered", {"Names", "Doctor", 3400});
    coveringList_ = covered.list;
    Fields().addRow(covered.frame);

    connect(covered.add, &QPushButton::clicked, this, &frmEditDoctor::addClicked);
    connect(covered.remove, &QPushButton::clicked, this, &frmEditDoctor::removeClicked);
    Load();
}

bool frmEditDoctor::openCovering()
{
    QString error;
    const QString sql = "Select * From Coverage Where DoctorCode=" + QString::number(currentCode());
    if (OpenRecordset(covering_, sql, error) != 0) {
        ShowMessage(error);
        return false;
    }
    return true;
}

void frmEditDoctor::showCovering()
{
    FillSubList(*coveringList_, *covering_);
    ClearListSelection(*coveringList_);
}

bool frmEditDoctor::showRecord(const Recordset& row)
{
    if (!openCovering())
        return false;
    description_->setText(row.Field("Description").toString());
    billingCode_->setText(row.Field("BillingDoctorCode").toString());
    showCovering();
    return true;
}

bool frmEditDoctor::showNewRecord()
{
    EditDialog::showNewRecord();
    if (!openCovering())
        return false;
    showCovering();
    return true;
}

bool frmEditDoctor::isOnList(qint16 doctorCode) const
{
    for (covering_->MoveFirst(); !covering_->EndOfFile(); covering_->MoveNext()) {
        if (covering_->Field("CoveringDoctorCode").toInt() == doctorCode)
            return true;
    }
    return false;
}

void frmEditDoctor::addClicked()
{
    if (!covering_)
        return;
    AppGlobals& globals = Globals();
    globals.PickedDoctorCode = 0;
    ShowDialogByName("frmPickDoctor", this);
    if (globals.PickedDoctorCode == 0)
        return;
    if (globals.PickedDoctorCode == globals.CurrentDoctorCode) {
        ShowMessage("Bad selection!");
        return;
    }
    if (isOnList(globals.PickedDoctorCode)) {
        ShowMessage("Doctor already on the list!");
        return;
    }
    covering_->AddNew();
    covering_->SetField("DoctorCode", globals.CurrentDoctorCode);
    covering_->SetField("CoveringDoctorCode", globals.PickedDoctorCode);
    covering_->SetField("Names", globals.PickedDoctorName);
    covering_->SetField("checked", RowAdded);
    covering_->Update();
    showCovering();
}

void frmEditDoctor::removeClicked()
{
    if (covering_)
        ToggleSelectedLine(*coveringList_, *covering_);
}

QString frmEditDoctor::CoveringCodeList() const
{
    QString codes = ";";
    if (!covering_)
        return codes;
    for (covering_->MoveFirst(); !covering_->EndOfFile(); covering_->MoveNext()) {
        if (covering_->Field("checked").toInt() != RowRemoved)
            codes += QString::number(covering_->Field("CoveringDoctorCode").toInt()) + ";";
    }
    return codes;
}

qint16 frmEditDoctor::insertRecord(QString& error)
{
    return InsertDoctor(Globals().CurrentDoctorCode, description_->text(), billingCode_->text(), CoveringCodeList(),
                        error);
}

qint16 frmEditDoctor::updateRecord(QString& error)
{
    return UpdateDoctor(Globals().CurrentDoctorCode, description_->text(), billingCode_->text(), CoveringCodeList(),
                        loadedState(), error);
}
