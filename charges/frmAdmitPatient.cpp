#include "frmAdmitPatient.h"

#include "AppGlobals.h"
#include "AsisRutinasRecordsets.h"
#include "FormRegistry.h"
#include "ListViewRoutines.h"
#include "Messages.h"
#include "VNSQLDoctors.h"
#include "VNSQLFacilities.h"
#include "VNSQLPatients.h"
#include "VNSQLWards.h"
#include "StoredPatientLocation.h"
#include "SubListRows.h"
#include "frmAdmitPatientLookups.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

template <typename Widget>
Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(name);
    return widget;
}

qint16 codeOf(const Recordset& records, const QString& field)
{
    return qint16(records.Field(field).toInt());
}

}  // namespace

frmAdmitPatient::frmAdmitPatient(QWidget* parent) : QDialog(parent)
{
    setObjectName("frmAdmitPatient");
    setWindowTitle("Admission Information");
    auto* layout = new QGridLayout(this);
    TxtPatient = named(new QLineEdit(this), "TxtPatient");
    TxtPatient->setReadOnly(true);
    CBFacilities = named(new QComboBox(this), "CBFacilities");
    CBFacilityWards = named(new QComboBox(this), "CBFacilityWards");
    CBDoctors = named(new QComboBox(this), "CBDoctors");
    int row = 0;
    for (const auto& [caption, field] : {std::pair<const char*, QWidget*>{"Patient:", TxtPatient},
                                         {"Facility:", CBFacilities},
                                         {"Ward:", CBFacilityWards},
                                         {"Attending:", CBDoctors}}) {
        layout->addWidget(new QLabel(caption, this), row, 0);
        layout->addWidget(field, row++, 1, 1, 2);
    }

    auto* Frame1 = named(new QGroupBox("Doctors visiting patient", this), "Frame1");
    auto* frameLayout = new QGridLayout(Frame1);
    ListView1 = named(new ListView(Frame1), "ListView1");
    ListView1->AddColumn("Names", "Doctor", 2000);
    ListView1->AddColumn("AttentionTypeDescription", "Rol", 1500);
    ListView1->AddColumn("FrequencyDescription", "Frequency", 1000);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    frameLayout->addWidget(ListView1, 0, 0, 2, 1);
    auto* Command1 = named(new QPushButton("add", Frame1), "Command1");
    auto* Command2 = named(new QPushButton("del", Frame1), "Command2");
    frameLayout->addWidget(Command1, 0, 1);
    frameLayout->addWidget(Command2, 1, 1);
    layout->addWidget(Frame1, row++, 0, 1, 3);

    auto* OKButton = named(new QPushButton("Ok", this), "OKButton");
    auto* CancelButton = named(new QPushButton("Cancel", this), "CancelButton");
    layout->addWidget(OKButton, row, 1);
    layout->addWidget(CancelButton, row, 2);

    connect(CBFacilities, &QComboBox::currentIndexChanged, this, &frmAdmitPatient::facilityChosen);
    connect(Command1, &QPushButton::clicked, this, &frmAdmitPatient::Command1Click);
    connect(Command2, &QPushButton::clicked, this, &frmAdmitPatient::Command2Click);
    connect(OKButton, &QPushButton::clicked, this, &frmAdmitPatient::OKButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    loadPatient();
    loadVisitingDoctors();
}

void frmAdmitPatient::loadPatient()
{
    AppGlobals& globals = Globals();
    TxtPatient->setText(LoadStoredPatientLocation(loadedLocation_));

    facilities_ = GetFacilities();
    FillLookupCombo(*CBFacilities, facilities_.get());
    if (CBFacilities->count() > 0) {
        PreselectLookup(*CBFacilities, *facilities_, "FacilityCode", globals.CurrentFacilityCode);
        facilityChosen();
    }
    doctors_ = GetDoctors();
    FillLookupCombo(*CBDoctors, doctors_.get());
    if (CBDoctors->count() > 0)
        PreselectLookup(*CBDoctors, *doctors_, "DoctorCode", globals.CurrentDoctorCode);
}

void frmAdmitPatient::loadVisitingDoctors()
{
    QString error;
    if (OpenRecordset(visiting_,
                      "Select * From PatientDoctorsDescriptive Where Patientid = " +
                          QString::number(Globals().CurrentPatientId),
                      error) != 0) {
        ShowMessage(error, MessageButtons::Ok);
        return;
    }
    FillListView(*ListView1, *visiting_);
    ClearListSelection(*ListView1);
}

void frmAdmitPatient::facilityChosen()
{
    if (!MoveToChosenRow(*CBFacilities, facilities_.get()))
        return;
    wards_ = GetFacilityWards(codeOf(*facilities_, "FacilityCode"));
    FillLookupCombo(*CBFacilityWards, wards_.get());
    if (CBFacilityWards->count() > 0)
        PreselectLookup(*CBFacilityWards, *wards_, "WardCode", Globals().CurrentWardCode);
}

void frmAdmitPatient::addVisitingDoctor(qint16 doctorCode, const QString& name, qint16 attentionTypeCode,
                                        const QString& attentionTypeName, qint16 frequency,
                                        const QString& frequencyName)
{
    visiting_->AddNew();
    visiting_->SetField("PatientId", Globals().CurrentPatientId);
    visiting_->SetField("DoctorCode", doctorCode);
    visiting_->SetField("Names", name);
    visiting_->SetField("AttentionTypeCode", attentionTypeCode);
    visiting_->SetField("AttentionTypeDescription", attentionTypeName);
    visiting_->SetField("Frequency", frequency);
    visiting_->SetField("FrequencyDescription", frequencyName);
    visiting_->SetField("checked", RowAdded);
    visiting_->Update();
}

void frmAdmitPatient::Command1Click()
{
    AppGlobals& globals = Globals();
    globals.PickedDoctorCode = 0;  // closing the dialog any other way than "Add" adds nothing
    ShowDialogByName("frmAdmitPatientDoctors", this);
    if (globals.PickedDoctorCode <= 0 || !visiting_)
        return;
    addVisitingDoctor(globals.PickedDoctorCode, globals.PickedDoctorName, globals.CurrentAttentionTypeCode,
                      globals.PickedAttentionTypeName, globals.PickedFrequency, globals.PickedFrequencyName);
    FillSubList(*ListView1, *visiting_);
    ClearListSelection(*ListView1);
}

void frmAdmitPatient::Command2Click()
{
    const QList<QTreeWidgetItem*> selected = ListView1->selectedItems();
    if (selected.isEmpty() || !visiting_)
        return;
    ToggleRowRemoval(*ListView1, *selected.first(), *visiting_);
}

bool frmAdmitPatient::listsDoctor(qint16 doctorCode)
{
    for (visiting_->MoveFirst(); !visiting_->EndOfFile(); visiting_->MoveNext()) {
        if (codeOf(*visiting_, "DoctorCode") == doctorCode)
            return true;
    }
    return false;
}

void frmAdmitPatient::OKButtonClick()
{
    if (!MoveToChosenRow(*CBFacilities, facilities_.get()) || !MoveToChosenRow(*CBFacilityWards, wards_.get()) ||
        !MoveToChosenRow(*CBDoctors, doctors_.get()))
        return;
    const qint16 facility = codeOf(*facilities_, "FacilityCode");
    const qint16 ward = codeOf(*wards_, "WardCode");
    const qint16 attending = codeOf(*doctors_, "DoctorCode");
    QString error;
    if (SetPatientLocation(Globals().CurrentPatientId, facility, ward, attending, loadedLocation_, error) != 0) {
        ShowMessage(error, MessageButtons::Ok);
        return;
    }
    if (visiting_) {
        if (!listsDoctor(attending))
            addVisitingDoctor(attending, ListValueText(doctors_->Field("Description")), 1, QString(), 1, QString());
        writeVisitingDoctors();
    }
    accept();
}

void frmAdmitPatient::writeVisitingDoctors()
{
    const qint16 patient = Globals().CurrentPatientId;
    for (visiting_->MoveFirst(); !visiting_->EndOfFile(); visiting_->MoveNext()) {
        const qint16 doctor = codeOf(*visiting_, "DoctorCode");
        const qint16 attentionType = codeOf(*visiting_, "AttentionTypeCode");
        const qint16 frequency = codeOf(*visiting_, "Frequency");
        QString error;
        qint16 result = 0;
        switch (visiting_->Field("checked").toInt()) {
        case RowAdded:
            result = InsertPatientDoctor(patient, doctor, attentionType, frequency, error);
            break;
        case RowRemoved:
            result = DeletePatientDoctor(patient, doctor, error);
            break;
        case RowChanged:
            result = UpdatePatientDoctor(patient, doctor, attentionType, frequency, error);
            break;
        default:
            break;
        }
        if (result != 0)
            ShowMessage(error, MessageButtons::Ok);
    }
}
