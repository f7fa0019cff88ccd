#pragma once
#include "ListForm.h"

#include <QList>

#include <vector>

// The columns of the patients list, which the merge dialog shows too.
std::vector<ListColumn> PatientListColumns();

// Every patient of the practice, or the admitted, not admitted, incomplete or likely
// duplicate ones; admits, discharges and merges the selected patients.
class frmPatients : public ListForm {
    Q_OBJECT
public:
    explicit frmPatients(QWidget* parent = nullptr);

    // Shows the admission dialog for each selected patient, re-reading each row afterwards.
    Q_INVOKABLE void Admit();
    // The same with the discharge dialog.
    Q_INVOKABLE void Discharge();
    // Hands the selected patients to the merge dialog and reloads after a merge.
    Q_INVOKABLE void Merge();

private:
    void showForEachSelected(const QString& dialogName);
    // Row positions of the selected items, from the last item to the first.
    QList<qint32> selectedPositionsFromLast() const;
    void itemClicked(QTreeWidgetItem* item);
};
