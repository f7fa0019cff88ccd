#include "RecordsetRow.h"

#include <QDate>
#include <QTime>

RecordsetRow::RecordsetRow(std::shared_ptr<RecordsetValuePool> pool, std::size_t width)
    : pool_(std::move(pool)), cells_(width)
{
}

QVariant RecordsetRow::operator[](std::size_t column) const
{
    const Cell& cell = cells_[column];
    switch (cell.kind) {
    case Kind::Null:
        return QVariant();
    case Kind::Integer16:
        return QVariant::fromValue(qint16(cell.integer));
    case Kind::Integer32:
        return QVariant::fromValue(qint32(cell.integer));
    case Kind::Integer64:
        return QVariant::fromValue(qlonglong(cell.integer));
    case Kind::Double:
        return QVariant(cell.real);
    case Kind::Date:
        return QVariant(QDate::fromJulianDay(cell.integer));
    case Kind::Time:
        return QVariant(QTime::fromMSecsSinceStartOfDay(int(cell.integer)));
    case Kind::Pooled:
        return *cell.pooled;
    }
    return QVariant();
}

void RecordsetRow::set(std::size_t column, const QVariant& value)
{
    Cell& cell = cells_[column];
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        cell.kind = Kind::Null;
        return;
    case QMetaType::Short:
        cell.kind = Kind::Integer16;
        cell.integer = value.value<qint16>();
        return;
    case QMetaType::Int:
        cell.kind = Kind::Integer32;
        cell.integer = value.value<qint32>();
        return;
    case QMetaType::LongLong:
        cell.kind = Kind::Integer64;
        cell.integer = value.value<qlonglong>();
        return;
    case QMetaType::Double:
        cell.kind = Kind::Double;
        cell.real = value.toDouble();
        return;
    case QMetaType::QDate:
        // An invalid date has no Julian day to stand for it.
        if (const QDate date = value.toDate(); date.isValid()) {
            cell.kind = Kind::Date;
            cell.integer = date.toJulianDay();
            return;
        }
        break;
    case QMetaType::QTime:
        if (const QTime time = value.toTime(); time.isValid()) {
            cell.kind = Kind::Time;
            cell.integer = time.msecsSinceStartOfDay();
            return;
        }
        break;
    default:
        break;
    }
    pool_->push_back(value);
    setShared(column, pool_->back());
}

void RecordsetRow::setShared(std::size_t column, const QVariant& pooled)
{
    Cell& cell = cells_[column];
    cell.kind = Kind::Pooled;
    cell.pooled = &pooled;
}
