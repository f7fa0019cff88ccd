#pragma once
#include "ListView.h"
#include "Recordset.h"

#include <QTreeWidgetItem>

// The in-memory sub-lists of the edit dialogs (wards of a facility, covering doctors, a
// patient's history, a charge's codes, a patient's visiting doctors): each row's state lives
// in its field `checked` until OK writes it.
// Editors fill their sub-list with FillSubList and wire their remove button to
// ToggleRowRemoval.
enum RowState : qint16 {
    RowStored = 0,
    RowAdded = 1,    // inserted on OK
    RowRemoved = 2,  // deleted on OK; its line reads "*" and the text
    RowChanged = 3,  // updated on OK
};

// FillListView, with the "*" in front of the line of every row marked for removal.
void FillSubList(ListView& list, Recordset& rows);

// The remove button: a row added in this dialog goes at once, a marked row is unmarked, any
// other row is marked. Lines are refilled after a row goes, so every key still names its row,
// and then nothing is selected, so a second press cannot mark a row the user did not choose.
void ToggleRowRemoval(ListView& list, QTreeWidgetItem& item, Recordset& rows);
