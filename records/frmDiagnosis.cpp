#include "frmDiagnosis.h"

#include "VNSQLDiagnosis.h"
#include "ViewerCommandLine.h"

namespace {

ListFormParameters diagnosisListParameters()
{
    const QString sort = "Description";
    ListFormParameters parameters;
    parameters.formName = "frmDiagnosis";
    parameters.caption = "Diagnosis";
    parameters.settingsSection = "Diagnosis";
    parameters.columns = {{"Description", "Description", 2880},
                          {"BillingDiagnosisCode", "Billing Code", 1440},
                          {"RealDiagnosisCode", "Real Code", 1440},
                          {"FamilyDesc", "Family", 2880}};
    parameters.filters = {
        {0, "SELECT * FROM DiagnosisDescriptive", sort, "All"},
        {1, "SELECT * FROM DiagnosisDescriptive where BillingDiagnosisCode=''", sort, "Incomplete"},
    };
    parameters.delimitedSortKeys = false;
    parameters.rowQuery = "SELECT * FROM DiagnosisDescriptive WHERE ";
    parameters.keyField = "DiagnosisCode";
    parameters.currentCode = GlobalCode(&AppGlobals::CurrentDiagnosisCode);
    parameters.editDialog = "frmEditDiagnosis";
    parameters.deleteRoutine = [](qint32 code, QString& error) { return DeleteDiagnosis(qint16(code), error); };
    parameters.deletePrompt = "Are you sure you want to delete the selected Diagnosis?";
    parameters.reportTitlePrefix = "Diagnosis (";
    parameters.viewFileName = viewfilename::Diagnoses;
    return parameters;
}

}  // namespace

frmDiagnosis::frmDiagnosis(QWidget* parent) : ListForm(diagnosisListParameters(), parent)
{
}
