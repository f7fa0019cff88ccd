#include "frmEditCharge.h"

#include "AsisRutinasRecordsets.h"
#include "FormRegistry.h"
#include "ListViewRoutines.h"
#include "Messages.h"
#include "SqlLiterals.h"

namespace {

// Row states of the in-memory sub-lists; the database never sees them.
constexpr qint16 kRowStored = 0;
constexpr qint16 kRowAdded = 1;
constexpr qint16 kRowMarkedForRemoval = 2;

// A picked record: a 5-character code and a 40-character description.
constexpr int kPickedCodeLength = 5;
constexpr int kPickedRecordLength = 45;

qint16 rowState(const Recordset& rows)
{
    return qint16(rows.Field("checked").toLongLong());
}

// Fills the list from the rows, a row marked for removal reading "*" and its text, and
// leaves no item selected.
void fillCodeList(ListView& list, Recordset& rows)
{
    FillListView(list, rows);
    for (int index = 0; index < list.topLevelItemCount(); ++index) {
        QTreeWidgetItem& item = *list.topLevelItem(index);
        rows.SetAbsolutePosition(ListItemPosition(ListView::ItemKey(item)));
        if (rowState(rows) == kRowMarkedForRemoval)
            item.setText(0, "*" + item.text(0));
    }
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
        rows.SetField("checked", kRowAdded);
        rows.Update();
    }
    fillCodeList(list, rows);
}

void frmEditCharge::RemoveSelectedCode(Recordset& rows, ListView& list)
{
    QTreeWidgetItem* item = selectedItem(list);
    if (!item || !rows.SetAbsolutePosition(ListItemPosition(ListView::ItemKey(*item))))
        return;
    switch (rowState(rows)) {
    case kRowAdded:
        // The keys of the rows after it would name the wrong rows: the list is filled anew.
        rows.Delete();
        fillCodeList(list, rows);
        break;
    case kRowMarkedForRemoval:
        rows.SetField("checked", kRowStored);
        rows.Update();
        item->setText(0, item->text(0).mid(1));
        break;
    default:
        rows.SetField("checked", kRowMarkedForRemoval);
        rows.Update();
        item->setText(0, "*" + item->text(0));
        break;
    }
}

QString frmEditCharge::CodeListText(Recordset& rows, const QString& codeField)
{
    QString codes = ";";
    for (rows.MoveFirst(); !rows.EndOfFile(); rows.MoveNext()) {
        if (rowState(rows) != kRowMarkedForRemoval)
            codes += QString::number(rows.Field(codeField).toLongLong()) + ";";
    }
    return codes;
}
