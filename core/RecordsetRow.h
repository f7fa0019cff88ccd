#pragma once
#include <QVariant>
#include <QtGlobal>

#include <cstddef>
#include <deque>
#include <memory>
#include <vector>

// Values a recordset holds outside its rows (texts, date-times and anything unusual), shared by
// every row that holds the same value. Values are only added, so that a row read by a list
// stays valid while the recordset changes.
using RecordsetValuePool = std::deque<QVariant>;

// One row of a recordset. Numbers, dates and times sit in the row itself; other values are
// held once in the recordset's pool. A value reads back exactly as it was set (same type, same
// value), and a large list costs about half what a QVariant per cell would.
class RecordsetRow {
public:
    RecordsetRow(std::shared_ptr<RecordsetValuePool> pool, std::size_t width);

    std::size_t size() const { return cells_.size(); }
    // The value of a column; an invalid QVariant is Null.
    QVariant operator[](std::size_t column) const;
    void set(std::size_t column, const QVariant& value);
    // Sets a value already held in the pool, shared rather than copied.
    void setShared(std::size_t column, const QVariant& pooled);

private:
    enum class Kind : quint8 { Null, Integer16, Integer32, Integer64, Double, Date, Time, Pooled };
    struct Cell {
        union {
            qint64 integer;
            double real;
            const QVariant* pooled;
        };
        Kind kind = Kind::Null;
    };

    std::shared_ptr<RecordsetValuePool> pool_;
    std::vector<Cell> cells_;
};
