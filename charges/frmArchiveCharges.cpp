#include "frmArchiveCharges.h"

#include "AppGlobals.h"
#include "AsisRutinasRecordsets.h"
#include "BusyCursor.h"
#include "DatePicker.h"
#include "Messages.h"
#include "VNSQLCharges.h"
#include "frmChargesRows.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

frmArchiveCharges::frmArchiveCharges(QWidget* parent) : QDialog(parent)
{
    setObjectName("frmArchiveCharges");
    setWindowTitle("Archive Charges");
    auto* layout = new QGridLayout(this);
    auto* explanation = new QLabel(
        "This option mark as archived the charges below the desired date excluding the last charge of the "
        "patient.",
        this);
    explanation->setWordWrap(true);
    layout->addWidget(explanation, 0, 0, 1, 2);
    DTPicker1 = new DatePicker(this);
    DTPicker1->setObjectName("DTPicker1");
    DTPicker1->setDate(QDate(2002, 4, 1));
    layout->addWidget(new QLabel("Archive until:", this), 1, 0);
    layout->addWidget(DTPicker1, 1, 1);
    auto* OKButton = new QPushButton("Archive", this);
    OKButton->setObjectName("OKButton");
    auto* CancelButton = new QPushButton("Cancel", this);
    CancelButton->setObjectName("CancelButton");
    layout->addWidget(OKButton, 2, 0);
    layout->addWidget(CancelButton, 2, 1);
    connect(OKButton, &QPushButton::clicked, this, &frmArchiveCharges::OKButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void frmArchiveCharges::OKButtonClick()
{
    RecordsetPtr selection;
    QString error;
    if (OpenRecordset(selection,
                      "SELECT * FROM PatientCharges WHERE [Status] <> 2 ORDER BY PatientId, ChargeRealDate DESC",
                      error) != 0) {
        ShowMessage(error, MessageButtons::Ok);
        return;
    }
    {
        BusyCursor busy;
        const QDate until = DTPicker1->date();
        AppGlobals& globals = Globals();
        bool firstRow = true;
        for (selection->MoveFirst(); !selection->EndOfFile(); selection->MoveNext()) {
            const ChargeKey key = ChargeKeyOfCurrentRow(*selection);
            // A patient's first row is the latest charge by date of service: it always stays.
            if (firstRow || key.patientId != globals.CurrentPatientId) {
                globals.CurrentPatientId = key.patientId;
                firstRow = false;
                continue;
            }
            const QDate serviceDate = selection->Field("ChargeRealDate").toDate();
            if (!serviceDate.isValid() || serviceDate >= until)
                continue;
            if (SetChargeStatus(key.patientId, key.chargeDate, key.chargeTime, -1, 2, error) != 0)
                ShowMessage(error, MessageButtons::Ok);
        }
    }
    ShowMessage("Process ended successfully", MessageButtons::Ok);
    accept();
}
