#pragma once
#include "Recordset.h"

#include <QString>
#include <QtGlobal>

class QComboBox;

// The drop-down lists of the admission dialogs: entry i stands for row i + 1 of the lookup
// recordset, which the dialog keeps open while it is shown.

// Replaces the entries by the `Description` of every row, in recordset order; a null or empty
// recordset leaves the list empty. Signals are held back while it fills.
void FillLookupCombo(QComboBox& combo, Recordset* lookup);

// Chooses the entry of the row whose `codeField` equals code, searched from the first row;
// the first entry when code is 0 or no row has it.
void PreselectLookup(QComboBox& combo, Recordset& lookup, const QString& codeField, qint16 code);

// Makes the row of the chosen entry current; false when no entry is chosen.
bool MoveToChosenRow(const QComboBox& combo, Recordset* lookup);
