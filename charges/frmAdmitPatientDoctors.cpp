#include "frmAdmitPatientDoctors.h"

#include "AppGlobals.h"
#include "AsisRutinasRecordsets.h"
#include "ListViewRoutines.h"
#include "Messages.h"
#include "VNSQLDoctors.h"
#include "frmAdmitPatientLookups.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace {

// Opens a lookup table; a failure is shown and leaves its list empty.
RecordsetPtr openLookup(const QString& sql)
{
    RecordsetPtr lookup;
    QString error;
    if (OpenRecordset(lookup, sql, error) != 0) {
        ShowMessage(error, MessageButtons::Ok);
        return nullptr;
    }
    return lookup;
}

QComboBox* lookupCombo(QWidget* dialog, const char* name, Recordset* lookup)
{
    auto* combo = new QComboBox(dialog);
    combo->setObjectName(name);
    FillLookupCombo(*combo, lookup);
    combo->setCurrentIndex(combo->count() > 0 ? 0 : -1);
    return combo;
}

}  // namespace

frmAdmitPatientDoctors::frmAdmitPatientDoctors(QWidget* parent) : QDialog(parent)
{
    setObjectName("frmAdmitPatientDoctors");
    setWindowTitle("Add visiting Doctor");
    attentionTypes_ = openLookup("select * from AttentionTypes");
    frequencies_ = openLookup("select * from Frequency");
    doctors_ = GetDoctors();
    CBDoctors = lookupCombo(this, "CBDoctors", doctors_.get());
    CBAttentionTypes = lookupCombo(this, "CBAttentionTypes", attentionTypes_.get());
    CBFrequency = lookupCombo(this, "CBFrequency", frequencies_.get());

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel("Doctor:", this), 0, 0);
    layout->addWidget(CBDoctors, 0, 1, 1, 2);
    layout->addWidget(new QLabel("Type:", this), 1, 0);
    layout->addWidget(CBAttentionTypes, 1, 1, 1, 2);
    layout->addWidget(new QLabel("Frequency:", this), 2, 0);
    layout->addWidget(CBFrequency, 2, 1, 1, 2);
    auto* OKButton = new QPushButton("Add", this);
    OKButton->setObjectName("OKButton");
    auto* CancelButton = new QPushButton("Cancel", this);
    CancelButton->setObjectName("CancelButton");
    layout->addWidget(OKButton, 3, 1);
    layout->addWidget(CancelButton, 3, 2);
    connect(OKButton, &QPushButton::clicked, this, &frmAdmitPatientDoctors::OKButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &frmAdmitPatientDoctors::CancelButtonClick);
}

void frmAdmitPatientDoctors::OKButtonClick()
{
    if (!MoveToChosenRow(*CBDoctors, doctors_.get()) || !MoveToChosenRow(*CBAttentionTypes, attentionTypes_.get()) ||
        !MoveToChosenRow(*CBFrequency, frequencies_.get()))
        return;
    AppGlobals& globals = Globals();
    globals.PickedDoctorCode = qint16(doctors_->Field("DoctorCode").toInt());
    globals.PickedDoctorName = ListValueText(doctors_->Field("Description"));
    globals.CurrentAttentionTypeCode = qint16(attentionTypes_->Field("AttentionTypeCode").toInt());
    globals.PickedAttentionTypeName = ListValueText(attentionTypes_->Field("Description"));
    globals.PickedFrequency = qint16(frequencies_->Field("Frequency").toInt());
    globals.PickedFrequencyName = ListValueText(frequencies_->Field("Description"));
    accept();
}

void frmAdmitPatientDoctors::CancelButtonClick()
{
    Globals().PickedDoctorCode = 0;
    reject();
}
