#pragma once
#include "ShellTestEnvironment.h"

#include <QString>
#include <QStringList>

// A fixture for the charge forms: ShellTest's practice database, recorded message boxes and
// scripted modal dialogs, with helpers to arrange rows directly and read back what is stored.
class ChargesTest : public ShellTest {
protected:
    // Registers, for this test only, a plain dialog under a form name that the code under test
    // opens by name (a picker of another folder): `onDialog` scripts what it does, reaching
    // the form that opened it through the dialog's parent widget.
    void registerStandInDialog(const QString& name);

    // A small practice of crafted rows (the charge types are the database's own: 1 "Inpatient
    // Visit", 2 "Outpatient Visit", 3 "Consultation"):
    // - facilities 1 "North Hospital" (type 1), 2 "Sunset Care" (type 2), 3 "Main Office" (type 5);
    // - doctors 1 "Dr. Avery", 2 "Dr. Brook", 3 "Dr. Cole"; Dr. Cole covers Dr. Avery;
    // - E&M codes (facility type, charge type, attention type, billing code):
    //   10 "Hospital visit" (1, 1, 2, 99221), 11 "Hospital consult" (1, 3, 2, 99251),
    //   12 "Hospital admission" (1, 1, 1, 99222), 13 "Nursing visit" (2, 1, 2, 99304),
    //   14 "Office visit" (5, 2, 2, 99213), 15 "Nursing outpatient" (2, 2, 2, 99307);
    // - patients 100 "Admitted, Ann" (in Sunset Care, attending Dr. Brook), 101 "Walkin, Will"
    //   (not admitted);
    // - diagnoses 1 "Asthma", 2 "Bronchitis", 3 "Cough"; procedures 1 "ECG", 2 "X-ray".
    void arrangeSmallPractice();
};
