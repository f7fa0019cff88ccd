#pragma once
#include <QString>
#include <QtGlobal>

// A tree node's key: "K", two-digit view, ".", two-digit filter ("K01.15").
QString NodeKey(qint16 view, qint16 filter);
// The view (characters 2-3) and filter (last two characters) a node key names.
qint16 NodeKeyView(const QString& key);
qint16 NodeKeyFilter(const QString& key);
