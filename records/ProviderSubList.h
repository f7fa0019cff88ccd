#pragma once
#include "ListForm.h"
#include "ListView.h"
#include "Recordset.h"

#include <QGroupBox>
#include <QPushButton>
#include <QString>
#include <QTreeWidgetItem>

// The sub-list frame of the facility and doctor editors: a one-column list of the rows an
// editor keeps in memory with their row states, an "add" and a "del" button.
struct SubListFrame {
    QGroupBox* frame = nullptr;
    ListView* list = nullptr;  // `ListView1`
    QPushButton* add = nullptr;     // `Command1`
    QPushButton* remove = nullptr;  // `Command2`
};

SubListFrame MakeSubListFrame(QWidget& parent, const QString& title, const ListColumn& column);

// The line the user chose: the current line when it is selected, else the first selected one;
// nullptr without a selection.
QTreeWidgetItem* SelectedLine(const ListView& list);

// Moves the recordset onto the row the line shows; false when it names no row.
bool PositionOnLine(Recordset& rows, const QTreeWidgetItem& line);

// The "del" button on the selected line (nothing without one): an added row goes at once, a
// marked row is restored, any other row is marked. Answers the row's state before the click,
// -1 without a selected line. A row that stays is left current; after an added row went,
// nothing is selected.
qint16 ToggleSelectedLine(ListView& list, Recordset& rows);
