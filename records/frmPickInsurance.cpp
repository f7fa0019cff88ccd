#include "frmPickInsurance.h"

frmPickInsurance::frmPickInsurance(QWidget* parent)
    : SingleChoicePicker({"frmPickInsurance", "Insurance selection", [] { return QString("SELECT * FROM Insurance"); },
                          {{"Description", "Description", 2880}}, "InsuranceCode",
                          GlobalCode(&AppGlobals::PickedInsuranceCode), {}, "Select an Insurance first"},
                         parent)
{
}
