#pragma once
#include "JetTypes.h"
#include "RecordsetRow.h"
#include "RecordsetValues.h"

#include <QString>
#include <QVariant>
#include <QtGlobal>

#include <memory>
#include <vector>

// One column of a recordset: its name and the type of the database column it came from.
struct RecordsetColumn {
    QString name;
    jet::ColumnType type = jet::ColumnType::Unknown;
};

// The system's in-memory table: the rows of one SELECT, detached from the database, browsed,
// sorted, filtered, searched and edited in memory. Changes never reach the database.
//
// Values are QVariant (held compactly, see RecordsetRow): an invalid QVariant is Null (told
// apart from 0 and from ""); 16-bit and flag columns hold qint16, 32-bit columns qint32, text
// QString, dates QDate, times QTime, date-times QDateTime, doubles double. A value that does
// not fit its column's type (a computed column, an out-of-range number) keeps the nearest
// QVariant it came as.
//
// Column names match without regard to case. The view is the rows that pass the filter, in
// sort order; record count, positions, moves and searches refer to the view. The view is
// rebuilt when the sort or the filter is set; a row added afterwards joins the end of the
// view, and edited values do not move their row until the view is rebuilt.
//
// No routine throws. A routine that cannot do what it is asked answers false (or Null, or 0)
// and leaves its reason in LastError().
class Recordset {
public:
    explicit Recordset(std::vector<RecordsetColumn> columns = {}, bool readOnly = false);

    // Every row of a query result, converted to the recordset's value types.
    static std::shared_ptr<Recordset> fromRows(const jet::Rows& rows, bool readOnly);
    friend class RecordsetBuilder;

    // Columns, numbered from 0.
    int FieldCount() const { return int(columns_.size()); }
    QString FieldName(int index) const;
    jet::ColumnType FieldType(int index) const;
    // -1 when the recordset has no such column.
    int FieldIndex(const QString& name) const;

    // Values of the current row. Null (with a reason in LastError) at end of file or for an
    // unknown column.
    QVariant Field(const QString& name) const;
    QVariant Field(int index) const;
    // Changes the current row in memory. The value is converted to the column's type; an
    // invalid QVariant stores Null. False on a read-only recordset, at end of file, for an
    // unknown column or a value that cannot be converted.
    bool SetField(const QString& name, const QVariant& value);
    bool SetField(int index, const QVariant& value);

    // Rows in the view (0 for an empty view).
    qint32 RecordCount() const { return qint32(view_.size()); }
    // True past the last row of the view, and always for an empty view.
    bool EndOfFile() const { return cursor_ >= view_.size(); }
    void MoveFirst();
    void MoveNext();
    // 1-based position of the current row in the view; 0 when there is none.
    qint32 AbsolutePosition() const;
    // Makes row `position` (1 to RecordCount) of the view current; false otherwise.
    bool SetAbsolutePosition(qint32 position);

    // One comparison "Column = value" (blanks around "=" optional) with a decimal integer, a
    // date #mm/dd/yyyy# or a time #hh:MM:ss#. Searches forward from the current row (itself
    // included) and makes the first match current; no match leaves the recordset at end of
    // file. False, with the cursor unchanged, for a criterion it cannot read.
    bool Find(const QString& criterion);

    // Column names separated by ",", blanks around each allowed; ascending, stable, on typed
    // values. "" restores the order in which rows were read or added. The cursor goes to the
    // first row. False, nothing changed, for an unknown column.
    bool SetSort(const QString& sort);
    QString Sort() const { return sort_; }

    // Comparisons "Column = integer" joined by " and "; "" shows every row. The cursor goes
    // to the first row. False, nothing changed, for a filter it cannot read.
    bool SetFilter(const QString& filter);
    QString Filter() const { return filter_; }

    // Appends a row of Nulls at the end of the view and makes it current.
    bool AddNew();
    // Keeps the changes made to the current row (they are made in place); false when there
    // is no current row.
    bool Update();
    // Removes the current row. The cursor then stands before the row that followed it:
    // MoveNext makes that row current, as it would have from the deleted one.
    bool Delete();

    // The values of row `position` (1 to RecordCount) of the view, shared so that a list can show
    // them without copying; they outlive a Delete. Null outside the view.
    using RowValues = RecordsetRow;
    std::shared_ptr<const RowValues> RowAt(qint32 position) const;

    bool IsReadOnly() const { return readOnly_; }
    const QString& LastError() const { return lastError_; }

private:
    using Row = RowValues;

    struct Comparison {
        int column = -1;
        QVariant value;
    };

    bool onRow() const { return cursor_ < view_.size() && !currentDeleted_; }
    bool fail(const QString& reason) const;
    bool columnsOf(const QString& list, QChar separator, std::vector<int>& indexes) const;
    bool parseComparison(const QString& text, bool integersOnly, Comparison& comparison) const;
    bool rowMatches(const Row& row, const Comparison& comparison) const;
    void rebuildView();
    void sortView();

    std::vector<RecordsetColumn> columns_;
    std::shared_ptr<RecordsetValuePool> pool_ = std::make_shared<RecordsetValuePool>();
    std::vector<std::shared_ptr<Row>> rows_;  // in the order read or added
    std::vector<std::shared_ptr<Row>> view_;
    std::size_t cursor_ = 0;
    bool currentDeleted_ = false;
    bool readOnly_ = false;
    QString sort_;
    QString filter_;
    std::vector<int> sortColumns_;
    std::vector<Comparison> filterComparisons_;
    mutable QString lastError_;
};

// Recordsets are shared by reference between a form and the routines it calls.
using RecordsetPtr = std::shared_ptr<Recordset>;

// Builds a recordset from a query result one row at a time, as the rows are read, so that a
// large result is never held both as database values and as the recordset's.
class RecordsetBuilder {
public:
    RecordsetBuilder(const std::vector<jet::Column>& columns, bool readOnly);
    // Converts the row to the recordset's value types; its texts may go once it is converted.
    void append(const std::vector<jet::ValueView>& row);
    RecordsetPtr finish();

private:
    RecordsetPtr recordset_;
    std::vector<recordsetvalues::ColumnConverter> converters_;
};
