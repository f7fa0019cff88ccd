#include "Recordset.h"

#include "RecordsetValues.h"

#include <QDate>
#include <QRegularExpression>
#include <QTime>

#include <algorithm>
#include <numeric>

Recordset::Recordset(std::vector<RecordsetColumn> columns, bool readOnly)
    : columns_(std::move(columns)), readOnly_(readOnly)
{
}

std::shared_ptr<Recordset> Recordset::fromRows(const jet::Rows& rows, bool readOnly)
{
    RecordsetBuilder builder(rows.columns, readOnly);
    std::vector<jet::ValueView> views;
    for (const std::vector<jet::Value>& row : rows.rows) {
        views.clear();
        for (const jet::Value& value : row)
            views.push_back(jet::viewOf(value));
        builder.append(views);
    }
    return builder.finish();
}

RecordsetBuilder::RecordsetBuilder(const std::vector<jet::Column>& columns, bool readOnly)
{
    std::vector<RecordsetColumn> recordsetColumns;
    recordsetColumns.reserve(columns.size());
    converters_.reserve(columns.size());
    for (const jet::Column& column : columns)
        recordsetColumns.push_back({QString::fromStdString(column.name), column.type});
    recordset_ = std::make_shared<Recordset>(std::move(recordsetColumns), readOnly);
    for (const jet::Column& column : columns)
        converters_.emplace_back(column.type, *recordset_->pool_);
}

void RecordsetBuilder::append(const std::vector<jet::ValueView>& source)
{
    auto row = std::make_shared<Recordset::Row>(recordset_->pool_, converters_.size());
    for (std::size_t i = 0; i < source.size() && i < converters_.size(); ++i)
        converters_[i].convert(source[i], *row, i);
    recordset_->rows_.push_back(std::move(row));
}

RecordsetPtr RecordsetBuilder::finish()
{
    recordset_->rebuildView();
    return std::move(recordset_);
}

QString Recordset::FieldName(int index) const
{
    if (index < 0 || index >= FieldCount()) {
        fail(QStringLiteral("No column number %1.").arg(index));
        return QString();
    }
    return columns_[index].name;
}

jet::ColumnType Recordset::FieldType(int index) const
{
    if (index < 0 || index >= FieldCount()) {
        fail(QStringLiteral("No column number %1.").arg(index));
        return jet::ColumnType::Unknown;
    }
    return columns_[index].type;
}

