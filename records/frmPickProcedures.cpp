#include "frmPickProcedures.h"

frmPickProcedures::frmPickProcedures(QWidget* parent)
    : MultiChoicePicker({"frmPickProcedures", "Procedures selection", "SELECT * FROM Procedures",
                         {{"ProcedureCode", true}, {"Description", false}}, false, {}},
                        parent)
{
}
