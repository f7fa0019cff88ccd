#pragma once
#include "EditDialog.h"

#include <QVariant>

// Edits one evaluation-and-management code: description, codes, the facility type, service
// and patient status it applies to, its place in the visit sequence and whether it is offered
// on the first and on later visits.
class frmEditEMCode : public EditDialog {
    Q_OBJECT
public:
    explicit frmEditEMCode(QWidget* parent = nullptr);

protected:
    bool showRecord(const Recordset& row) override;
    bool showNewRecord() override;
    qint16 insertRecord(QString& error) override;
    qint16 updateRecord(QString& error) override;

private:
    // A drop-down list of fixed entries that stand for consecutive values from `first`.
    struct FixedChoice {
        QComboBox* combo = nullptr;
        qint16 first = 0;
        QVariant stored;  // the edited record's value

        void show(const QVariant& value);
        qint16 value() const;
    };

    struct Values;
    Values values() const;

    QLineEdit* description_ = nullptr;
    QLineEdit* realCode_ = nullptr;
    QLineEdit* billingCode_ = nullptr;
    FixedChoice sequence_;
    FixedChoice showOnFirst_;
    FixedChoice showOnNext_;
};
