#pragma once

class QDialog;
class QRect;
class QTreeWidget;
class QWidget;

// Opening sizes come from the texts a window shows, measured in its own font, so that no
// label, text box, column heading or list column is cut when it opens, whatever the font.

// The width in pixels that a column needs for its heading and a sort indicator.
int HeadingWidth(const QTreeWidget& list, int column);
// Widens every shown column (width above 0) to its heading and the widest text of its items.
void FitColumnsToContents(QTreeWidget& list);
// Gives every text box room for its text (at least a typical description) and every list
// room for its columns and a few rows, then grows the dialog to show them all, within the
// screen.
void FitDialogToContents(QDialog& dialog);
// The part of the screen that the window can use: the screen it is on, else the primary one.
QRect AvailableScreenArea(const QWidget& window);
