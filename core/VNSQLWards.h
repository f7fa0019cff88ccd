#pragma once
#include "Recordset.h"

#include <QString>
#include <QtGlobal>

// Reads and writes the wards of the facilities; ward codes are unique over all facilities.
// Write routines answer 0 done, 1 a database error (or no code could be allocated), 2 no row
// changed; each runs in a transaction of its own.

// Updatable recordsets; null on any failure, silently.
RecordsetPtr GetFacilityWards(qint16 facilityCode);
RecordsetPtr GetWard(qint16 wardCode);
// The next desktop ward code; 0 after a failure, which is shown.
qint16 NextWardCode();

// The new code (or 0) goes to wardCode at once, before the row is written.
qint16 InsertWard(qint16& wardCode, qint16 facilityCode, const QString& description, QString& error);
// Writes the facility with the description, so a ward can move to another facility.
qint16 UpdateWard(qint16 wardCode, qint16 facilityCode, const QString& description, QString& error);
// Refused while patients are admitted to the ward.
qint16 DeleteWard(qint16 wardCode, QString& error);
