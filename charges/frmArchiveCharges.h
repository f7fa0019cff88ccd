#pragma once
#include <QDialog>

class DatePicker;

// Archives, in one pass, every charge whose date of service lies before the picked date,
// except each patient's latest charge. The caller refreshes its list afterwards.
class frmArchiveCharges : public QDialog {
    Q_OBJECT
public:
    explicit frmArchiveCharges(QWidget* parent = nullptr);

    // "Archive": each charge in a transaction of its own; a failed one is shown and the pass
    // goes on. The dialog stays open only when the charges could not be read.
    void OKButtonClick();

private:
    DatePicker* DTPicker1 = nullptr;
};
