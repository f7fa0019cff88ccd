#include "frmPickHistory.h"

#include "VNSQLSickness.h"

frmPickHistory::frmPickHistory(QWidget* parent)
    : MultiChoicePicker({"frmPickHistory", "History selection", "SELECT * FROM Sickness",
                         {{"SicknessCode", true}, {"SicknessTypeCode", true}, {"Description", false}}, true,
                         {"CBSicknessType", GetSicknessTypes, "Description", "SicknessTypeCode", "ActiveSicknessType"}},
                        parent)
{
}
