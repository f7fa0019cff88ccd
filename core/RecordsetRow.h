#pragma once
#include <QDate>
#include <QTime>
#include <QVariant>
#include <QtGlobal>

#include <cstddef>
#include <deque>
#include <memory>

// Values a recordset holds outside its rows (texts, date-times and anything unusual), shared by
// every row that holds the same value. Values are only added, so that a row read by a list
// stays valid while the recordset changes.
using RecordsetValuePool = std::deque<QVariant>;

// One row of a recordset. Numbers, dates and times sit in the row itself, eight bytes and a
// kind each; other values are held once in the recordset's pool. A value reads back exactly
// as it was set (same type, same value), and a large list costs about a third of what a
// QVariant per cell would.
class RecordsetRow {
public:
    RecordsetRow(std::shared_ptr<RecordsetValuePool> pool, std::size_t width);

    std::size_t size() const { return width_; }
    // The value of a column; an invalid QVariant is Null.
    QVariant operator[](std::size_t column) const;
    void set(std::size_t column, const QVariant& value);
    void setInteger16(std::size_t column, qint16 value);
    void setInteger32(std::size_t column, qint32 value);
    void setInteger64(std::size_t column, qint64 value);
    void setDouble(std::size_t column, double value);
    // Valid dates and times only: an invalid one goes through set.
    void setDate(std::size_t column, QDate value);
    void setTime(std::size_t column, QTime value);
    // Sets a value already held in the pool, shared rather than copied.
    void setShared(std::size_t column, const QVariant& pooled);

private:
    enum class Kind : quint8 { Null, Integer16, Integer32, Integer64, Double, Date, Time, Pooled };
    union Payload {
        qint64 integer;
        double real;
        const QVariant* pooled;
    };

    void setInteger(std::size_t column, Kind kind, qint64 value);

    std::shared_ptr<RecordsetValuePool> pool_;
    std::unique_ptr<Payload[]> payloads_;
    std::unique_ptr<Kind[]> kinds_;  // all Null to begin with
    std::size_t width_;
};
