#include "frmDoctors.h"

#include "VNSQLDoctors.h"
#include "ViewerCommandLine.h"

namespace {

ListFormParameters doctorListParameters()
{
    const QString sort = "Description";
    ListFormParameters parameters;
    parameters.formName = "frmDoctors";
    parameters.caption = "Doctors";
    parameters.settingsSection = "Doctors";
    parameters.columns = {{"Description", "Description", 2880}, {"BillingDoctorCode", "Billing Code", 1440}};
    parameters.filters = {
        {0, "SELECT * FROM Doctors", sort, "All"},
        {1, "SELECT * FROM Doctors where BillingDoctorCode=''", sort, "Incomplete"},
    };
    parameters.rowQuery = "SELECT * FROM Doctors WHERE ";
    parameters.keyField = "DoctorCode";
    parameters.currentCode = GlobalCode(&AppGlobals::CurrentDoctorCode);
    parameters.editDialog = "frmEditDoctor";
    parameters.deleteRoutine = [](qint32 code, QString& error) { return DeleteDoctor(qint16(code), error); };
    parameters.deletePrompt = "Are you sure you want to delete the selected Doctors?";
    parameters.reportTitlePrefix = "Doctors (";
    parameters.viewFileName = viewfilename::Doctors;
    return parameters;
}

}  // namespace

frmDoctors::frmDoctors(QWidget* parent) : ListForm(doctorListParameters(), parent)
{
}
