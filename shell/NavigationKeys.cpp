#include "NavigationKeys.h"

namespace {

// The last two characters of "00" followed by the number.
QString twoDigits(qint16 number)
{
    return ("00" + QString::number(number)).right(2);
}

}  // namespace

QString NodeKey(qint16 view, qint16 filter)
{
    return "K" + twoDigits(view) + "." + twoDigits(filter);
}

qint16 NodeKeyView(const QString& key)
{
    return qint16(key.mid(1, 2).toInt());
}

qint16 NodeKeyFilter(const QString& key)
{
    return qint16(key.right(2).toInt());
}
