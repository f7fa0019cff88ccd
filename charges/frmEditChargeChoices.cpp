#include "frmEditCharge.h"

#include "AppGlobals.h"
#include "AsisRutinasRecordsets.h"
#include "FormRegistry.h"
#include "Messages.h"
#include "VNSQLPatients.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace {

// The attention type that E&M codes are filtered by when a doctor entry has none.
constexpr qint16 kDefaultAttentionType = 2;
constexpr qint16 kInpatientChargeType = 1;

QString numberOf(const Recordset& rows, const QString& field)
{
    return QString::number(rows.Field(field).toLongLong());
}

// Adds the E&M row as an entry of the list, which keeps its code.
void addEMEntry(QComboBox& list, const Recordset& row)
{
    list.addItem(row.Field("Description").toString() + " (" + row.Field("BillingEMCode").toString() + ")",
                 qint32(row.Field("EMCode").toLongLong()));
}

}  // namespace

void frmEditCharge::LoadEMCodes()
{
    // A stored charge keeps its E&M code when its charge type or doctor changed, so only
    // the facility type limits its list.
    QString filter = "FacilityTypeCode=" + numberOf(*rsFacilities, "FacilityTypeCode");
    if (newCharge_) {
        filter += " and ChargeTypeCode=" + numberOf(*rsChargeTypes, "ChargeTypeCode") +
                  " and AttentionTypeCode=" + QString::number(Globals().CurrentAttentionTypeCode);
    }
    rsEMCodes->SetFilter(filter);
    const QSignalBlocker quiet(*CBEMCodes);
    CBEMCodes->clear();
    for (rsEMCodes->MoveFirst(); !rsEMCodes->EndOfFile(); rsEMCodes->MoveNext())
        addEMEntry(*CBEMCodes, *rsEMCodes);
    // A stored charge whose facility's type no longer offers its code still shows it, so that
    // OK on an untouched charge keeps it.
    if (storedEMCode_ != 0 && CBEMCodes->findData(storedEMCode_) < 0) {
        rsEMCodes->SetFilter("");
        if (rsEMCodes->Find("EMCode=" + QString::number(storedEMCode_)) && !rsEMCodes->EndOfFile())
            addEMEntry(*CBEMCodes, *rsEMCodes);
        rsEMCodes->SetFilter(filter);
    }
    if (CBEMCodes->count() == 0)
        return;
    // A change of doctor or facility keeps the code meant whenever the new list holds it.
    CBEMCodes->setCurrentIndex(std::max(CBEMCodes->findData(CurrentChargeEMCode), 0));
}

bool frmEditCharge::LoadDoctors()
{
    QString error;
    RecordsetPtr coveringEntries;
    if (OpenRecordset(coveringEntries, "select * from PatientDoctorsDescriptive where PatientId=0", error) != 0 ||
        OpenRecordset(rsDoctorChoices, "select * from DoctorsDescriptive", error) != 0) {
        ShowMessage(error);
        return false;
    }
    // Covering entries are collected apart and appended after the walk over the doctors.
    for (rsDoctorChoices->MoveFirst(); !rsDoctorChoices->EndOfFile(); rsDoctorChoices->MoveNext()) {
        RecordsetPtr coverage;
        if (OpenRecordset(coverage, "select * from Coverage where DoctorCode=" + numberOf(*rsDoctorChoices, "DoctorCode"),
                          error) != 0) {
            ShowMessage(error);
            return false;
        }
        for (coverage->MoveFirst(); !coverage->EndOfFile(); coverage->MoveNext()) {
            coveringEntries->AddNew();
            coveringEntries->SetField("DoctorCode", coverage->Field("CoveringDoctorCode"));
            coveringEntries->SetField("Names", coverage->Field("Names").toString() + " (Covering " +
                                                   rsDoctorChoices->Field("Names").toString() + ")");
            coveringEntries->SetField("AttentionTypeCode", rsDoctorChoices->Field("AttentionTypeCode"));
            coveringEntries->Update();
        }
    }
    CopyAllRows(*rsDoctorChoices, *coveringEntries);

    {
        const QSignalBlocker quiet(*CBDoctors);
        CBDoctors->clear();
        for (rsDoctorChoices->MoveFirst(); !rsDoctorChoices->EndOfFile(); rsDoctorChoices->MoveNext())
            CBDoctors->addItem(rsDoctorChoices->Field("Names").toString());
    }
    SelectEntry(*CBDoctors, 0);
    DoctorChosen();
    return true;
}

bool frmEditCharge::ChargeTypeChosen()
{
    rsChargeTypes->SetAbsolutePosition(CBChargeTypes->currentIndex() + 1);
    const auto chargeType = qint16(rsChargeTypes->Field("ChargeTypeCode").toLongLong());
    Globals().PickPatientScope = chargeType;
    LoadEMCodes();
    LblDoctorCaption->setText(rsChargeTypes->Field("DoctorCaption").toString() + ":");
    CBRefDoctors->setEnabled(chargeType != kInpatientChargeType);
    return LoadDoctors();
}

void frmEditCharge::FacilityChosen()
{
    rsFacilities->SetAbsolutePosition(CBFacilities->currentIndex() + 1);
    LoadEMCodes();
}

void frmEditCharge::DoctorChosen()
{
    rsDoctorChoices->SetAbsolutePosition(CBDoctors->currentIndex() + 1);
    const auto attentionType = qint16(rsDoctorChoices->Field("AttentionTypeCode").toLongLong());
    Globals().CurrentAttentionTypeCode = attentionType != 0 ? attentionType : kDefaultAttentionType;
    LoadEMCodes();
}

void frmEditCharge::EMCodeChosen()
{
    CurrentChargeEMCode = qint32(CBEMCodes->currentData().toLongLong());
}

void frmEditCharge::PickPatient()
{
    AppGlobals& globals = Globals();
    if (globals.PickPatientScope == kInpatientChargeType) {
        rsFacilities->SetAbsolutePosition(CBFacilities->currentIndex() + 1);
        globals.PickPatientFacilityCode = qint16(rsFacilities->Field("FacilityCode").toLongLong());
    } else {
        globals.PickPatientFacilityCode = 0;
    }
    globals.PickedPatientId = globals.CurrentPatientId;
    ShowDialogByName("frmPickPatient", this);
    if (globals.PickedPatientId == 0 || globals.PickedPatientId == globals.CurrentPatientId)
        return;
    const RecordsetPtr patient = GetPatient(globals.PickedPatientId);
    if (!patient || patient->RecordCount() == 0)
        return;
    patient->MoveFirst();
    TxtPatient->setText(patient->Field("Names").toString());
    globals.CurrentPatientId = globals.PickedPatientId;
    if (globals.PickPatientScope == kInpatientChargeType) {
        SelectEntry(*CBRefDoctors, RefDoctorEntryOf(patient->Field("InDoctorCode")));
    }
    LoadDoctors();
}
