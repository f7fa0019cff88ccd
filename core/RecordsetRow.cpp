#include "RecordsetRow.h"

RecordsetRow::RecordsetRow(std::shared_ptr<RecordsetValuePool> pool, std::size_t width)
    : pool_(std::move(pool)), payloads_(new Payload[width]), kinds_(new Kind[width]()), width_(width)
{
}

QVariant RecordsetRow::operator[](std::size_t column) const
{
    const Payload& payload = payloads_[column];
    switch (kinds_[column]) {
    case Kind::Null:
        return QVariant();
    case Kind::Integer16:
        return QVariant::fromValue(qint16(payload.integer));
    case Kind::Integer32:
        return QVariant::fromValue(qint32(payload.integer));
    case Kind::Integer64:
        return QVariant::fromValue(qlonglong(payload.integer));
    case Kind::Double:
        return QVariant(payload.real);
    case Kind::Date:
        return QVariant(QDate::fromJulianDay(payload.integer));
    case Kind::Time:
        return QVariant(QTime::fromMSecsSinceStartOfDay(int(payload.integer)));
    case Kind::Pooled:
        return *payload.pooled;
    }
    return QVariant();
}

void RecordsetRow::set(std::size_t column, const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        kinds_[column] = Kind::Null;
        return;
    case QMetaType::Short:
        setInteger16(column, value.value<qint16>());
        return;
    case QMetaType::Int:
        setInteger32(column, value.value<qint32>());
        return;
    case QMetaType::LongLong:
        setInteger64(column, value.value<qlonglong>());
        return;
    case QMetaType::Double:
        setDouble(column, value.toDouble());
        return;
    case QMetaType::QDate:
        // An invalid date has no Julian day to stand for it.
        if (const QDate date = value.toDate(); date.isValid()) {
            setDate(column, date);
            return;
        }
        break;
    case QMetaType::QTime:
        if (const QTime time = value.toTime(); time.isValid()) {
            setTime(column, time);
            return;
        }
        break;
    default:
        break;
    }
    pool_->push_back(value);
    setShared(column, pool_->back());
}

void RecordsetRow::setInteger16(std::size_t column, qint16 value) { setInteger(column, Kind::Integer16, value); }

void RecordsetRow::setInteger32(std::size_t column, qint32 value) { setInteger(column, Kind::Integer32, value); }

void RecordsetRow::setInteger64(std::size_t column, qint64 value) { setInteger(column, Kind::Integer64, value); }

void RecordsetRow::setDouble(std::size_t column, double value)
{
    kinds_[column] = Kind::Double;
    payloads_[column].real = value;
}

void RecordsetRow::setDate(std::size_t column, QDate value) { setInteger(column, Kind::Date, value.toJulianDay()); }

void RecordsetRow::setTime(std::size_t column, QTime value)
{
    setInteger(column, Kind::Time, value.msecsSinceStartOfDay());
}

void RecordsetRow::setShared(std::size_t column, const QVariant& pooled)
{
    kinds_[column] = Kind::Pooled;
    payloads_[column].pooled = &pooled;
}

void RecordsetRow::setInteger(std::size_t column, Kind kind, qint64 value)
{
    kinds_[column] = kind;
    payloads_[column].integer = value;
}
