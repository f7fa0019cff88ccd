#include "ListViewRoutines.h"

#include "AsisRutinasRecordsets.h"
#include "Messages.h"
#include "RecordsetValues.h"
#include "UserSettings.h"
#include "ViewFileFormat.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <algorithm>
#include <vector>

namespace {

const char* const kApplication = "Vantora";

// Where each column's field and the `checked` field sit in the recordset, found once per fill.
struct FieldMap {
    std::vector<int> columnFields;  // -1: no key, or no such field
    std::vector<bool> columnHasKey;
    int checkedField = -1;
};

FieldMap mapFields(const ListView& list, const Recordset& recordset)
{
    FieldMap map;
    for (int column = 0; column < list.columnCount(); ++column) {
        const QString key = list.ColumnKey(column);
        map.columnHasKey.push_back(!key.isEmpty());
        map.columnFields.push_back(key.isEmpty() ? -1 : recordset.FieldIndex(key));
    }
    map.checkedField = recordset.FieldIndex("checked");
    return map;
}

QString fieldText(const Recordset& recordset, int field)
{
    return field < 0 ? QString() : ListValueText(recordset.Field(field));
}

void fillItem(const ListView& list, QTreeWidgetItem& item, const Recordset& recordset, const FieldMap& map)
{
    const bool checked =
        map.checkedField >= 0 && recordset.Field(map.checkedField).toLongLong() == 1 &&
        !recordsetvalues::isNull(recordset.Field(map.checkedField));
    list.SetItemChecked(item, checked);
    ListView::SetItemKey(item, ListItemKey(recordset.AbsolutePosition()));
    if (map.columnFields.empty())
        return;
    item.setText(0, fieldText(recordset, map.columnFields[0]));
    for (std::size_t column = 1; column < map.columnFields.size(); ++column) {
        const int index = int(column);
        if (map.columnHasKey[column]) {
            ListView::SetSubItemKey(item, index, ListItemKey(index + 1));
            item.setText(index, fieldText(recordset, map.columnFields[column]));
        } else {
            item.setText(index, QString());
        }
    }
}

// Reads a stored number; false (value untouched) when the text is no number.
bool readNumber(const QString& section, const QString& key, double& value)
{
    const QString stored = GetSetting(kApplication, section, key, QString::number(value));
    bool ok = false;
    const double number = stored.trimmed().toDouble(&ok);
    if (ok)
        value = number;
    return ok;
}

RecordsetPtr emptyRecordsetLike(const Recordset& model)
{
    std::vector<RecordsetColumn> columns;
    for (int field = 0; field < model.FieldCount(); ++field)
        columns.push_back({model.FieldName(field), model.FieldType(field)});
    return std::make_shared<Recordset>(std::move(columns));
}

}  // namespace

QString ListItemKey(qint32 position)
{
    return QStringLiteral("K%1").arg(position, 10, 10, QChar(u'0'));
}

qint32 ListItemPosition(const QString& key)
{
    return key.right(10).toInt();
}

QString ListValueText(const QVariant& value)
{
    if (recordsetvalues::isNull(value))
        return QString();
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate().toString(u"MM/dd/yyyy");
    case QMetaType::QTime:
        return value.toTime().toString(u"HH:mm:ss");
    case QMetaType::QDateTime:
        return value.toDateTime().toString(u"MM/dd/yyyy HH:mm:ss");
    default:
        return ReportValueText(value);
    }
}

bool LoadColumnSettings(ListView& list, const QString& section)
{
    bool allRead = true;
    std::vector<std::pair<int, int>> positions;  // (position, column)
    for (int column = 0; column < list.columnCount(); ++column) {
        const QString key = list.ColumnKey(column);
        double position = list.ColumnPosition(column);
        if (readNumber(section, key + "Position", position))
            positions.emplace_back(int(position), column);
        else
            allRead = false;
        double width = list.ColumnWidth(column);
        if (readNumber(section, key + "Width", width))
            list.SetColumnWidth(column, width);
        else
            allRead = false;
    }
    // Placing the leftmost first keeps each later move from shifting the ones placed before.
    std::stable_sort(positions.begin(), positions.end());
    for (const auto& [position, column] : positions)
        list.SetColumnPosition(column, position);
    return allRead;
}

void SaveColumnSettings(ListView& list, const QString& section)
{
    for (int column = 0; column < list.columnCount(); ++column) {
        const QString key = list.ColumnKey(column);
        SaveSetting(kApplication, section, key + "Position", QString::number(list.ColumnPosition(column)));
        SaveSetting(kApplication, section, key + "Width", QString::number(list.ColumnWidth(column)));
    }
}

void ClearListSelection(ListView& list)
{
    list.clearSelection();
}

void FillListItem(ListView& list, QTreeWidgetItem& item, const Recordset& recordset)
{
    fillItem(list, item, recordset, mapFields(list, recordset));
}

void FillListView(ListView& list, Recordset& recordset)
{
    // Nothing is drawn while the list fills, so a long list is drawn once.
    const bool updating = list.updatesEnabled();
    list.setUpdatesEnabled(false);
    list.clear();
    if (recordset.RecordCount() > 0) {
        const FieldMap map = mapFields(list, recordset);
        QList<QTreeWidgetItem*> items;
        items.reserve(recordset.RecordCount());
        for (recordset.MoveFirst(); !recordset.EndOfFile(); recordset.MoveNext()) {
            auto* item = new QTreeWidgetItem;
            fillItem(list, *item, recordset, map);
            items.append(item);
        }
        list.addTopLevelItems(items);
        list.setCurrentItem(items.first());
        items.first()->setSelected(true);
    }
    list.setUpdatesEnabled(updating);
}

void RefreshListRow(RecordsetPtr& recordset, const QString& baseQuery, const QString& criteria, ListView& list)
{
    RecordsetPtr reread;
    QString error;
    if (OpenRecordset(reread, baseQuery + " " + criteria, error) != 0) {
        ShowMessage(error, MessageButtons::Ok);
        return;
    }
    if (reread->RecordCount() == 0)
        return;
    reread->MoveFirst();
    if (!recordset)
        recordset = emptyRecordsetLike(*reread);  // the list's own query had failed
    if (recordset->RecordCount() > 0) {
        recordset->MoveFirst();
        recordset->Find(criteria);
    }
    if (recordset->EndOfFile())
        AppendCurrentRow(*recordset, *reread);
    else
        OverwriteCurrentRow(*recordset, *reread);
    const qint32 position = recordset->AbsolutePosition();
    FillListView(list, *recordset);
    recordset->SetAbsolutePosition(position);
    ClearListSelection(list);
    if (QTreeWidgetItem* item = list.FindItem(ListItemKey(position))) {
        list.setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
        item->setSelected(true);
        list.scrollToItem(item);
    }
}

QString SortAfterColumnClick(const QString& sort, const QString& key, bool delimited)
{
    const QString sortKey = delimited ? " " + key + " " : key;
    const qsizetype found = sort.indexOf(sortKey);
    if (found > 0)
        return sortKey + "," + sort.left(found - 1) + sort.mid(found + sortKey.size());
    if (found == 0)
        return sort;
    return sort.isEmpty() ? sortKey : sortKey + "," + sort;
}
