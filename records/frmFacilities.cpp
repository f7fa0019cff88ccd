#include "frmFacilities.h"

#include "VNSQLFacilities.h"
#include "ViewerCommandLine.h"

namespace {

ListFormParameters facilityListParameters()
{
    // Delimited keys: "Description" must not match inside "TypeDescription", nor
    // "BillingFacilityCode" inside "BillingFacilityCodeOut".
    const QString sort = " Description ";
    ListFormParameters parameters;
    parameters.formName = "frmFacilities";
    parameters.caption = "Facilities";
    parameters.settingsSection = "Facilites";
    parameters.columns = {{"Description", "Description", 2880},
                          {"TypeDescription", "Type", 2880},
                          {"BillingFacilityCode", "Billing Code In", 1440},
                          {"BillingFacilityCodeOut", "Billing Code Out", 1440}};
    parameters.filters = {
        {0, "SELECT * FROM FacilitiesDescriptive", sort, "All"},
        {1, "SELECT * FROM FacilitiesDescriptive where BillingFacilityCode=''", sort, "Incomplete"},
    };
    parameters.delimitedSortKeys = true;
    parameters.rowQuery = "SELECT * FROM FacilitiesDescriptive WHERE ";
    parameters.keyField = "FacilityCode";
    parameters.currentCode = GlobalCode(&AppGlobals::CurrentFacilityCode);
    parameters.editDialog = "frmEditFacility";
    parameters.deleteRoutine = [](qint32 code, QString& error) { return DeleteFacility(qint16(code), error); };
    parameters.deletePrompt = "Are you sure you want to delete the selected Facilites?";
    parameters.reportTitlePrefix = "Facilities (";
    parameters.viewFileName = viewfilename::Facilities;
    return parameters;
}

}  // namespace

frmFacilities::frmFacilities(QWidget* parent) : ListForm(facilityListParameters(), parent)
{
}
