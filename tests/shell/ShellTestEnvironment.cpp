#include "ShellTestEnvironment.h"

#include "ShellForms.h"
#include "UserSettings.h"
#include "frmMain.h"

#include <QSettings>
#include <QTest>

QApplication& TestApplication()
{
    static int argc = 1;
    static char name[] = "shell_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* instance = [] {
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
        // A test that runs the web view as the clerk does sets the flags itself.
        if (!qEnvironmentVariableIsSet("QTWEBENGINE_CHROMIUM_FLAGS"))
            qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --disable-gpu");
        return new QApplication(argc, argv);
    }();
    return *instance;
}

void ShellTest::SetUp()
{
    TestApplication();
    CoreTest::SetUp();
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QString::fromStdString(folder.file("settings")));
    previousRegistry_ = qgetenv("VANTORA_REGISTRY");
    qputenv("VANTORA_REGISTRY", QByteArray::fromStdString(folder.file("registry.reg")));
    RegisterShellForms();
    previousDialogHandler_ = SetModalDialogHandler([this](QDialog& dialog) {
        shownDialogs << dialog.objectName();
        return onDialog ? onDialog(dialog) : int(QDialog::Rejected);
    });
}

void ShellTest::TearDown()
{
    SetModalDialogHandler(previousDialogHandler_);
    for (const QString& name : std::as_const(testForms_))
        UnregisterForm(name);
    qputenv("VANTORA_REGISTRY", previousRegistry_);
    CoreTest::TearDown();
}

void ShellTest::registerTestForm(const QString& name, FormFactory factory)
{
    RegisterForm(name, std::move(factory));
    testForms_ << name;
}

void ShellTest::storeMainSetting(const QString& key, const QString& value)
{
    SaveSetting("Vantora", "Settings", key, value);
}

QString ShellTest::mainSetting(const QString& key)
{
    return GetSetting("Vantora", "Settings", key, "(absent)");
}

frmMain* ShellTest::openMainWindow()
{
    auto* window = new frmMain;
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
    QCoreApplication::processEvents();
    return window;
}

void ShellTest::closeMainWindow(frmMain*& window)
{
    if (!window)
        return;
    window->close();
    delete window;
    window = nullptr;
}
