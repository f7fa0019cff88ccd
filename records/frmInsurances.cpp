#include "frmInsurances.h"

#include "VNSQLInsurances.h"
#include "ViewerCommandLine.h"

namespace {

ListFormParameters insuranceListParameters()
{
    ListFormParameters parameters;
    parameters.formName = "frmInsurances";
    parameters.caption = "Insurances";
    parameters.settingsSection = "Insurances";
    parameters.columns = {{"Description", "Description", 2880}, {"BillingInsuranceCode", "Billing Code", 1440}};
    parameters.filters = {
        {0, "SELECT * FROM Insurance", " Description ", "All"},
        {1, "SELECT * FROM Insurance where BillingInsuranceCode=''", " Description ", "Incomplete"},
    };
    parameters.delimitedSortKeys = true;
    parameters.rowQuery = "SELECT * FROM Insurance WHERE ";
    parameters.keyField = "InsuranceCode";
    parameters.currentCode = GlobalCode(&AppGlobals::CurrentInsuranceCode);
    parameters.editDialog = "frmEditInsurance";
    parameters.deleteRoutine = [](qint32 code, QString& error) { return DeleteInsurance(qint16(code), error); };
    parameters.deletePrompt = "Are you sure you want to delete the selected Insurances?";
    parameters.reportTitlePrefix = "Insurances (";
    parameters.viewFileName = viewfilename::Insurances;
    return parameters;
}

}  // namespace

frmInsurances::frmInsurances(QWidget* parent) : ListForm(insuranceListParameters(), parent)
{
}
