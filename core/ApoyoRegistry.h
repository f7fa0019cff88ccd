#pragma once
#include "Registry.h"

#include <QString>
#include <QVariant>
#include <QtGlobal>

// Reads one value under HKEY_LOCAL_MACHINE: opens the key, reads through ReadRegValue and
// answers its result; a key that cannot be opened answers the registry's code.
qint32 GetRegSetting(const QString& keyPath, const QString& valueName, QVariant& value);

// 0 with value set to the text of a string value or to the number of a 32-bit number value.
// Otherwise the registry's code with value untouched, except that a string that cannot be
// read empties it; -1 for any other type, value untouched.
qint32 ReadRegValue(const registry::Key& key, const QString& valueName, QVariant& value);
