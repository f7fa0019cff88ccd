#include "frmEditCharge.h"

#include "AppGlobals.h"
#include "Messages.h"
#include "Twips.h"
#include "VNSQLCharges.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Two inches, the default width of a description column.
constexpr double kDescriptionWidthTwips = 2880;

QPushButton* newButton(const QString& caption, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

QComboBox* newDropDown(const char* name, QWidget* parent)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    return list;
}

// The frame of one sub-list: its list view and its "add" and "del" buttons.
QGroupBox* codeFrame(const QString& title, ListView* list, QPushButton* add, QPushButton* remove, QWidget* parent)
{
    auto* frame = new QGroupBox(title, parent);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(add);
    buttons->addWidget(remove);
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(list);
    layout->addLayout(buttons);
    return frame;
}

// The value of a code field of the current row as its database column holds it (Null: 0).
qint32 codeOf(const Recordset& rows, const QString& field)
{
    return qint32(rows.Field(field).toLongLong());
}

}  // namespace

frmEditCharge::frmEditCharge(QWidget* parent) : QDialog(parent)
{
    setObjectName("frmEditCharge");
    setWindowTitle("Charge");
    createControls();
    Load();
}

void frmEditCharge::createControls()
{
    TxtPatient = new QLineEdit(this);
    TxtPatient->setObjectName("TxtPatient");
    TxtPatient->setReadOnly(true);
    Command5 = new QToolButton(this);
    Command5->setObjectName("Command5");
    Command5->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    DTDOC = new DatePicker(this);
    DTDOC->setObjectName("DTDOC");
    CBFacilities = newDropDown("CBFacilities", this);
    CBChargeTypes = newDropDown("CBChargeTypes", this);
    CBEMCodes = newDropDown("CBEMCodes", this);
    CBDoctors = newDropDown("CBDoctors", this);
    CBRefDoctors = newDropDown("CBRefDoctors", this);
    LblDoctorCaption = new QLabel("Attending:", this);
    LblDoctorCaption->setObjectName("LblDoctorCaption");
    CBStatus = newDropDown("CBStatus", this);
    CBStatus->addItems({"Ready", "Posted", "Archived"});

    ListView1 = new ListView(this);
    ListView1->setObjectName("ListView1");
    ListView1->AddColumn("Description", "Diagnosis", kDescriptionWidthTwips);
    ListView2 = new ListView(this);
    ListView2->setObjectName("ListView2");
    ListView2->AddColumn("Description", "Procedures", kDescriptionWidthTwips);
    QPushButton* Command1 = newButton("add", "Command1", this);
    QPushButton* Command2 = newButton("del", "Command2", this);
    QPushButton* Command4 = newButton("add", "Command4", this);
    QPushButton* Command3 = newButton("del", "Command3", this);
    QPushButton* btnOk = newButton("Ok", "btnOk", this);
    btnOk->setDefault(true);
    QPushButton* btnCancel = newButton("Cancel", "btnCancel", this);

    auto* patientRow = new QHBoxLayout;
    patientRow->addWidget(TxtPatient, 1);
    patientRow->addWidget(Command5);
    auto* fields = new QGridLayout;
    int row = 0;
    const auto addRow = [&](QWidget* label, QWidget* field) {
        fields->addWidget(label, row, 0);
        fields->addWidget(field, row++, 1);
    };
    fields->addWidget(new QLabel("Patient:", this), row, 0);
    fields->addLayout(patientRow, row++, 1);
    addRow(new QLabel("Date:", this), DTDOC);
    addRow(new QLabel("Facility:", this), CBFacilities);
    addRow(new QLabel("Patient sts.:", this), CBChargeTypes);
    addRow(new QLabel("E&&M:", this), CBEMCodes);
    addRow(LblDoctorCaption, CBDoctors);
    addRow(new QLabel("Doctor:", this), CBRefDoctors);
    addRow(new QLabel("Status:", this), CBStatus);
    fields->setColumnStretch(1, 1);

    auto* codes = new QHBoxLayout;
    codes->addWidget(codeFrame("Diagnosis", ListView1, Command1, Command2, this));
    codes->addWidget(codeFrame("Procedures", ListView2, Command4, Command3, this));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(codes, 1);
    layout->addLayout(buttons);
    resize(TwipsToPixels(9000), TwipsToPixels(7200));

    // Choices made from code run the same handling explicitly (SelectEntry blocks signals).
    connect(CBChargeTypes, &QComboBox::currentIndexChanged, this, [this] { ChargeTypeChosen(); });
    connect(CBFacilities, &QComboBox::currentIndexChanged, this, [this] { FacilityChosen(); });
    connect(CBDoctors, &QComboBox::currentIndexChanged, this, [this] { DoctorChosen(); });
    connect(CBEMCodes, &QComboBox::currentIndexChanged, this, [this] { EMCodeChosen(); });
    connect(Command5, &QToolButton::clicked, this, [this] { PickPatient(); });
    connect(Command1, &QPushButton::clicked, this,
            [this] { AddCodes("frmPickDiagnosis", *rsChargeDiagnosis, "DiagnosisCode", *ListView1); });
    connect(Command4, &QPushButton::clicked, this,
            [this] { AddCodes("frmPickProcedures", *rsChargeProcedures, "ProcedureCode", *ListView2); });
    connect(Command2, &QPushButton::clicked, this, [this] { RemoveSelectedCode(*rsChargeDiagnosis, *ListView1); });
    connect(Command3, &QPushButton::clicked, this, [this] { RemoveSelectedCode(*rsChargeProcedures, *ListView2); });
    connect(btnOk, &QPushButton::clicked, this, &frmEditCharge::Save);
    connect(btnCancel, &QPushButton::clicked, this, &frmEditCharge::reject);
}