int Recordset::FieldIndex(const QString& name) const
{
    const QString trimmed = name.trimmed();
    for (int i = 0; i < FieldCount(); ++i) {
        if (columns_[i].name.compare(trimmed, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QVariant Recordset::Field(const QString& name) const
{
    const int index = FieldIndex(name);
    if (index < 0) {
        fail(QStringLiteral("No column named %1.").arg(name));
        return QVariant();
    }
    return Field(index);
}

QVariant Recordset::Field(int index) const
{
    if (index < 0 || index >= FieldCount()) {
        fail(QStringLiteral("No column number %1.").arg(index));
        return QVariant();
    }
    if (!onRow()) {
        fail(QStringLiteral("No current row."));
        return QVariant();
    }
    return (*view_[cursor_])[index];
}

bool Recordset::SetField(const QString& name, const QVariant& value)
{
    const int index = FieldIndex(name);
    if (index < 0)
        return fail(QStringLiteral("No column named %1.").arg(name));
    return SetField(index, value);
}

bool Recordset::SetField(int index, const QVariant& value)
{
    if (readOnly_)
        return fail(QStringLiteral("The recordset is read-only."));
    if (index < 0 || index >= FieldCount())
        return fail(QStringLiteral("No column number %1.").arg(index));
    if (!onRow())
        return fail(QStringLiteral("No current row."));
    QVariant stored;
    if (!recordsetvalues::toColumnType(value, columns_[index].type, stored)) {
        return fail(QStringLiteral("Value %1 does not fit column %2.")
                        .arg(value.toString(), columns_[index].name));
    }
    view_[cursor_]->set(std::size_t(index), stored);
    return true;
}

void Recordset::MoveFirst()
{
    cursor_ = 0;
    currentDeleted_ = false;
}

void Recordset::MoveNext()
{
    if (currentDeleted_)
        currentDeleted_ = false;
    else if (cursor_ < view_.size())
        ++cursor_;
}

qint32 Recordset::AbsolutePosition() const
{
    return onRow() ? qint32(cursor_ + 1) : 0;
}

bool Recordset::SetAbsolutePosition(qint32 position)
{
    if (position < 1 || position > RecordCount())
        return fail(QStringLiteral("Position %1 is outside the recordset.").arg(position));
    cursor_ = std::size_t(position - 1);
    currentDeleted_ = false;
    return true;
}

std::shared_ptr<const Recordset::RowValues> Recordset::RowAt(qint32 position) const
{
    if (position < 1 || position > RecordCount())
        return nullptr;
    return view_[std::size_t(position - 1)];
}

bool Recordset::Find(const QString& criterion)
{
    Comparison comparison;
    if (!parseComparison(criterion, false, comparison))
        return false;
    std::size_t position = cursor_;
    while (position < view_.size() && !rowMatches(*view_[position], comparison))
        ++position;
    cursor_ = position;
    currentDeleted_ = false;
    return true;
}

bool Recordset::SetSort(const QString& sort)
{
    std::vector<int> sortColumns;
    if (!columnsOf(sort, QLatin1Char(','), sortColumns))
        return false;
    sort_ = sort;
    sortColumns_ = std::move(sortColumns);
    rebuildView();
    return true;
}

bool Recordset::SetFilter(const QString& filter)
{
    std::vector<Comparison> comparisons;
    if (!filter.trimmed().isEmpty()) {
        static const QRegularExpression joiner(QStringLiteral("\\s+and\\s+"),
                                               QRegularExpression::CaseInsensitiveOption);
        for (const QString& part : filter.split(joiner)) {
            Comparison comparison;
            if (!parseComparison(part, true, comparison))
                return false;
            comparisons.push_back(std::move(comparison));
        }
    }
    filter_ = filter;
    filterComparisons_ = std::move(comparisons);
    rebuildView();
    return true;
}

bool Recordset::AddNew()
{
    if (readOnly_)
        return fail(QStringLiteral("The recordset is read-only."));
    rows_.push_back(std::make_shared<Row>(pool_, columns_.size()));
    view_.push_back(rows_.back());
    cursor_ = view_.size() - 1;
    currentDeleted_ = false;
    return true;
}

bool Recordset::Update()
{
    if (readOnly_)
        return fail(QStringLiteral("The recordset is read-only."));
    if (!onRow())
        return fail(QStringLiteral("No current row."));
    return true;
}

bool Recordset::Delete()
{
    if (readOnly_)
        return fail(QStringLiteral("The recordset is read-only."));
    if (!onRow())
        return fail(QStringLiteral("No current row."));
    const Row* row = view_[cursor_].get();
    view_.erase(view_.begin() + std::ptrdiff_t(cursor_));
    rows_.erase(std::find_if(rows_.begin(), rows_.end(),
                             [row](const std::shared_ptr<Row>& stored) { return stored.get() == row; }));
    currentDeleted_ = true;
    return true;
}

bool Recordset::fail(const QString& reason) const
{
    lastError_ = reason;
    return false;
}

bool Recordset::columnsOf(const QString& list, QChar separator, std::vector<int>& indexes) const
{
    indexes.clear();
    if (list.trimmed().isEmpty())
        return true;
    for (const QString& name : list.split(separator)) {
        const int index = FieldIndex(name);
        if (index < 0)
            return fail(QStringLiteral("No column named %1.").arg(name.trimmed()));
        indexes.push_back(index);
    }
    return true;
}

// "Column = value"; the value is a decimal integer or, unless integersOnly, a date
// #mm/dd/yyyy# or a time #hh:MM:ss#.
bool Recordset::parseComparison(const QString& text, bool integersOnly, Comparison& comparison) const
{
    static const QRegularExpression shape(QStringLiteral("^\\s*([^=]*?)\\s*=\\s*(.*?)\\s*$"));
    static const QRegularExpression integer(QStringLiteral("^[+-]?\\d+$"));
    static const QRegularExpression date(QStringLiteral("^#(\\d{1,2})/(\\d{1,2})/(\\d{4})#$"));
    static const QRegularExpression time(QStringLiteral("^#(\\d{1,2}):(\\d{1,2}):(\\d{1,2})#$"));

    const QRegularExpressionMatch parts = shape.match(text);
    if (!parts.hasMatch())
        return fail(QStringLiteral("Cannot read the comparison: %1").arg(text));
    comparison.column = FieldIndex(parts.captured(1));
    if (comparison.column < 0)
        return fail(QStringLiteral("No column named %1.").arg(parts.captured(1)));

    const QString value = parts.captured(2);
    bool ok = false;
    if (integer.match(value).hasMatch()) {
        comparison.value = value.toLongLong(&ok);
    } else if (const QRegularExpressionMatch d = date.match(value); !integersOnly && d.hasMatch()) {
        const QDate parsed(d.captured(3).toInt(), d.captured(1).toInt(), d.captured(2).toInt());
        ok = parsed.isValid();
        comparison.value = parsed;
    } else if (const QRegularExpressionMatch t = time.match(value); !integersOnly && t.hasMatch()) {
        const QTime parsed(t.captured(1).toInt(), t.captured(2).toInt(), t.captured(3).toInt());
        ok = parsed.isValid();
        comparison.value = parsed;
    }
    if (!ok)
        return fail(QStringLiteral("Cannot read the value of the comparison: %1").arg(text));
    return true;
}

bool Recordset::rowMatches(const Row& row, const Comparison& comparison) const
{
    const QVariant value = row[std::size_t(comparison.column)];
    return !recordsetvalues::isNull(value) && recordsetvalues::compare(value, comparison.value) == 0;
}

void Recordset::rebuildView()
{
    view_.clear();
    view_.reserve(rows_.size());
    for (const std::shared_ptr<Row>& row : rows_) {
        const bool passes = std::all_of(filterComparisons_.begin(), filterComparisons_.end(),
                                        [&](const Comparison& c) { return rowMatches(*row, c); });
        if (passes)
            view_.push_back(row);
    }
    if (!sortColumns_.empty())
        sortView();
    cursor_ = 0;
    currentDeleted_ = false;
}

void Recordset::sortView()
{
    // Keys are taken once per row; the sort then compares plain numbers and folded texts.
    const std::size_t width = sortColumns_.size();
    std::vector<recordsetvalues::SortKey> keys;
    keys.reserve(view_.size() * width);
    for (const std::shared_ptr<Row>& row : view_) {
        for (int column : sortColumns_)
            keys.push_back(recordsetvalues::sortKeyOf((*row)[std::size_t(column)]));
    }
    std::vector<std::size_t> order(view_.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        for (std::size_t k = 0; k < width; ++k) {
            const int comparison = recordsetvalues::compare(keys[a * width + k], keys[b * width + k]);
            if (comparison != 0)
                return comparison < 0;
        }
        return false;
    });
    std::vector<std::shared_ptr<Row>> sorted;
    sorted.reserve(view_.size());
    for (std::size_t position : order)
        sorted.push_back(std::move(view_[position]));
    view_ = std::move(sorted);
}
