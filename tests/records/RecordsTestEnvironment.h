#pragma once
#include "ListView.h"
#include "ShellTestEnvironment.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <initializer_list>
#include <ostream>

// Readable texts in failed expectations.
inline void PrintTo(const QString& text, std::ostream* stream)
{
    *stream << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& texts, std::ostream* stream)
{
    *stream << '{' << texts.join("|").toStdString() << '}';
}

// Stands in for the main window as MainForm: the filter a list reloads for, and the filter
// menu check marks a list asks for at Load.
class StandInMainForm : public QObject {
    Q_OBJECT
    Q_PROPERTY(qint16 VistaActual MEMBER VistaActual)
    Q_PROPERTY(qint16 FiltroActual MEMBER FiltroActual)
public:
    qint16 VistaActual = 0;
    qint16 FiltroActual = 0;
    QList<qint16> checkedFilters;

    Q_INVOKABLE void ActivaFiltro(qint16 index) { checkedFilters << index; }
};

// A fixture for the forms of records/ and charges/: ShellTest's database, settings, recorded
// message boxes and scripted modal dialogs, plus every records form registered, a stand-in
// MainForm, the program folder in the test's folder and viewer starts recorded.
class RecordsTest : public ShellTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // The first column of the first row of a query; an invalid QVariant when none.
    QVariant queryValue(const QString& sql);

    // Selects exactly the items at the given indexes (counted from 0).
    static void selectItems(ListView& list, std::initializer_list<int> indexes);
    static QStringList columnTexts(const ListView& list, int column = 0);
    // Clicks the named button of a form.
    static void clickButton(QWidget& form, const char* name);
    // The `ListView1` of a form.
    static ListView& listOf(QWidget& form);

    StandInMainForm mainForm;
    QString programFolder;
    QStringList startedViewers;  // the view file each viewer start was given
};