void frmEditCharge::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (closeOnActivate_)
        QMetaObject::invokeMethod(this, &frmEditCharge::reject, Qt::QueuedConnection);
}

void frmEditCharge::reject()
{
    // Every way of closing without OK answers "not stored", so no caller re-reads a charge
    // on the answer of an earlier dialog.
    Globals().DialogAccepted = false;
    QDialog::reject();
}

void frmEditCharge::SelectEntry(QComboBox& list, int index)
{
    const QSignalBlocker quiet(list);
    list.setCurrentIndex(index);
}

qint16 frmEditCharge::ChosenRefDoctorCode()
{
    const int entry = CBRefDoctors->currentIndex();
    if (entry <= 0)
        return 0;
    rsDoctors->SetAbsolutePosition(entry);
    return qint16(codeOf(*rsDoctors, "DoctorCode"));
}

void frmEditCharge::Save()
{
    if (closeOnActivate_)
        return;  // nothing was loaded to store
    if (CBFacilities->currentIndex() < 0 || CBEMCodes->currentIndex() < 0 || CBDoctors->currentIndex() < 0)
        return;
    AppGlobals& globals = Globals();
    if (newCharge_ && globals.CurrentPatientId == 0) {
        ShowMessage("Select the patient of this charge first.");
        return;
    }
    rsFacilities->SetAbsolutePosition(CBFacilities->currentIndex() + 1);
    rsDoctorChoices->SetAbsolutePosition(CBDoctors->currentIndex() + 1);

    const QString diagnoses = CodeListText(*rsChargeDiagnosis, "DiagnosisCode");
    const QString procedures = CodeListText(*rsChargeProcedures, "ProcedureCode");
    const auto emCode = qint32(CBEMCodes->currentData().toLongLong());
    const auto doctorCode = qint16(codeOf(*rsDoctorChoices, "DoctorCode"));
    const qint16 referDoctorCode = ChosenRefDoctorCode();
    const auto facilityCode = qint16(codeOf(*rsFacilities, "FacilityCode"));
    const auto status = qint16(CBStatus->currentIndex());

    QString error;
    const qint16 result =
        newCharge_ ? InsertCharge(globals.CurrentPatientId, globals.CurrentChargeDate, globals.CurrentChargeTime,
                                  DTDOC->date(), emCode, doctorCode, referDoctorCode, facilityCode, diagnoses,
                                  procedures, status, error)
                   : UpdateCharge(globals.CurrentPatientId, globals.CurrentChargeDate, globals.CurrentChargeTime,
                                  DTDOC->date(), emCode, doctorCode, referDoctorCode, facilityCode, diagnoses,
                                  procedures, status, loadedCharge_, error);
    if (result != 0) {
        ShowMessage(error);
        return;
    }
    globals.DialogAccepted = true;
    accept();
}
