#pragma once
#include "CoreTestEnvironment.h"
#include "FormRegistry.h"
#include "ModalDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QString>
#include <QStringList>

#include <functional>

class frmMain;

// The one QApplication of a test program (offscreen unless the environment says otherwise).
QApplication& TestApplication();

// A fixture for tests of the shell: CoreTest's fresh database and recorded message boxes,
// plus the user's settings and the registry hive in the test's own folder, the shell's forms
// registered, and every modal dialog recorded and handled by `onDialog` (default: rejected).
class ShellTest : public CoreTest {
protected:
    // Widgets that fixtures hold as members need the application first.
    ShellTest() { TestApplication(); }

    void SetUp() override;
    void TearDown() override;

    // Registers a form for this test only.
    void registerTestForm(const QString& name, FormFactory factory);
    // Stores one setting of section "Settings" before the main window loads.
    void storeMainSetting(const QString& key, const QString& value);
    QString mainSetting(const QString& key);

    // A new main window, shown, its layout settled.
    frmMain* openMainWindow();
    // Closes and deletes it.
    void closeMainWindow(frmMain*& window);

    QStringList shownDialogs;
    std::function<int(QDialog&)> onDialog;

private:
    QStringList testForms_;
    ModalDialogHandler previousDialogHandler_;
    QByteArray previousRegistry_;
};
