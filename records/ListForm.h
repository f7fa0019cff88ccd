#pragma once
#include "AppGlobals.h"
#include "ListView.h"
#include "Recordset.h"

#include <QString>
#include <QWidget>
#include <QtGlobal>

#include <functional>
#include <vector>

// The base of every list form of the main window. A list derives from ListForm, fills a
// ListFormParameters with its values (columns, SQL per filter, sort, key field, dialogs,
// texts) and passes it to the constructor, which builds `ListView1` and runs Load (column
// layout, saved filter to the main window's filter menu). The destructor runs Unload (layout
// and "ActiveFilter" saved); a derived destructor runs before it.
//
// `Refresca`, `Insertado`, `Eliminar` and `Imprimir` are the operations the main window calls
// by name. They are virtual: a list that works differently overrides one, or one of the
// smaller hooks below (the query of a filter, the current-code globals of a row, the delete
// of a row, the report title). A list adds its own operations as further Q_INVOKABLEs.

// A column of `ListView1`: the recordset field it shows, its caption, its design width.
struct ListColumn {
    QString key;
    QString caption;
    double widthTwips = 1440;
};

// What a list shows for one filter number of the main window.
struct ListFilter {
    qint16 number = 0;
    QString sql;
    QString initialSort;
    QString reportName;  // in the printed title; "" leaves the parentheses empty
};

// Reads and writes one current-code global (16- or 32-bit).
struct CodeGlobal {
    std::function<qint32()> read;
    std::function<void(qint32)> write;
};

template <typename Code>
CodeGlobal GlobalCode(Code AppGlobals::*member)
{
    return {[member] { return qint32(Globals().*member); },
            [member](qint32 code) { Globals().*member = Code(code); }};
}

struct ListFormParameters {
    QString formName;  // objectName, as the form registry knows it
    QString caption;
    QString settingsSection;
    bool savesActiveFilter = true;
    std::vector<ListColumn> columns;
    std::vector<ListFilter> filters;
    // Sort keys written " Key " so that a key never matches inside a longer one.
    bool delimitedSortKeys = false;
    QString rowQuery;  // followed by "<keyField>=<code>" to re-read one row
    QString keyField;
    CodeGlobal currentCode;
    QString editDialog;
    std::function<qint16(qint32 code, QString& error)> deleteRoutine;
    QString deletePrompt;
    QString reportTitlePrefix;  // ends with "("
    QString viewFileName;       // without folder and ".lrm"
};

class ListForm : public QWidget {
    Q_OBJECT
public:
    ListForm(ListFormParameters parameters, QWidget* parent);
    ~ListForm() override;

    // Reloads the list for the main window's current filter.
    Q_INVOKABLE virtual void Refresca();
    // Re-reads the record the current-code global names and merges it into the list.
    Q_INVOKABLE virtual void Insertado();
    // Deletes the selected rows after a confirmation.
    Q_INVOKABLE virtual void Eliminar();
    // Writes the list as a view file and starts the viewer.
    Q_INVOKABLE virtual void Imprimir();

    ListView& List() const { return *list_; }
    // The list's rows; null before the first successful reload.
    const RecordsetPtr& Rows() const { return rows_; }
    qint16 FilterMember() const { return filterMember_; }
    const ListFormParameters& Parameters() const { return parameters_; }

protected:
    // The SQL text and initial sort of a filter; false for a filter the list does not show.
    virtual bool queryOfFilter(qint16 filter, QString& sql, QString& initialSort) const;
    // Sets the current-code global(s) from the recordset's current row.
    virtual void takeCurrentCode();
    // Deletes the record of the recordset's current row (after takeCurrentCode).
    virtual qint16 deleteCurrentRecord(QString& error);
    virtual QString reportTitle() const;

    // Makes the item's row current; false when it names no row.
    bool positionOn(const QTreeWidgetItem& item);
    // The selected items, from the last in the list to the first.
    QList<QTreeWidgetItem*> selectedItemsFromLast() const;
    // Refills the list from the recordset (nothing without one).
    void refill();
    RecordsetPtr& rows() { return rows_; }

    void resizeEvent(QResizeEvent* event) override;

private:
    void load();
    void unload();
    void columnClicked(int column);
    void itemDoubleClicked();
    void releaseRows();

    ListFormParameters parameters_;
    ListView* list_ = nullptr;
    RecordsetPtr rows_;
    qint16 filterMember_ = 0;
};
