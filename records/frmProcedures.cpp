#include "frmProcedures.h"

#include "VNSQLProcedures.h"
#include "ViewerCommandLine.h"

namespace {

ListFormParameters procedureListParameters()
{
    const QString sort = " Description ";
    ListFormParameters parameters;
    parameters.formName = "frmProcedures";
    parameters.caption = "Procedures";
    parameters.settingsSection = "Procedures";
    parameters.columns = {{"Description", "Description", 2880},
                          {"BillingProcedureCode", "Billing Code", 1440},
                          {"RealProcedureCode", "Real Code", 1440}};
    parameters.filters = {
        {0, "SELECT * FROM Procedures", sort, "All"},
        {1, "SELECT * FROM Procedures where BillingProcedureCode=''", sort, "Incomplete"},
    };
    parameters.delimitedSortKeys = true;
    parameters.rowQuery = "SELECT * FROM Procedures WHERE ";
    parameters.keyField = "ProcedureCode";
    parameters.currentCode = GlobalCode(&AppGlobals::CurrentProcedureCode);
    parameters.editDialog = "frmEditProcedure";
    parameters.deleteRoutine = [](qint32 code, QString& error) { return DeleteProcedure(qint16(code), error); };
    parameters.deletePrompt = "Are you sure you want to delete the selected Procedures?";
    parameters.reportTitlePrefix = "Procedures (";
    parameters.viewFileName = viewfilename::Procedures;
    return parameters;
}

}  // namespace

frmProcedures::frmProcedures(QWidget* parent) : ListForm(procedureListParameters(), parent)
{
}
