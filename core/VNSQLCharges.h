#pragma once
#include "ChargeKey.h"
#include "StoredState.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QTime>
#include <QtGlobal>

// Writes charges: the charge row with its diagnosis and procedure rows, its status and its
// print lot. Every routine answers 0 done, 1 a database error, 2 no row changed (or a detail
// row failed while inserting), 3 a detail row failed while updating; `error` holds the text.
// A charge is keyed by patient, creation date and creation time.

// Creates a charge keyed by today's date and the current time, with the codes of both code
// lists (";3;17;"), all in one transaction. The key is handed back only when it is committed.
qint16 InsertCharge(qint16 patientId, QDate& chargeDate, QTime& chargeTime, const QDate& chargeRealDate,
                    qint32 emCode, qint16 doctorCode, qint16 referDoctorCode, qint16 facilityCode,
                    const QString& diagnosisList, const QString& procedureList, qint16 status, QString& error);

// The charge row with its diagnoses and procedures, as the charge editor reads them before it
// shows a stored charge.
StoredRecord StoredCharge(qint16 patientId, const QDate& chargeDate, const QTime& chargeTime);

// Brings the stored diagnoses and procedures in line with the lists, then updates the charge
// row, all in one transaction; refused (2) when the charge was changed or deleted since
// `loaded` was read.
qint16 UpdateCharge(qint16 patientId, const QDate& chargeDate, const QTime& chargeTime,
                    const QDate& chargeRealDate, qint32 emCode, qint16 doctorCode, qint16 referDoctorCode,
                    qint16 facilityCode, const QString& diagnosisList, const QString& procedureList,
                    qint16 status, const StoredState& loaded, QString& error);

// Deletes the charge row only, without a transaction of its own.
qint16 DeleteCharge(qint16 patientId, const QDate& chargeDate, const QTime& chargeTime, QString& error);

// Sets the status and, unless printLot is negative, the print lot.
qint16 SetChargeStatus(qint16 patientId, const QDate& chargeDate, const QTime& chargeTime, qint32 printLot,
                       qint16 status, QString& error);

// Of the charges, those whose status is Ready in the database now, in the order given.
qint16 ReadyCharges(const QList<ChargeKey>& charges, QList<ChargeKey>& ready, QString& error);

// Posts, in one transaction, those of the charges that are still Ready: status 1 and the lot.
// Either all of them are posted (0, `posted` lists them) or none (`posted` empty); a charge
// that another user posted, archived or deleted meanwhile is left as it is.
qint16 PostCharges(const QList<ChargeKey>& charges, qint32 printLot, QList<ChargeKey>& posted, QString& error);

// Archives, in one transaction, every charge not yet archived whose date of service lies
// before `until`, except each patient's latest one (of two on the same date, the first read).
// All of them are archived (0) or none. `toArchive` is how many there were, 0 when they could
// not be read (`error` then begins with the SQL text); `patientWalked` follows the patients
// as they are walked.
qint16 ArchiveCharges(const QDate& until, qint32& toArchive, qint16& patientWalked, QString& error);

// Detail rows of a charge; they run inside their caller's transaction.
qint16 InsertChargeDiagnosis(qint16 patientId, const QDate& chargeDate, const QTime& chargeTime,
                             qint16 diagnosisCode, QString& error);
qint16 DeleteChargeDiagnosis(qint16 patientId, const QDate& chargeDate, const QTime& chargeTime,
                             qint16 diagnosisCode, QString& error);
qint16 InsertChargeProcedure(qint16 patientId, const QDate& chargeDate, const QTime& chargeTime,
                             qint16 procedureCode, QString& error);
qint16 DeleteChargeProcedure(qint16 patientId, const QDate& chargeDate, const QTime& chargeTime,
                             qint16 procedureCode, QString& error);
