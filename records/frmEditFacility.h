#pragma once
#include "EditDialog.h"
#include "ListView.h"
#include "Recordset.h"

#include <QSet>
#include <QString>
#include <QtGlobal>

// Edits one facility: its description, type and billing codes, and its wards as a sub-list
// that reaches the database only when the dialog is accepted.
class frmEditFacility : public EditDialog {
    Q_OBJECT
public:
    explicit frmEditFacility(QWidget* parent = nullptr);

    // The description the ward dialog edits: set before it is shown, read after it closed.
    QString WardDescription;

    // The ward rows with their row states (checked).
    const RecordsetPtr& Wards() const { return wards_; }

protected:
    bool showRecord(const Recordset& row) override;
    bool showNewRecord() override;
    qint16 insertRecord(QString& error) override;
    qint16 updateRecord(QString& error) override;

private:
    bool openWards();
    void showWards();
    // A ward added in this dialog, stored on OK.
    void appendWard(const QString& description);
    void addClicked();
    void removeClicked();
    void wardDoubleClicked();
    // Shows the ward dialog on `description`; false when it gave back nothing but blanks.
    bool editWardDescription(const QString& description);
    qint16 facilityType() const;
    // Writes each ward by its row state. A failure either ends the walk with its result and
    // text, or is shown and the walk goes on (answer 0).
    qint16 writeWards(bool stopAtFailure, QString& error);

    QLineEdit* description_ = nullptr;
    QLineEdit* billingCode_ = nullptr;
    QLineEdit* billingCodeOut_ = nullptr;
    ListView* wardList_ = nullptr;
    RecordsetPtr wards_;
    // Stored wards whose description was changed here, so a restored one is still updated.
    QSet<qint16> editedWards_;
};
