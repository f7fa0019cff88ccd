#include "frmCharges.h"

#include "AppGlobals.h"
#include "AsisRutinasRecordsets.h"
#include "BusyCursor.h"
#include "DatePicker.h"
#include "FormRegistry.h"
#include "ListViewRoutines.h"
#include "Messages.h"
#include "SqlLiterals.h"
#include "ViewFileFormat.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

QString baseQuery(qint16 filter)
{
    switch (filter) {
    case 0:
        return "SELECT * FROM ChargesDescriptive Where [status]<>2";
    case 4:
        return "SELECT * FROM ChargesDescriptive Where [status]=0";
    case 5:
        return "SELECT * FROM ChargesDescriptive Where [status]=1";
    case 13:
        return "SELECT * FROM ChargesDescriptive Where [status]=2";
    default:
        return QString();
    }
}

// A number as the filter writes it: whole numbers without decimals, "." otherwise.
QString numberText(double value)
{
    return QString::number(value, 'g', 15);
}

}  // namespace

QString frmCharges::QueryText(qint16 filter) const
{
    QString sql = baseQuery(filter);
    if (sql.isEmpty())
        return sql;
    if (optSelectedDates->isChecked())
        sql += " and ChargeRealDate >= #" + SqlDateMonthFirst(DTPicker1->date()) + "# and ChargeRealDate <= #" +
               SqlDateMonthFirst(DTPicker2->date()) + "#";
    if (optSelectedPatients->isChecked())
        sql += " and PatientId= " + QString::number(patientFilter_.code);
    if (optSelectedInsurances->isChecked())
        sql += " and InsuranceCode= " + QString::number(insuranceFilter_.code);
    if (optSelectedDoctors->isChecked())
        sql += " and DoctorCode= " + QString::number(doctorFilter_.code);
    if (optSelectedLot->isChecked())
        sql += " and PrintLot = " + numberText(LeadingDecimal(TxtLotNumber->text()));
    return sql;
}

void frmCharges::Refresca()
{
    if (!FiltersReady)
        return;
    const QObject* mainForm = Globals().MainForm;
    filter_ = mainForm ? qint16(mainForm->property("FiltroActual").toInt()) : 0;
    const QString sql = QueryText(filter_);
    if (sql.isEmpty())
        return;  // a view this list does not show
    BusyCursor busy;
    // The rows shown stay with their recordset until a new one has been read.
    RecordsetPtr reread;
    QString error;
    if (OpenRecordset(reread, sql, error) != 0) {
        ShowMessage(error, MessageButtons::Ok);
        return;
    }
    records_ = std::move(reread);
    records_->SetSort("ChargeRealDate");
    FillListView(*ListView1, *records_);
}

void frmCharges::dateOptionChosen(bool between)
{
    DTPicker1->setEnabled(between);
    DTPicker2->setEnabled(between);
    Refresca();
}

void frmCharges::lotOptionChosen(bool selected)
{
    TxtLotNumber->setEnabled(selected);
    Refresca();
}

void frmCharges::columnFilterChosen(const QString& columnKey, double& savedWidth, RecordFilter& filter,
                                    QPushButton* search, bool selected)
{
    // Turned on before any record was picked, the filter starts on the program's current one.
    if (selected && filter.code == 0)
        takeRecord(filter, Globals().*filter.current);
    // While one record is shown its column would repeat it on every row.
    const int column = ListView1->ColumnWithKey(columnKey);
    if (selected) {
        savedWidth = ListView1->ColumnWidth(column);
        ListView1->SetColumnWidth(column, 0);
    } else {
        ListView1->SetColumnWidth(column, savedWidth);
    }
    filter.text->setEnabled(selected);
    search->setEnabled(selected);
    Refresca();
}

void frmCharges::search(RecordFilter& filter)
{
    AppGlobals& globals = Globals();
    globals.*filter.picked = 0;
    // Charges of any patient are listed, admitted or not, whatever scope the charge editor left.
    if (&filter == &patientFilter_)
        globals.PickPatientScope = PickEveryPatient;
    ShowDialogByName(filter.pickerName, this);
    const qint16 choice = globals.*filter.picked;
    if (choice == 0 || choice == filter.code)
        return;
    // The pick also becomes the program's current record, as picks elsewhere do.
    if (takeRecord(filter, choice))
        globals.*filter.current = choice;
    Refresca();
}

bool frmCharges::takeRecord(RecordFilter& filter, qint16 code)
{
    if (code == 0)
        return false;
    const RecordsetPtr record = filter.read(code);
    if (!record || record->RecordCount() == 0)
        return false;
    record->MoveFirst();
    filter.text->setText(ListValueText(record->Field(filter.shownField)));
    filter.code = code;
    return true;
}
