#include "ProviderSubList.h"

#include "ListViewRoutines.h"
#include "SubListRows.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

SubListFrame MakeSubListFrame(QWidget& parent, const QString& title, const ListColumn& column)
{
    SubListFrame made;
    made.frame = new QGroupBox(title, &parent);
    made.list = new ListView(made.frame);
    made.list->setObjectName("ListView1");
    made.list->setSelectionMode(QAbstractItemView::SingleSelection);
    made.list->AddColumn(column.key, column.caption, column.widthTwips);
    made.add = new QPushButton("add", made.frame);
    made.add->setObjectName("Command1");
    made.remove = new QPushButton("del", made.frame);
    made.remove->setObjectName("Command2");

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(made.add);
    buttons->addWidget(made.remove);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(made.frame);
    layout->addWidget(made.list);
    layout->addLayout(buttons);
    return made;
}

QTreeWidgetItem* SelectedLine(const ListView& list)
{
    QTreeWidgetItem* current = list.currentItem();
    if (current && current->isSelected())
        return current;
    const QList<QTreeWidgetItem*> selected = list.selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

bool PositionOnLine(Recordset& rows, const QTreeWidgetItem& line)
{
    return rows.SetAbsolutePosition(ListItemPosition(ListView::ItemKey(line)));
}

qint16 ToggleSelectedLine(ListView& list, Recordset& rows)
{
    QTreeWidgetItem* line = SelectedLine(list);
    if (!line || !PositionOnLine(rows, *line))
        return -1;
    const qint16 before = qint16(rows.Field("checked").toInt());
    ToggleRowRemoval(list, *line, rows);
    if (before == RowAdded)
        ClearListSelection(list);
    return before;
}
