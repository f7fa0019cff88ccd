#include "frmEditCharge.h"

#include "AppGlobals.h"
#include "AsisRutinasRecordsets.h"
#include "Messages.h"
#include "SqlLiterals.h"
#include "VNSQLCharges.h"

#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>

namespace {

const QDate kNewChargeDate(1900, 1, 1);

// Opens one lookup of the dialog; an open error or an empty table shows its message.
bool openLookup(RecordsetPtr& rows, const QString& sql, const QString& emptyMessage)
{
    QString error;
    if (OpenRecordset(rows, sql, error) != 0) {
        ShowMessage(error);
        return false;
    }
    if (rows->RecordCount() == 0) {
        ShowMessage(emptyMessage);
        return false;
    }
    return true;
}

void fillList(QComboBox& list, Recordset& rows, const QString& shownField)
{
    const QSignalBlocker quiet(list);
    list.clear();
    for (rows.MoveFirst(); !rows.EndOfFile(); rows.MoveNext())
        list.addItem(rows.Field(shownField).toString());
}

}  // namespace

int frmEditCharge::EntryOf(Recordset& rows, const QString& codeField, const QVariant& code)
{
    rows.MoveFirst();
    if (!code.isValid() || !rows.Find(codeField + " = " + QString::number(code.toLongLong())) || rows.EndOfFile())
        return 0;
    return rows.AbsolutePosition() - 1;
}

int frmEditCharge::RefDoctorEntryOf(const QVariant& code)
{
    if (code.toLongLong() == 0)
        return 0;
    return EntryOf(*rsDoctors, "DoctorCode", code) + 1;
}

void frmEditCharge::Load()
{
    closeOnActivate_ = true;
    newCharge_ = Globals().CurrentChargeDate == kNewChargeDate;
    if (!OpenLookups() || !FillLookupLists() || !LoadDoctors())
        return;
    CurrentChargeEMCode = 0;
    if (newCharge_ ? !LoadNewCharge() : !LoadExistingCharge())
        return;
    closeOnActivate_ = false;
}

bool frmEditCharge::OpenLookups()
{
    return openLookup(rsEMCodes, "select * from EvaluationManagement",
                      "You have to define Evaluation & Management Codes first!") &&
           openLookup(rsFacilities, "select * from facility", "You have to define Facilities first!") &&
           openLookup(rsChargeTypes, "select * from ChargeTypes", "You have to define Charge types first!") &&
           openLookup(rsDoctors, "select * from Doctors", "You have to define Doctors first!");
}

bool frmEditCharge::FillLookupLists()
{
    fillList(*CBChargeTypes, *rsChargeTypes, "Description");
    SelectEntry(*CBChargeTypes, 0);
    if (!ChargeTypeChosen())
        return false;
    fillList(*CBFacilities, *rsFacilities, "Description");
    SelectEntry(*CBFacilities, 0);
    FacilityChosen();
    fillList(*CBRefDoctors, *rsDoctors, "Description");
    CBRefDoctors->insertItem(0, "(none)");
    SelectEntry(*CBRefDoctors, 0);
    return true;
}

