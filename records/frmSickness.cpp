#include "frmSickness.h"

#include "VNSQLSickness.h"
#include "ViewerCommandLine.h"

namespace {

ListFormParameters sicknessListParameters()
{
    const QString sort = " Description ";
    ListFormParameters parameters;
    parameters.formName = "frmSickness";
    parameters.caption = "History items";
    parameters.settingsSection = "Sickness";
    // The list reopens on whatever filter was last stored under its section.
    parameters.savesActiveFilter = false;
    parameters.columns = {{"Description", "Description", 2880}, {"SicknessTypeDescription", "Type", 2880}};
    parameters.filters = {
        {0, "SELECT * FROM SicknessDescriptive", sort, "All"},
        {10, "SELECT * FROM SicknessDescriptive where SicknessTypeCode=0", sort, "Allergies"},
        {11, "SELECT * FROM SicknessDescriptive where SicknessTypeCode=1", sort, "Medical"},
        {12, "SELECT * FROM SicknessDescriptive where SicknessTypeCode=2", sort, "Surgical"},
    };
    parameters.delimitedSortKeys = true;
    parameters.rowQuery = "SELECT * FROM SicknessDescriptive WHERE ";
    parameters.keyField = "SicknessCode";
    parameters.currentCode = GlobalCode(&AppGlobals::CurrentSicknessCode);
    parameters.editDialog = "frmEditSickness";
    parameters.deleteRoutine = [](qint32 code, QString& error) { return DeleteSickness(qint16(code), error); };
    parameters.deletePrompt = "Are you sure you want to delete the selected Sickness?";
    parameters.reportTitlePrefix = "History Items (";
    parameters.viewFileName = viewfilename::HistoryItems;
    return parameters;
}

}  // namespace

frmSickness::frmSickness(QWidget* parent) : ListForm(sicknessListParameters(), parent)
{
}
