#include "frmDischargePatient.h"

#include "AppGlobals.h"
#include "ListViewRoutines.h"
#include "Messages.h"
#include "StoredPatientLocation.h"
#include "VNSQLDoctors.h"
#include "VNSQLFacilities.h"
#include "VNSQLPatients.h"
#include "VNSQLWards.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// The Description of the record's first row; empty when there is none.
QString descriptionOf(const RecordsetPtr& record)
{
    if (!record || record->RecordCount() == 0)
        return QString();
    record->MoveFirst();
    return ListValueText(record->Field("Description"));
}

}  // namespace

frmDischargePatient::frmDischargePatient(QWidget* parent) : QDialog(parent)
{
    setObjectName("frmDischargePatient");
    setWindowTitle("Discharge patient");
    auto* layout = new QGridLayout(this);
    int row = 0;
    const auto addField = [&](const char* caption, const char* name) {
        auto* text = new QLineEdit(this);
        text->setObjectName(name);
        text->setReadOnly(true);
        layout->addWidget(new QLabel(caption, this), row, 0);
        layout->addWidget(text, row++, 1, 1, 2);
        return text;
    };
    TxtPatient = addField("Patient:", "TxtPatient");
    TxtStatus = addField("Status:", "TxtStatus");
    TxtFacility = addField("Facility:", "TxtFacility");
    TxtWard = addField("Ward:", "TxtWard");
    TxtDoctor = addField("Attending:", "TxtDoctor");
    OKButton = new QPushButton("Discharge", this);
    OKButton->setObjectName("OKButton");
    auto* CancelButton = new QPushButton("Cancel", this);
    CancelButton->setObjectName("CancelButton");
    layout->addWidget(OKButton, row, 1);
    layout->addWidget(CancelButton, row, 2);
    connect(OKButton, &QPushButton::clicked, this, &frmDischargePatient::OKButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    load();
}

void frmDischargePatient::load()
{
    AppGlobals& globals = Globals();
    TxtPatient->setText(LoadStoredPatientLocation(loadedLocation_));
    if (globals.CurrentFacilityCode == 0) {
        TxtStatus->setText("Not admitted");
        OKButton->setEnabled(false);
        return;
    }
    TxtStatus->setText("Admitted");
    if (const RecordsetPtr facility = GetFacility(globals.CurrentFacilityCode);
        facility && facility->RecordCount() > 0) {
        TxtFacility->setText(descriptionOf(facility));
        TxtWard->setText(descriptionOf(GetWard(globals.CurrentWardCode)));
    }
    TxtDoctor->setText(descriptionOf(GetDoctor(globals.CurrentDoctorCode)));
}

void frmDischargePatient::OKButtonClick()
{
    QString error;
    if (SetPatientLocation(Globals().CurrentPatientId, 0, 0, 0, loadedLocation_, error) < 1) {
        accept();
        return;
    }
    ShowMessage(error, MessageButtons::Ok);
}
