#pragma once
#include "EditDialog.h"
#include "ListView.h"
#include "Recordset.h"

#include <QString>

// Edits one doctor: description, billing code and the doctors it covers, chosen with the
// doctor picker and stored with the doctor when the dialog is accepted.
class frmEditDoctor : public EditDialog {
    Q_OBJECT
public:
    explicit frmEditDoctor(QWidget* parent = nullptr);

    // The covering rows with their row states (checked).
    const RecordsetPtr& Covering() const { return covering_; }

    // ";" and the code of every covering row not marked for removal, each followed by ";".
    QString CoveringCodeList() const;

protected:
    bool showRecord(const Recordset& row) override;
    bool showNewRecord() override;
    qint16 insertRecord(QString& error) override;
    qint16 updateRecord(QString& error) override;

private:
    bool openCovering();
    void showCovering();
    void addClicked();
    void removeClicked();
    bool isOnList(qint16 doctorCode) const;

    QLineEdit* description_ = nullptr;
    QLineEdit* billingCode_ = nullptr;
    ListView* coveringList_ = nullptr;
    RecordsetPtr covering_;
};