bool frmEditCharge::LoadNewCharge()
{
    AppGlobals& globals = Globals();
    bool facilityOfAdmission = false;
    if (globals.CurrentPatientId != 0) {
        RecordsetPtr patient;
        QString error;
        if (OpenRecordset(patient, "select * from Patient Where PatientId =" + QString::number(globals.CurrentPatientId),
                          error) != 0) {
            ShowMessage(error);
            return false;
        }
        if (patient->RecordCount() == 0) {
            ShowMessage("Error recovering patient information.");
            return false;
        }
        patient->MoveFirst();
        TxtPatient->setText(patient->Field("Names").toString());
        const QVariant admittedTo = patient->Field("InFacilityCode");
        if (admittedTo.toLongLong() > 0) {
            SelectEntry(*CBChargeTypes, 0);
            if (!ChargeTypeChosen())
                return false;
            SelectEntry(*CBFacilities, EntryOf(*rsFacilities, "FacilityCode", admittedTo));
            FacilityChosen();
            facilityOfAdmission = true;
            // An inpatient charge is referred by the attending doctor of the admission.
            SelectEntry(*CBRefDoctors, RefDoctorEntryOf(patient->Field("InDoctorCode")));
        } else {
            // The second charge type bills a patient seen outside an admission; a practice
            // with one charge type keeps its first.
            SelectEntry(*CBChargeTypes, CBChargeTypes->count() > 1 ? 1 : 0);
            if (!ChargeTypeChosen())
                return false;
        }
    } else {
        TxtPatient->setText("Select a Patient");
    }
    globals.CurrentChargeTime = QTime(0, 0, 0);
    DTDOC->setDate(QDate::currentDate());
    if (!facilityOfAdmission) {
        SelectEntry(*CBFacilities, 0);
        FacilityChosen();
    }
    CBStatus->setCurrentIndex(0);
    return OpenCodeLists(globals.CurrentPatientId, kNewChargeDate, QTime(0, 0, 0));
}

bool frmEditCharge::LoadExistingCharge()
{
    const AppGlobals& globals = Globals();
    Command5->setEnabled(false);  // the patient of a stored charge cannot change
    QString error;
    // Read before the charge is shown: a change made after it is seen by UpdateCharge.
    const StoredRecord stored =
        StoredCharge(globals.CurrentPatientId, globals.CurrentChargeDate, globals.CurrentChargeTime);
    if (!loadedCharge_.Read(stored, error)) {
        ShowMessage(error);
        return false;
    }
    RecordsetPtr charge;
    if (OpenRecordset(charge,
                      "Select * From ChargesDescriptive Where PatientId=" + QString::number(globals.CurrentPatientId) +
                          " and ChargeDate=#" + SqlDateMonthFirst(globals.CurrentChargeDate) + "# and ChargeTime=#" +
                          SqlTime(globals.CurrentChargeTime) + "#",
                      error) != 0) {
        ShowMessage(error);
        return false;
    }
    if (charge->RecordCount() == 0) {
        ShowMessage("Record not found.  Please report this error!");
        return false;
    }
    charge->MoveFirst();
    if (!OpenCodeLists(globals.CurrentPatientId, globals.CurrentChargeDate, globals.CurrentChargeTime))
        return false;

    // The charge type is the stored E&M code's, whatever facility type the E&M list shows
    // now; without it the first charge type stays.
    CurrentChargeEMCode = qint32(charge->Field("EMCode").toLongLong());
    storedEMCode_ = CurrentChargeEMCode;
    const QString shownCodes = rsEMCodes->Filter();
    rsEMCodes->SetFilter("");
    if (rsEMCodes->Find("EMCode=" + QString::number(CurrentChargeEMCode)) && !rsEMCodes->EndOfFile()) {
        const QVariant chargeType = rsEMCodes->Field("ChargeTypeCode");
        rsEMCodes->SetFilter(shownCodes);
        SelectEntry(*CBChargeTypes, EntryOf(*rsChargeTypes, "ChargeTypeCode", chargeType));
        if (!ChargeTypeChosen())
            return false;
    } else {
        rsEMCodes->SetFilter(shownCodes);
    }

    TxtPatient->setText(charge->Field("Names").toString());
    CBStatus->setCurrentIndex(int(charge->Field("Status").toLongLong()));
    DTDOC->setDate(charge->Field("ChargeRealDate").toDate());
    SelectEntry(*CBFacilities, EntryOf(*rsFacilities, "FacilityCode", charge->Field("FacilityCode")));
    FacilityChosen();
    SelectEntry(*CBDoctors, EntryOf(*rsDoctorChoices, "DoctorCode", charge->Field("DoctorCode")));
    DoctorChosen();
    SelectEntry(*CBRefDoctors, RefDoctorEntryOf(charge->Field("ReferDoctorCode")));
    return true;
}
