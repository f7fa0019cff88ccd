#pragma once
#include "RecordsTestEnvironment.h"

#include "AppGlobals.h"
#include "ListViewRoutines.h"
#include "Recordset.h"

#include <QDialog>
#include <QList>
#include <QString>

// Patients, insurances, facilities and history items arranged straight in the practice
// database for the patient forms' tests.
class PatientsTest : public RecordsTest {
protected:
    void SetUp() override
    {
        RecordsTest::SetUp();
        run("INSERT INTO Insurance VALUES (1, 'Mutual Care', 'MC1')");
        run("INSERT INTO Insurance VALUES (2, 'Beacon Plan', 'BP2')");
        run("INSERT INTO Facility VALUES (1, 'North Hospital', 1, 'NH', 'NHO')");
        run("INSERT INTO Facility VALUES (2, 'Lakeside Care', 2, 'LC', 'LCO')");
    }

    void addPatient(int id, const QString& names, const QString& dateOfBirth, const QString& account,
                    int insurance = 1, int facility = 0)
    {
        run(QString("INSERT INTO Patient (PatientId, Names, DateOfBirth, AccountNumber, InsuranceCode, "
                        "InFacilityCode) VALUES (%1, '%2', '%3', '%4', %5, %6)")
                    .arg(id)
                    .arg(names, dateOfBirth, account)
                    .arg(insurance)
                    .arg(facility));
    }

    void addCharge(int patientId, const QString& date, const QString& time)
    {
        run(QString("INSERT INTO PatientCharges (PatientId, ChargeDate, ChargeTime, Status) "
                        "VALUES (%1, '%2', '%3', 0)")
                    .arg(patientId)
                    .arg(date, time));
    }

    int count(const QString& sql) { return queryValue(sql).toInt(); }

    // The patient ids a list shows, top to bottom, read through each item's row.
    static QList<int> shownIds(ListView& list, Recordset& rows)
    {
        QList<int> ids;
        for (int index = 0; index < list.topLevelItemCount(); ++index) {
            rows.SetAbsolutePosition(ListItemPosition(ListView::ItemKey(*list.topLevelItem(index))));
            ids << rows.Field("PatientId").toInt();
        }
        return ids;
    }

    // Registers a dialog of the name that does nothing by itself (the test's onDialog acts).
    void registerStandInDialog(const QString& name)
    {
        registerTestForm(name, [name](QWidget* parent) {
            auto* dialog = new QDialog(parent);
            dialog->setObjectName(name);
            return dialog;
        });
    }
};
