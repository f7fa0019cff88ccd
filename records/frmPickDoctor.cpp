#include "frmPickDoctor.h"

frmPickDoctor::frmPickDoctor(QWidget* parent)
    : SingleChoicePicker({"frmPickDoctor", "Doctor selection", [] { return QString("SELECT * FROM Doctors"); },
                          {{"Description", "Description", 2880}}, "DoctorCode",
                          GlobalCode(&AppGlobals::PickedDoctorCode),
                          [](const Recordset& row) { Globals().PickedDoctorName = row.Field("Description").toString(); },
                          "Select an Doctor first"},
                         parent)
{
}
