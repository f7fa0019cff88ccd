#pragma once
#include <QDialog>

class DatePicker;

// Archives, in one pass, every charge whose date of service lies before the picked date,
// except each patient's latest charge. The caller refreshes its list afterwards.
class frmArchiveCharges : public QDialog {
    Q_OBJECT
public:
    explicit frmArchiveCharges(QWidget* parent = nullptr);

    // "Archive": all the charges in one transaction. After a failure nothing is archived, one
    // message says why and the dialog stays open.
    void OKButtonClick();

private:
    DatePicker* DTPicker1 = nullptr;
};
