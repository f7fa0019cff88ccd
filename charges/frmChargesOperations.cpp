#include "frmCharges.h"

#include "AppGlobals.h"
#include "AsisRutinasRecordsets.h"
#include "BusyCursor.h"
#include "frmChargesRows.h"
#include "FormRegistry.h"
#include "ListViewRoutines.h"
#include "Messages.h"
#include "VNSQLCharges.h"

void frmCharges::Insertado()
{
    BusyCursor busy;
    const AppGlobals& globals = Globals();
    const QString sql =
        StoredChargeQuery({globals.CurrentPatientId, globals.CurrentChargeDate, globals.CurrentChargeTime});
    RecordsetPtr charge;
    QString error;
    if (OpenRecordset(charge, sql, error) != 0) {
        ShowMessage(error, MessageButtons::Ok);
        return;
    }
    if (charge->RecordCount() == 0)
        return;
    charge->MoveFirst();
    if (!records_) {
        records_ = charge;  // the list's own query had failed: the charge starts a list
    } else if (MoveToCharge(*records_, ChargeKeyOfCurrentRow(*charge))) {
        OverwriteCurrentRow(*records_, *charge);
    } else {
        AppendCurrentRow(*records_, *charge);
    }
    ShowMergedRow(*ListView1, *records_);
}

void frmCharges::Eliminar()
{
    if (ShowMessage("Are you sure you want to delete the selected Charges?", MessageButtons::OkCancel) !=
        MessageAnswer::Ok)
        return;
    if (!records_)
        return;
    // From the last item up, so that deleted rows never shift the rows still to be visited.
    for (int index = ListView1->topLevelItemCount() - 1; index >= 0; --index) {
        const QTreeWidgetItem* item = ListView1->topLevelItem(index);
        if (!item->isSelected())
            continue;
        records_->SetAbsolutePosition(ListItemPosition(ListView::ItemKey(*item)));
        const ChargeKey key = MakeCurrentCharge(*records_);
        QString error;
        if (DeleteCharge(key.patientId, key.chargeDate, key.chargeTime, error) != 0)
            ShowMessage(error, MessageButtons::Ok);
        else
            records_->Delete();
    }
    FillListView(*ListView1, *records_);
    update();
}

void frmCharges::ListView1DblClick()
{
    QTreeWidgetItem* item = ListView1->currentItem();
    if (!item || !item->isSelected()) {
        const QList<QTreeWidgetItem*> selected = ListView1->selectedItems();
        item = selected.isEmpty() ? nullptr : selected.first();
    }
    if (!item || !records_)
        return;
    records_->SetAbsolutePosition(ListItemPosition(ListView::ItemKey(*item)));
    MakeCurrentCharge(*records_);
    if (ShowDialogByName("frmEditCharge", this) && Globals().DialogAccepted)
        Insertado();
}

void frmCharges::ListView1ColumnClick(int column)
{
    if (!records_)
        return;
    BusyCursor busy;
    records_->SetSort(SortAfterColumnClick(records_->Sort(), ListView1->ColumnKey(column)));
    FillListView(*ListView1, *records_);
}
