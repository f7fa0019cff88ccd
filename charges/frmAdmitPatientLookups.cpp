#include "frmAdmitPatientLookups.h"

#include "ListViewRoutines.h"

#include <QComboBox>
#include <QSignalBlocker>

void FillLookupCombo(QComboBox& combo, Recordset* lookup)
{
    const QSignalBlocker blocker(combo);
    combo.clear();
    if (!lookup || lookup->RecordCount() == 0)
        return;
    for (lookup->MoveFirst(); !lookup->EndOfFile(); lookup->MoveNext())
        combo.addItem(ListValueText(lookup->Field("Description")));
}

void PreselectLookup(QComboBox& combo, Recordset& lookup, const QString& codeField, qint16 code)
{
    int entry = 0;
    if (code != 0) {
        lookup.MoveFirst();
        if (lookup.Find(codeField + " = " + QString::number(code)) && !lookup.EndOfFile())
            entry = lookup.AbsolutePosition() - 1;
    }
    const QSignalBlocker blocker(combo);
    combo.setCurrentIndex(combo.count() > 0 ? entry : -1);
}

bool MoveToChosenRow(const QComboBox& combo, Recordset* lookup)
{
    return lookup && combo.currentIndex() >= 0 && lookup->SetAbsolutePosition(combo.currentIndex() + 1);
}
