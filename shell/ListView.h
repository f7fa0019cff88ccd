#pragma once
#include <QString>
#include <QTreeWidget>

// The report-style list of every list form, picker and sub-list: columns whose key is the
// name of the recordset field they show, items keyed "K" and ten digits, optional check
// boxes, several items selectable at once. Widths are in twips; column positions are the
// display order counted from 1.
class ListView : public QTreeWidget {
    Q_OBJECT
public:
    explicit ListView(QWidget* parent = nullptr);

    // Where items and column headers keep their keys.
    static constexpr int KeyRole = Qt::UserRole;

    // Appends a column with its key (a field name, or "" for a column that shows nothing).
    void AddColumn(const QString& key, const QString& caption, double widthTwips);

    // Columns are numbered from 0 in the order they were added.
    QString ColumnKey(int column) const;
    int ColumnPosition(int column) const;
    void SetColumnPosition(int column, int position);
    double ColumnWidth(int column) const;
    void SetColumnWidth(int column, double widthTwips);
    // The column with the key, -1 when none.
    int ColumnWithKey(const QString& key) const;

    void SetCheckBoxes(bool shown);
    bool CheckBoxes() const { return checkBoxes_; }

    static QString ItemKey(const QTreeWidgetItem& item);
    static void SetItemKey(QTreeWidgetItem& item, const QString& key);
    static QString SubItemKey(const QTreeWidgetItem& item, int column);
    static void SetSubItemKey(QTreeWidgetItem& item, int column, const QString& key);
    // Check marks show only on a list with check boxes.
    void SetItemChecked(QTreeWidgetItem& item, bool checked) const;
    static bool IsItemChecked(const QTreeWidgetItem& item);

    // The item with the key; nullptr when none.
    QTreeWidgetItem* FindItem(const QString& key) const;

signals:
    // Enter (or Return) and Delete pressed on the list; the key still goes on to the dialog
    // the list lies in, whose default button answers Enter.
    void EnterPressed();
    void DeletePressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool checkBoxes_ = false;
};
