#pragma once
#include "Recordset.h"
#include "StoredState.h"

#include <QString>
#include <QtGlobal>

// Reads and writes facilities. Write routines answer 0 done, 1 a database error (or no code
// could be allocated), 2 no row changed; each runs in a transaction of its own.

// Read-only row of Facility; null on any failure, silently.
RecordsetPtr GetFacility(qint16 facilityCode);
// Updatable recordset of all facilities; null on any failure, silently.
RecordsetPtr GetFacilities();
// The next desktop facility code; 0 after a failure, which is shown.
qint16 NextFacilityCode();

// The new code goes to facilityCode once committed.
qint16 InsertFacility(qint16& facilityCode, const QString& description, qint16 facilityTypeCode,
                      const QString& billingFacilityCode, const QString& billingFacilityCodeOut, QString& error);
// The facility row as its editor reads it before showing it; UpdateFacility refuses (2) to write
// over a row changed or deleted since.
StoredRecord StoredFacility(qint16 facilityCode);
qint16 UpdateFacility(qint16 facilityCode, const QString& description, qint16 facilityTypeCode,
                      const QString& billingFacilityCode, const QString& billingFacilityCodeOut,
                      const StoredState& loaded, QString& error);
// Refused while charges or admitted patients name the facility; its wards go with it.
qint16 DeleteFacility(qint16 facilityCode, QString& error);
