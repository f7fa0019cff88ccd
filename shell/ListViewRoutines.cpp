#include "ListViewRoutines.h"

#include "AsisRutinasRecordsets.h"
#include "BusyCursor.h"
#include "Messages.h"
#include "RecordsetValues.h"
#include "UserSettings.h"
#include "ViewFileFormat.h"

#include <QDate>
#include <QDateTime>
#include <QHeaderView>
#include <QTime>

#include <algorithm>
#include <memory>
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

// A row's `checked` field marks its item when it holds 1.
bool isChecked(const QVariant& checked)
{
    return !recordsetvalues::isNull(checked) && checked.toLongLong() == 1;
}

QString fieldText(const Recordset& recordset, int field)
{
    return field < 0 ? QString() : ListValueText(recordset.Field(field));
}

void fillItem(const ListView& list, QTreeWidgetItem& item, const Recordset& recordset, const FieldMap& map)
{
    list.SetItemChecked(item, map.checkedField >= 0 && isChecked(recordset.Field(map.checkedField)));
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

bool rowChecked(const Recordset::RowValues& row, const FieldMap& map)
{
    return map.checkedField >= 0 && isChecked(row[std::size_t(map.checkedField)]);
}

// An item that shows one recordset row as it stands: its cells become text only when drawn or
// read, so a list of many thousand rows holds no copy of them. Texts or keys set on the item
// take precedence.
class RowItem final : public QTreeWidgetItem {
public:
    RowItem(std::shared_ptr<const Recordset::RowValues> row, qint32 position, std::shared_ptr<const FieldMap> map)
        : QTreeWidgetItem(UserType), row_(std::move(row)), map_(std::move(map)), position_(position)
    {
    }

    QVariant data(int column, int role) const override
    {
        QVariant stored = QTreeWidgetItem::data(column, role);
        if (stored.isValid() || column < 0 || std::size_t(column) >= map_->columnFields.size())
            return stored;
        if (role == Qt::DisplayRole || role == Qt::EditRole) {
            const int field = map_->columnFields[std::size_t(column)];
            return field < 0 ? QString() : ListValueText((*row_)[std::size_t(field)]);
        }
        if (role == ListView::KeyRole) {
            if (column == 0)
                return ListItemKey(position_);
            if (map_->columnHasKey[std::size_t(column)])
                return ListItemKey(column + 1);
        }
        return stored;
    }

    const Recordset::RowValues* row() const { return row_.get(); }
    const std::shared_ptr<const FieldMap>& fieldMap() const { return map_; }

private:
    std::shared_ptr<const Recordset::RowValues> row_;
    std::shared_ptr<const FieldMap> map_;
    qint32 position_;
};

RowItem* newRowItem(const ListView& list, const Recordset& recordset, qint32 position,
                    const std::shared_ptr<const FieldMap>& map)
{
    auto* item = new RowItem(recordset.RowAt(position), position, map);
    if (list.CheckBoxes())
        list.SetItemChecked(*item, rowChecked(*item->row(), *map));
    return item;
}

// Whether the items are the recordset's rows in view order, but for a row appended last that
// has no item yet.
bool showsRowsOf(const ListView& list, const Recordset& recordset)
{
    const int items = list.topLevelItemCount();
    if (items != recordset.RecordCount() && items != recordset.RecordCount() - 1)
        return false;
    for (int index = 0; index < items; ++index) {
        const QTreeWidgetItem* item = list.topLevelItem(index);
        if (item->type() != QTreeWidgetItem::UserType ||
            static_cast<const RowItem*>(item)->row() != recordset.RowAt(index + 1).get())
            return false;
    }
    return true;
}

// The column of the sort's leading field shows the (always ascending) sort indicator.
void showSortIndicator(ListView& list, const QString& sort)
{
    const QString leading = sort.section(QLatin1Char(','), 0, 0).trimmed();
    int column = -1;
    for (int candidate = 0; candidate < list.columnCount() && !leading.isEmpty(); ++candidate) {
        if (list.ColumnKey(candidate).compare(leading, Qt::CaseInsensitive) == 0) {
            column = candidate;
            break;
        }
    }
    list.header()->setSortIndicatorShown(column >= 0);
    if (column >= 0)
        list.header()->setSortIndicator(column, Qt::AscendingOrder);
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
    BusyCursor busy;
    // Nothing is drawn while the list fills, so a long list is drawn once.
    const bool updating = list.updatesEnabled();
    list.setUpdatesEnabled(false);
    list.clear();
    const qint32 count = recordset.RecordCount();
    if (count > 0) {
        const auto map = std::make_shared<const FieldMap>(mapFields(list, recordset));
        QList<QTreeWidgetItem*> items;
        items.reserve(count);
        for (qint32 position = 1; position <= count; ++position)
            items.append(newRowItem(list, recordset, position, map));
        list.addTopLevelItems(items);
        list.setCurrentItem(items.first());
        items.first()->setSelected(true);
        recordset.SetAbsolutePosition(count);
        recordset.MoveNext();
    }
    showSortIndicator(list, recordset.Sort());
    list.setUpdatesEnabled(updating);
}

void ShowMergedRow(ListView& list, Recordset& recordset)
{
    const qint32 position = recordset.AbsolutePosition();
    if (position == 0) {
        FillListView(list, recordset);
        return;
    }
    if (!showsRowsOf(list, recordset)) {
        FillListView(list, recordset);
    } else if (list.topLevelItemCount() < position) {
        const auto& map = list.topLevelItemCount() > 0
                              ? static_cast<const RowItem*>(list.topLevelItem(0))->fieldMap()
                              : std::make_shared<const FieldMap>(mapFields(list, recordset));
        list.addTopLevelItem(newRowItem(list, recordset, position, map));
    } else {
        // The row was overwritten in place: its item shows the new values once redrawn.
        const auto* item = static_cast<const RowItem*>(list.topLevelItem(position - 1));
        if (list.CheckBoxes())
            list.SetItemChecked(*list.topLevelItem(position - 1), rowChecked(*item->row(), *item->fieldMap()));
        list.viewport()->update();
    }
    recordset.SetAbsolutePosition(position);
    ClearListSelection(list);
    if (QTreeWidgetItem* item = list.topLevelItem(position - 1)) {
        list.setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
        item->setSelected(true);
        list.scrollToItem(item);
    }
}

void RefreshListRow(RecordsetPtr& recordset, const QString& baseQuery, const QString& criteria, ListView& list)
{
    BusyCursor busy;
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
    ShowMergedRow(list, *recordset);
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
