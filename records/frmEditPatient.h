#pragma once
#include "DatePicker.h"
#include "EditDialog.h"
#include "ListView.h"
#include "Recordset.h"
#include "VNSQLPatients.h"

#include <QString>
#include <QtGlobal>

// Edits one patient: names, date of birth, account number, insurance, and the medical
// history as a sub-list that reaches the database only when the dialog is accepted.
class frmEditPatient : public EditDialog {
    Q_OBJECT
    // Read and written by the history picker, which this dialog opens.
    Q_PROPERTY(qint16 ActiveSicknessType MEMBER ActiveSicknessType)
    Q_PROPERTY(QString PickedItems MEMBER PickedItems)
public:
    explicit frmEditPatient(QWidget* parent = nullptr);

    // The history type chosen when "add" was pressed.
    qint16 ActiveSicknessType = 0;
    // The history picker's selection: 50 characters per item, "" after Cancel.
    QString PickedItems;

    // The history rows of every type, with their row states (checked).
    const RecordsetPtr& History() const { return history_; }

protected:
    bool showRecord(const Recordset& row) override;
    bool showNewRecord() override;
    qint16 insertRecord(QString& error) override;
    qint16 updateRecord(QString& error) override;

private:
    bool openHistory(qint16 patientId);
    // Shows the history rows of the type chosen in CBSicknessType.
    void showChosenType();
    void addClicked();
    void removeClicked();
    void appendPickedItems();
    // The history rows added or marked for removal in this dialog.
    PatientHistoryChanges historyChanges() const;
    qint16 chosenInsuranceCode() const;

    QLineEdit* names_ = nullptr;
    DatePicker* dateOfBirth_ = nullptr;
    QLineEdit* account_ = nullptr;
    QComboBox* insurances_ = nullptr;
    QComboBox* sicknessTypes_ = nullptr;
    ListView* historyList_ = nullptr;
    RecordsetPtr history_;
};
