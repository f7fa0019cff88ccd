#pragma once
#include <QDate>
#include <QObject>
#include <QString>
#include <QTime>
#include <QtGlobal>

#include <memory>

namespace jet { class Connection; }

// The application-wide values of the desktop program, read and written on the
// user-interface thread. One instance; tests reset it between cases.
struct AppGlobals {
    std::unique_ptr<jet::Connection> DbConnection;
    bool ConnectionOpen = false;
    QString DatabasePath;
    QString ReportHeading;
    QObject* MainForm = nullptr;

    bool DialogAccepted = false;

    qint16 CurrentPatientId = 0;
    qint16 CurrentDoctorCode = 0;
    qint16 CurrentFacilityCode = 0;
    qint16 CurrentInsuranceCode = 0;
    qint16 CurrentProcedureCode = 0;
    qint16 CurrentDiagnosisCode = 0;
    qint16 CurrentSicknessCode = 0;
    qint16 CurrentDiagnosisFamilyCode = 0;
    qint16 CurrentWardCode = 0;
    qint32 CurrentEMCode = 0;
    QDate CurrentChargeDate = QDate(1900, 1, 1);
    QTime CurrentChargeTime = QTime(0, 0, 0);
    qint16 CurrentAttentionTypeCode = 0;

    qint16 PickedPatientId = 0;
    qint16 PickedInsuranceCode = 0;
    qint16 PickedDoctorCode = 0;
    QString PickedDoctorName;
    qint16 PickedFrequency = 0;
    QString PickedAttentionTypeName;
    QString PickedFrequencyName;
    // 1 limits the patient picker to the patients admitted to PickPatientFacilityCode,
    // PickEveryPatient lets it offer every patient, any other value the patients not admitted.
    qint16 PickPatientScope = 0;
    qint16 PickPatientFacilityCode = 0;
    QString MergePatientList;

    float PrintPageWidth = 8.5f;
    float PrintPageHeight = 11.0f;

    QString PrintChoiceTitle;
    QString PrintChoiceList;
    qint16 PrintChoice = 0;
};

// The patient picker's scope for every patient; no charge type has this code.
inline constexpr qint16 PickEveryPatient = -1;

// The one instance.
AppGlobals& Globals();

// Puts every value back to its start-up state and closes the connection (tests).
void ResetGlobals();
