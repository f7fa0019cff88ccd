#include "frmPatients.h"

#include "FormRegistry.h"
#include "ListViewRoutines.h"
#include "Messages.h"
#include "VNSQLPatients.h"
#include "ViewerCommandLine.h"
#include "frmMergePatients.h"

std::vector<ListColumn> PatientListColumns()
{
    return {{"Names", "Names", 2880},
            {"DateOfBirth", "DOB", 1440},
            {"Description", "Insurance", 2880},
            {"FacilityName", "Facility", 2880},
            {"AccountNumber", "Billing Code", 1440}};
}

namespace {

ListFormParameters patientListParameters()
{
    ListFormParameters parameters;
    parameters.formName = "frmPatients";
    parameters.caption = "Patients";
    parameters.settingsSection = "Patients";
    parameters.columns = PatientListColumns();
    parameters.filters = {
        {0, "SELECT * FROM PatientsDescriptive", "Names", "All"},
        {1, "SELECT * FROM PatientsDescriptiveInconsistent", "Names", "Incomplete"},
        {2, "SELECT * FROM PatientsDescriptiveAdmitted", "Names", "Admitted"},
        {3, "SELECT * FROM PatientsDescriptiveNotAdmitted", "Names", "Not admitted"},
        {15, "SELECT * FROM PatientsDescriptiveDupDOB", "DateOfBirth", ""},
        {16, "SELECT * FROM PatientsDescriptiveDupName", "Names", ""},
        {17, "SELECT * FROM PatientsDescriptiveDupDOBName", "DateOfBirth,Names", ""},
        {18, "SELECT * FROM PatientsDescriptiveDupAccount", "AccountNumber", ""},
    };
    parameters.rowQuery = "SELECT * FROM PatientsDescriptive WHERE ";
    parameters.keyField = "PatientId";
    parameters.currentCode = GlobalCode(&AppGlobals::CurrentPatientId);
    parameters.editDialog = "frmEditPatient";
    parameters.deleteRoutine = [](qint32 code, QString& error) { return DeletePatient(qint16(code), error); };
    parameters.deletePrompt = "Are You sure you want to delete the selected Patients?";
    parameters.reportTitlePrefix = "Patients (";
    parameters.viewFileName = viewfilename::Patients;
    return parameters;
}

}  // namespace

frmPatients::frmPatients(QWidget* parent) : ListForm(patientListParameters(), parent)
{
    connect(&List(), &QTreeWidget::itemClicked, this, &frmPatients::itemClicked);
}

void frmPatients::itemClicked(QTreeWidgetItem* item)
{
    if (item && item->isSelected() && positionOn(*item))
        takeCurrentCode();
}

QList<qint32> frmPatients::selectedPositionsFromLast() const
{
    // Positions rather than items: re-reading a row refills the list and replaces its items.
    QList<qint32> positions;
    for (const QTreeWidgetItem* item : selectedItemsFromLast())
        positions.append(ListItemPosition(ListView::ItemKey(*item)));
    return positions;
}

void frmPatients::showForEachSelected(const QString& dialogName)
{
    for (qint32 position : selectedPositionsFromLast()) {
        if (!rows() || !rows()->SetAbsolutePosition(position))
            continue;
        takeCurrentCode();
        ShowDialogByName(dialogName, this);
        // These dialogs answer nothing: the row is re-read whatever the user did.
        Insertado();
    }
    update();
}

void frmPatients::Admit()
{
    showForEachSelected("frmAdmitPatient");
}

void frmPatients::Discharge()
{
    showForEachSelected("frmDischargePatient");
}

void frmPatients::Merge()
{
    QString& mergeList = Globals().MergePatientList;
    mergeList.clear();
    for (qint32 position : selectedPositionsFromLast()) {
        if (rows() && rows()->SetAbsolutePosition(position))
            mergeList += MergeListEntry(qint16(rows()->Field("PatientId").toInt()));
    }
    if (mergeList.size() < 11) {
        ShowMessage("You have to select at least 2 patients!");
    } else {
        if (ShowDialogByName("frmMergePatients", this) && Globals().DialogAccepted)
            Refresca();
    }
    update();
}
