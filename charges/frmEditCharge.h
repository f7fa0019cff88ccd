#pragma once
#include "DatePicker.h"
#include "ListView.h"
#include "Recordset.h"
#include "StoredState.h"

#include <QDialog>
#include <QString>
#include <QtGlobal>

class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;

// The charge dialog: one charge's patient, date of service, facility, charge type, E&M code,
// doctor, referring doctor, status, diagnoses and procedures. The charge key globals name the
// charge (CurrentChargeDate 1900-01-01: a new one). OK stores the charge with its code lists
// in one call of InsertCharge or UpdateCharge, leaves the saved key in the globals and sets
// DialogAccepted; every other way of closing stores nothing. A load that cannot complete
// shows why and the dialog closes as soon as it is shown.
class frmEditCharge : public QDialog {
    Q_OBJECT
    // The multi-choice pickers leave their selection string here ("" on Cancel).
    Q_PROPERTY(QString PickedItems MEMBER PickedItems)
public:
    explicit frmEditCharge(QWidget* parent = nullptr);

    QString PickedItems;

    // True while loading, and after a load that stopped.
    bool CloseOnActivate() const { return closeOnActivate_; }

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createControls();

    // Loading (the lookups, then a new or a stored charge).
    void Load();
    bool OpenLookups();
    bool FillLookupLists();
    bool LoadNewCharge();
    bool LoadExistingCharge();

    // Choices that depend on each other.
    void LoadEMCodes();
    bool LoadDoctors();
    bool ChargeTypeChosen();
    void FacilityChosen();
    void DoctorChosen();
    void EMCodeChosen();
    void PickPatient();
    // Selects an entry from code, without the choice handling (the caller runs it).
    static void SelectEntry(QComboBox& list, int index);
    // The entry of the first row whose codeField holds the code; entry 0 when none does.
    static int EntryOf(Recordset& rows, const QString& codeField, const QVariant& code);
    // The referring list starts with "(none)" (code 0); a doctor no longer listed shows the
    // first doctor.
    int RefDoctorEntryOf(const QVariant& code);
    qint16 ChosenRefDoctorCode();

    // The diagnosis and procedure sub-lists.
    bool OpenCodeLists(qint16 patientId, const QDate& chargeDate, const QTime& chargeTime);
    void AddCodes(const QString& pickerName, Recordset& rows, const QString& codeField, ListView& list);
    void RemoveSelectedCode(Recordset& rows, ListView& list);
    // ";" and each code followed by ";", leaving out the rows marked for removal.
    static QString CodeListText(Recordset& rows, const QString& codeField);

    void Save();

    QLineEdit* TxtPatient = nullptr;
    QToolButton* Command5 = nullptr;
    DatePicker* DTDOC = nullptr;
    QComboBox* CBFacilities = nullptr;
    QComboBox* CBChargeTypes = nullptr;
    QComboBox* CBEMCodes = nullptr;
    QComboBox* CBDoctors = nullptr;
    QComboBox* CBRefDoctors = nullptr;
    QLabel* LblDoctorCaption = nullptr;
    QComboBox* CBStatus = nullptr;
    ListView* ListView1 = nullptr;
    ListView* ListView2 = nullptr;

    RecordsetPtr rsEMCodes;
    RecordsetPtr rsFacilities;
    RecordsetPtr rsChargeTypes;
    RecordsetPtr rsDoctors;
    RecordsetPtr rsDoctorChoices;
    RecordsetPtr rsChargeDiagnosis;
    RecordsetPtr rsChargeProcedures;

    bool closeOnActivate_ = true;
    bool newCharge_ = true;
    // A stored charge as read before it was shown, for UpdateCharge.
    StoredState loadedCharge_;
    // The E&M code the E&M list preselects whenever it holds it: the one the clerk picked last,
    // else the stored charge's; none for a new charge until one is picked.
    qint32 CurrentChargeEMCode = 0;
    // The E&M code of the stored charge; its list offers it whatever the facility's type.
    qint32 storedEMCode_ = 0;
};
