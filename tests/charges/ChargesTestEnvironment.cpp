#include "ChargesTestEnvironment.h"

#include "AppGlobals.h"
#include "JetConnection.h"

#include <QDialog>

void ChargesTest::registerStandInDialog(const QString& name)
{
    registerTestForm(name, [name](QWidget* parent) {
        auto* dialog = new QDialog(parent);
        dialog->setObjectName(name);
        return dialog;
    });
}

void ChargesTest::arrangeSmallPractice()
{
    run("INSERT INTO Facility (FacilityCode, Description, FacilityTypeCode, BillingFacilityCode, "
        "BillingFacilityCodeOut) VALUES (1, 'North Hospital', 1, 'NH1', 'NH2'), (2, 'Sunset Care', 2, 'SC1', 'SC2'), "
        "(3, 'Main Office', 5, 'MO1', 'MO2')");
    run("INSERT INTO Doctors (DoctorCode, Description, BillingDoctorCode) VALUES (1, 'Dr. Avery', 'AV'), "
        "(2, 'Dr. Brook', 'BR'), (3, 'Dr. Cole', 'CO')");
    run("INSERT INTO DoctorCoveringDoctors (DoctorCode, CoveringDoctorCode) VALUES (1, 3)");
    run("INSERT INTO EvaluationManagement (EMCode, Description, FacilityTypeCode, ChargeTypeCode, AttentionTypeCode, "
        "BillingEMCode, RealEMCode) VALUES (10, 'Hospital visit', 1, 1, 2, '99221', 'R99221'), "
        "(11, 'Hospital consult', 1, 3, 2, '99251', 'R99251'), (12, 'Hospital admission', 1, 1, 1, '99222', 'R99222'), "
        "(13, 'Nursing visit', 2, 1, 2, '99304', 'R99304'), (14, 'Office visit', 5, 2, 2, '99213', 'R99213'), "
        "(15, 'Nursing outpatient', 2, 2, 2, '99307', 'R99307')");
    run("INSERT INTO Patient (PatientId, Names, DateOfBirth, AccountNumber, InsuranceCode, InFacilityCode, "
        "InWardCode, InDoctorCode) VALUES (100, 'Admitted, Ann', '1950-02-03', 'AC100', 0, 2, 0, 2), "
        "(101, 'Walkin, Will', '1961-04-05', 'AC101', 0, 0, 0, 0)");
    run("INSERT INTO Diagnosis (DiagnosisCode, Description, DiagnosisFamilyCode, RealDiagnosisCode, "
        "BillingDiagnosisCode) VALUES (1, 'Asthma', 0, 'J45', 'B45'), (2, 'Bronchitis', 0, 'J40', 'B40'), "
        "(3, 'Cough', 0, 'R05', 'B05')");
    run("INSERT INTO Procedures (ProcedureCode, Description, RealProcedureCode, BillingProcedureCode) VALUES "
        "(1, 'ECG', '93000', 'P93000'), (2, 'X-ray', '71045', 'P71045')");
}
