#pragma once
#include "ShellTestEnvironment.h"

#include <QString>
#include <QStringList>

// A fixture for the charge forms: ShellTest's practice database, recorded message boxes and
// scripted modal dialogs, with helpers to arrange rows directly and read back what is stored.
class ChargesTest : public ShellTest {
protected:
    // Runs SQL straight on the connection.
    void run(const QString& sql);
    // The rows of a query, each as its values joined by "|" (Null as "<null>").
    QStringList rows(const QString& sql);

    // Registers, for this test only, a plain dialog under a form name that the code under test
    // opens by name (a picker of another folder): `onDialog` scripts what it does, reaching
    // the form that opened it through the dialog's parent widget.
    void registerStandInDialog(const QString& name);
};
