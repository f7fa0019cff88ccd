#pragma once
#include <QDialog>

class QListWidget;

// The general print choice: lists the entries of PrintChoiceList under the caption
// PrintChoiceTitle and answers in PrintChoice the 1-based position of the entry printed,
// 0 when the user cancelled.
class frmPrintGeneral : public QDialog {
    Q_OBJECT
public:
    explicit frmPrintGeneral(QWidget* parent = nullptr);

private:
    void Print();

    QListWidget* List1 = nullptr;
};
