#include "SubListRows.h"

#include "ListViewRoutines.h"

namespace {

const QString kMark = QStringLiteral("*");

qint16 rowState(const Recordset& rows)
{
    return qint16(rows.Field("checked").toInt());
}

}  // namespace

void FillSubList(ListView& list, Recordset& rows)
{
    FillListView(list, rows);
    for (int index = 0; index < list.topLevelItemCount(); ++index) {
        QTreeWidgetItem& item = *list.topLevelItem(index);
        if (rows.SetAbsolutePosition(ListItemPosition(ListView::ItemKey(item))) && rowState(rows) == RowRemoved)
            item.setText(0, kMark + item.text(0));
    }
}

void ToggleRowRemoval(ListView& list, QTreeWidgetItem& item, Recordset& rows)
{
    if (!rows.SetAbsolutePosition(ListItemPosition(ListView::ItemKey(item))))
        return;
    switch (rowState(rows)) {
    case RowAdded:
        rows.Delete();
        FillSubList(list, rows);
        ClearListSelection(list);
        return;
    case RowRemoved:
        rows.SetField("checked", RowStored);
        rows.Update();
        item.setText(0, item.text(0).mid(1));
        return;
    default:
        rows.SetField("checked", RowRemoved);
        rows.Update();
        item.setText(0, kMark + item.text(0));
        return;
    }
}
