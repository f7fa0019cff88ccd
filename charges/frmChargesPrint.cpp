#include "frmCharges.h"

#include "ApoyoImpresion.h"
#include "AppGlobals.h"
#include "BusyCursor.h"
#include "ChargeReports.h"
#include "DatePicker.h"
#include "FormRegistry.h"
#include "Messages.h"
#include "ViewerCommandLine.h"

#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>
#include <vector>

namespace {

// The data-entry list prints on a landscape page of its own size.
constexpr float kDataEntryPageWidth = 11.0f;
constexpr float kDataEntryPageHeight = 8.2f;

}  // namespace

QString frmCharges::viewName() const
{
    switch (filter_) {
    case 0:
        return "All";
    case 4:
        return "Ready";
    case 5:
        return "Posted";
    case 13:
        return "Archived";
    default:
        return QString();
    }
}

QString frmCharges::subtitle() const
{
    QString text;
    if (!optAllPatients->isChecked())
        text += "Patient: " + TxtPatient->text() + "; ";
    if (!optAllInsurances->isChecked())
        text += "Insurance: " + TxtInsurance->text() + "; ";
    if (!optAllDoctors->isChecked())
        text += "Doctor: " + TxtDoctor->text() + "; ";
    if (!optAllDates->isChecked())
        text += "from " + DTPicker1->date().toString("MM/dd/yyyy") + " to " +
                DTPicker2->date().toString("MM/dd/yyyy") + "; ";
    if (!optAllLots->isChecked())
        text += "Lot: " + TxtLotNumber->text();
    return text;
}

void frmCharges::columnSpecifications(QString& headings, QString& keys) const
{
    std::vector<int> columns;
    for (int column = 0; column < ListView1->columnCount(); ++column)
        columns.push_back(column);
    std::sort(columns.begin(), columns.end(), [this](int a, int b) {
        return ListView1->ColumnPosition(a) < ListView1->ColumnPosition(b);
    });
    for (int column : columns) {
        const int width = qRound(ListView1->ColumnWidth(column));
        if (width <= 0)
            continue;  // hidden by a filter or by the user
        const QString inches = ColumnSpecificationWidth(width);
        headings += ListView1->headerItem()->text(column) + "," + inches + ";";
        keys += ListView1->ColumnKey(column) + "," + inches + ";";
    }
}

void frmCharges::Imprimir()
{
    AppGlobals& globals = Globals();
    globals.PrintChoiceTitle = "Print Charges";
    globals.PrintChoiceList = "Current view;Detailed view;Detailed view with billing codes";
    if (!optAllInsurances->isChecked())
        globals.PrintChoiceList += ";For data entry;For data entry with billing codes";
    globals.PrintChoice = 0;
    ShowDialogByName("frmPrintGeneral", this);
    if (globals.PrintChoice == 0 || !records_)
        return;

    const QString view = viewName();
    const QString sub = subtitle();
    const QString outstanding = "Outstanding Charges (" + view + ")";
    const QString billing = "Billing (" + view + ")";
    QString error;
    bool printed = true;
    BusyCursor busy(kPrintingStatus);
    switch (globals.PrintChoice) {
    case 1: {
        QString headings;
        QString keys;
        columnSpecifications(headings, keys);
        printed = PrintRecordset(*records_, ViewFilePath(viewfilename::Charges), globals.PrintPageWidth,
                                 globals.PrintPageHeight, globals.ReportHeading, outstanding, sub, headings, keys,
                                 error);
        break;
    }
    case 2:
        printed = PrintChargeReport(*records_, ViewFilePath(viewfilename::ChargesDetail), globals.PrintPageWidth,
                                    globals.PrintPageHeight, globals.ReportHeading, outstanding, sub, true, error);
        break;
    case 3:
        printed = PrintChargeReport(*records_, ViewFilePath(viewfilename::ChargesDetailWithBillingCodes),
                                    globals.PrintPageWidth, globals.PrintPageHeight, globals.ReportHeading,
                                    outstanding + "(B)", sub, false, error);
        break;
    case 4:
        printed = PrintChargeList(*records_, ViewFilePath(viewfilename::ChargesDataEntry), kDataEntryPageWidth,
                                  kDataEntryPageHeight, globals.ReportHeading, billing, sub, true, error);
        break;
    case 5:
        printed = PrintChargeList(*records_, ViewFilePath(viewfilename::ChargesDataEntryWithBillingCodes),
                                  kDataEntryPageWidth, kDataEntryPageHeight, globals.ReportHeading,
                                  billing + "(B)", sub, false, error);
        break;
    default:
        break;
    }
    if (!printed)
        ShowMessage(error, MessageButtons::Ok);
}
