#pragma once
#include "ListForm.h"

// The diagnosis groups. Every filter of the main window shows all of them; the filter only
// names the printed list.
class frmDiagnosisFamilies : public ListForm {
    Q_OBJECT
public:
    explicit frmDiagnosisFamilies(QWidget* parent = nullptr);

protected:
    bool queryOfFilter(qint16 filter, QString& sql, QString& initialSort) const override;
};
