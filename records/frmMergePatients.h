#pragma once
#include "ListView.h"
#include "Recordset.h"

#include <QDialog>
#include <QList>
#include <QString>
#include <QtGlobal>

// One patient of a merge list: the id's decimal digits left-filled with "0" to ten characters.
QString MergeListEntry(qint16 patientId);
// The ids of a merge list, ten characters each, in their order.
QList<qint16> MergeListIds(const QString& mergeList);

// Joins the records of one person entered as several patients: the user picks the
// destination among the patients of MergePatientList and every charge of the others moves to
// it. The other patients' rows, history and visiting doctors stay as they are.
class frmMergePatients : public QDialog {
    Q_OBJECT
public:
    explicit frmMergePatients(QWidget* parent = nullptr);

    // True when the load failed: the dialog then closes as soon as it is shown.
    bool CloseOnActivate() const { return closeOnActivate_; }

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void load();
    void mergeClicked();

    ListView* list_ = nullptr;
    RecordsetPtr patients_;
    bool closeOnActivate_ = true;
};
