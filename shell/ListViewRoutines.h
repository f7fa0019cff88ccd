#pragma once
#include "ListView.h"
#include "Recordset.h"

#include <QString>

// The routines every list shares: column layout kept per form in the user's settings, items
// filled from a recordset (item key "K" + the row's ten-digit position, column key = field
// name, check mark for a row whose `checked` is 1), one row re-read after an edit.

// Restores each column's position and width from section `section` of the application's
// settings, keeping the current ones where none is stored. A stored value that is no number
// leaves that column as it is and makes the answer false.
bool LoadColumnSettings(ListView& list, const QString& section);
void SaveColumnSettings(ListView& list, const QString& section);

void ClearListSelection(ListView& list);

// Gives the item its key, text, subitems and check mark from the recordset's current row.
void FillListItem(ListView& list, QTreeWidgetItem& item, const Recordset& recordset);

// Replaces the items by all rows of the recordset and selects the first; the recordset is
// left after its last row. Items read their cells from the rows when drawn. The column of the
// sort's leading field shows the sort indicator.
void FillListView(ListView& list, Recordset& recordset);

// After the recordset's current row was overwritten or appended, shows it as FillListView
// would, then selects only it and scrolls it into view; the row stays current. A list that
// shows the recordset's rows already changes only that row, so a merge costs the same
// whatever the list's size.
void ShowMergedRow(ListView& list, Recordset& recordset);

// Re-reads one row (baseQuery + " " + criteria), merges it into the form's recordset (over
// the row the criteria finds, else appended), refills the list and selects and shows the
// row. A query error is shown and changes nothing.
void RefreshListRow(RecordsetPtr& recordset, const QString& baseQuery, const QString& criteria, ListView& list);

// The sort after a click on the column showing field `key`: the key moves to the front, or the
// sort stays when it already leads. Lists whose sort names carry a blank on each side pass
// delimited, so a key never matches inside a longer name.
QString SortAfterColumnClick(const QString& sort, const QString& key, bool delimited = false);

// The key of the item showing row `position`.
QString ListItemKey(qint32 position);
// The row position an item key names (its last ten characters), 0 when it names none.
qint32 ListItemPosition(const QString& key);

// A field's value as lists show it: Null as "", numbers with ".", dates mm/dd/yyyy, times
// hh:mm:ss (24-hour).
QString ListValueText(const QVariant& value);
