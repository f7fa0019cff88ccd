#pragma once
#include "EditDialog.h"

// Edits one history item: its description and its kind.
class frmEditSickness : public EditDialog {
    Q_OBJECT
public:
    explicit frmEditSickness(QWidget* parent = nullptr);

protected:
    bool showRecord(const Recordset& row) override;
    qint16 insertRecord(QString& error) override;
    qint16 updateRecord(QString& error) override;

private:
    QLineEdit* description_ = nullptr;
};
