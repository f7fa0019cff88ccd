#include "frmEMCodes.h"

#include "VNSQLEMCodes.h"
#include "ViewerCommandLine.h"

namespace {

ListFormParameters emCodeListParameters()
{
    const QString sort = " Description ";
    const QString query = "SELECT * FROM EMCodesDescriptive";
    ListFormParameters parameters;
    parameters.formName = "frmEMCodes";
    parameters.caption = "Evaluation & Management codes";
    parameters.settingsSection = "EMCodes";
    parameters.columns = {{"Description", "Description", 2880},
                          {"FacilityTypeDescription", "Applies to", 2880},
                          {"BillingEMCode", "Billing Code", 1440},
                          {"RealEMCode", "Real Code", 1440},
                          {"ChargeTypeDescription", "Charge Type", 2880},
                          {"AttentionTypeDescription", "AttentionType", 1440}};
    parameters.filters = {
        {0, query, sort, "All"},
        {1, query + " where BillingEMCode=''", sort, "Incomplete"},
        {6, query + " where FacilityTypeCode=1", sort, "Hospitals"},
        {7, query + " where FacilityTypeCode=4", sort, "B&C"},
        {8, query + " where FacilityTypeCode=2", sort, "ECF"},
        {9, query + " where FacilityTypeCode=3", sort, "Home"},
        {14, query + " where FacilityTypeCode=5", sort, "Office"},
    };
    parameters.delimitedSortKeys = true;
    parameters.rowQuery = "SELECT * FROM EMCodesDescriptive WHERE ";
    parameters.keyField = "EMCode";
    parameters.currentCode = GlobalCode(&AppGlobals::CurrentEMCode);
    parameters.editDialog = "frmEditEMCode";
    parameters.deleteRoutine = [](qint32 code, QString& error) { return DeleteEMCode(code, error); };
    parameters.deletePrompt = "Are you sure you want to delete the selected EMCodes?";
    parameters.reportTitlePrefix = "Evaulation & Management Codes (";
    parameters.viewFileName = viewfilename::EMCodes;
    return parameters;
}

}  // namespace

frmEMCodes::frmEMCodes(QWidget* parent) : ListForm(emCodeListParameters(), parent)
{
}
