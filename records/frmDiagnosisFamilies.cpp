#include "frmDiagnosisFamilies.h"

#include "VNSQLDiagnosisFamilies.h"
#include "ViewerCommandLine.h"

namespace {

const QString kGroupsQuery = "SELECT * FROM DiagnosisFamily";
const QString kGroupsSort = "DiagnosisFamilyDescription";

ListFormParameters diagnosisFamilyListParameters()
{
    ListFormParameters parameters;
    parameters.formName = "frmDiagnosisFamilies";
    parameters.caption = "Diagnosis Groups";
    parameters.settingsSection = "DiagnosisFamilies";
    parameters.columns = {{"DiagnosisFamilyDescription", "Description", 2880}};
    // These entries give the filters their names in the printed title.
    parameters.filters = {
        {0, kGroupsQuery, kGroupsSort, "All"},
        {1, kGroupsQuery, kGroupsSort, "Incomplete"},
    };
    parameters.delimitedSortKeys = false;
    parameters.rowQuery = "SELECT * FROM DiagnosisFamily WHERE ";
    parameters.keyField = "DiagnosisFamilyCode";
    parameters.currentCode = GlobalCode(&AppGlobals::CurrentDiagnosisFamilyCode);
    parameters.editDialog = "frmEditDiagnosisFamily";
    parameters.deleteRoutine = [](qint32 code, QString& error) {
        return DeleteDiagnosisFamily(qint16(code), error);
    };
    parameters.deletePrompt = "Are you sure you want to delete the selected DiagnosisFamilies?";
    parameters.reportTitlePrefix = "Diagnosis Families(";
    parameters.viewFileName = viewfilename::DiagnosisFamilies;
    return parameters;
}

}  // namespace

frmDiagnosisFamilies::frmDiagnosisFamilies(QWidget* parent) : ListForm(diagnosisFamilyListParameters(), parent)
{
}

bool frmDiagnosisFamilies::queryOfFilter(qint16 /*filter*/, QString& sql, QString& initialSort) const
{
    sql = kGroupsQuery;
    initialSort = kGroupsSort;
    return true;
}
