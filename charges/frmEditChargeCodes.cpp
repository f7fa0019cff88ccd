#include "frmEditCharge.h"

#include "AsisRutinasRecordsets.h"
#include "FormRegistry.h"
#include "ListViewRoutines.h"
#include "Messages.h"
#include "SqlLiterals.h"
#include "SubListRows.h"

namespace {

// A picked record: a 5-character code and a 40-character description.
constexpr int kPickedCodeLength = 5;
constexpr int kPickedRecordLength = 45;

// The list filled from the rows, with nothing selected.
void fillCodeList(ListView& list, Recordset& rows)
{
    FillSubList(list, rows);
    ClearListSelection(list);
}

bool openCodeRows(RecordsetPtr& rows, const QString& query, const QString& keyCondition, ListView& list)
{
    QString error;
    if (OpenRecordset(rows, query + keyCondition, error) != 0) {
        ShowMessage(error);
        return false;
    }
    fillCodeList(list, *rows);
    return true;
}

QTreeWidgetItem* selectedItem(const ListView& list)
{
    QTreeWidgetItem* current = list.currentItem();
    if (current && current->isSelected())
        return current;
    const QList<QTreeWidgetItem*> selected = list.selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

}  // namespace

bool frmEditCharge::OpenCodeLists(qint16 patientId, const QDate& chargeDate, const QTime& chargeTime)
{
    const QString keyCondition = QString::number(patientId) + " and ChargeDate=#" + SqlDateMonthFirst(chargeDate) +
                                 "# and ChargeTime=#" + SqlTime(chargeTime) + "#";
    return openCodeRows(rsChargeDiagnosis, "Select * From ChargeDiagnosisDescriptive Where PatientId=", keyCondition,
                        *ListView1) &&
           openCodeRows(rsChargeProcedures, "Select * From ChargeProceduresDescriptive Where PatientId=",
                        keyCondition, *ListView2);
}

void frmEditCharge::AddCodes(const QString& pickerName, Recordset& rows, const QString& codeField, ListView& list)
{
    // Cleared first, so that a picker that answers nothing adds nothing.
    PickedItems.clear();
    ShowDialogByName(pickerName, this);
    const qsizetype records = PickedItems.size() / kPickedRecordLength;
    for (qsizetype record = 0; record < records; ++record) {
        const QString picked = PickedItems.mid(record * kPickedRecordLength, kPickedRecordLength);
        rows.AddNew();
        rows.SetField(codeField, picked.left(kPickedCodeLength).trimmed().toShort());
        rows.SetField("Description", picked.mid(kPickedCodeLength).trimmed());
        rows.SetField("checked", RowAdded);
        rows.Update();
    }
    fillCodeList(list, rows);
}

void frmEditCharge::RemoveSelectedCode(Recordset& rows, ListView& list)
{
    if (QTreeWidgetItem* item = selectedItem(list))
        ToggleRowRemoval(list, *item, rows);
}

QString frmEditCharge::CodeListText(Recordset& rows, const QString& codeField)
{
    QString codes = ";";
    for (rows.MoveFirst(); !rows.EndOfFile(); rows.MoveNext()) {
        if (rows.Field("checked").toInt() != RowRemoved)
            codes += QString::number(rows.Field(codeField).toLongLong()) + ";";
    }
    return codes;
}
