#pragma once
#include "AppGlobals.h"
#include "ChargesForms.h"
#include "ChargesTestEnvironment.h"

#include <QObject>
#include <QString>
#include <QtGlobal>

// Stands in for the main window where a form reads FiltroActual and calls ActivaFiltro.
class ChargesListMainForm : public QObject {
    Q_OBJECT
    Q_PROPERTY(qint16 FiltroActual MEMBER FiltroActual)
public:
    qint16 FiltroActual = 0;
    QList<qint16> activatedFilters;

    Q_INVOKABLE void ActivaFiltro(qint16 index) { activatedFilters << index; }
};

// A small practice: two insurances, three doctors, two facilities (the second without wards),
// two wards, two patients; charges are added by each test. The charge forms are registered and
// the stand-in main window is MainForm.
class ChargesListTest : public ChargesTest {
protected:
    void SetUp() override
    {
        ChargesTest::SetUp();
        RegisterChargesForms();
        Globals().MainForm = &mainForm;
        run("INSERT INTO Insurance (InsuranceCode, Description, BillingInsuranceCode) VALUES "
            "(1, 'Acme Health', 'AH'), (2, 'Blue Plan', 'BP')");
        run("INSERT INTO Doctors (DoctorCode, Description, BillingDoctorCode) VALUES "
            "(1, 'Dr One', 'D1'), (2, 'Dr Two', 'D2'), (3, 'Dr Three', 'D3')");
        run("INSERT INTO Facility (FacilityCode, Description, FacilityTypeCode, BillingFacilityCode, "
            "BillingFacilityCodeOut) VALUES (1, 'General', 1, 'G1', 'G1O'), (2, 'Clinic', 1, 'C1', 'C1O')");
        run("INSERT INTO FacilityWards (WardCode, FacilityCode, Description) VALUES "
            "(1, 1, 'North'), (2, 1, 'South')");
        run("INSERT INTO Patient (PatientId, Names, InsuranceCode, InFacilityCode, InWardCode, InDoctorCode) "
            "VALUES (25000, 'ANN ADAMS', 1, 0, 0, 0), (25001, 'BOB BROWN', 2, 0, 0, 0)");
    }

    void TearDown() override
    {
        Globals().MainForm = nullptr;
        ChargesTest::TearDown();
    }

    // One charge; dates as yyyy-MM-dd, its creation time from `second`.
    void addCharge(int patientId, const QString& serviceDate, int doctor, int status, int lot = 0,
                   int second = 0, const QString& created = "2026-01-01")
    {
        run(QString("INSERT INTO PatientCharges (PatientId, ChargeDate, ChargeTime, ChargeRealDate, "
                    "FacilityCode, EMCode, DoctorCode, ReferDoctorCode, Status, PrintLot) VALUES "
                    "(%1, '%2', '10:00:%3', '%4', 1, 0, %5, 0, %6, %7)")
                .arg(patientId)
                .arg(created)
                .arg(second, 2, 10, QChar('0'))
                .arg(serviceDate)
                .arg(doctor)
                .arg(status)
                .arg(lot));
    }

    ChargesListMainForm mainForm;
};
