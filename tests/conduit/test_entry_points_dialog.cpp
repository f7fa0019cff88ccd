// The HotSync action dialog as the configuration entry points show it.
#include "CSyncActionDlg.h"
#include "ConduitEntryPoints.h"
#include "ConduitLibrary.h"
#include "ConduitManager.h"
#include "HotSyncDirectory.h"
#include "TempDir.h"
#include "UserData.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QMouseEvent>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

namespace {

constexpr std::uint32_t kCreatorId = 0x564C5658;  // "VLVX"

void ensureApplication()
{
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    static QApplication* application = new QApplication(argc, argv);
    (void)application;
}

class ActionDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureApplication();
        ::setenv("HOTSYNC_DIR", temp.file("HotSync").c_str(), 1);
        ASSERT_GE(CmInstallCreator("VLVX", 1), 0);
        ASSERT_EQ(CmSetCreatorTitle("VLVX", "Vantora PC"), CM_OK);
    }

    // Runs script on the dialog once it is shown modally; the script ends it.
    void whenShown(std::function<void(CSyncActionDlg&)> script)
    {
        QTimer::singleShot(0, [this, script] {
            auto* dialog = qobject_cast<CSyncActionDlg*>(QApplication::activeModalWidget());
            shown = dialog != nullptr;
            if (dialog == nullptr)
                return;
            seenRadio = -1;
            for (int i = 0; i < 3; ++i)
                if (radio(*dialog, i)->isChecked())
                    seenRadio = i;
            seenApplication = dialog->findChild<QLineEdit*>("txtApplication")->text();
            applicationEnabled = dialog->findChild<QLineEdit*>("txtApplication")->isEnabled();
            seenAccess = dialog->findChild<QLineEdit*>("txtAccessDatabase")->text();
            seenSystem = dialog->findChild<QLineEdit*>("txtSystemDatabase")->text();
            seenSetAsDefault = dialog->findChild<QCheckBox*>("chkSetAsDefault")->isChecked();
            script(*dialog);
        });
    }

    static QRadioButton* radio(CSyncActionDlg& dialog, int index)
    {
        static const char* names[] = {"radioSynchronize", "radioDesktopOverwrites", "radioDoNothing"};
        return dialog.findChild<QRadioButton*>(names[index]);
    }

    static void clickOk(CSyncActionDlg& dialog) { dialog.findChild<QPushButton*>("btnOk")->click(); }
    static void clickCancel(CSyncActionDlg& dialog) { dialog.findChild<QPushButton*>("btnCancel")->click(); }

    std::string setting(const char* key)
    {
        char buffer[300] = {};
        std::int32_t size = sizeof buffer;
        EXPECT_EQ(UserDataGetString(4242, "Vantora PC", key, buffer, &size, "(unset)"), 0);
        return buffer;
    }

    ConduitConfiguration configuration(std::int32_t currentAction)
    {
        ConduitConfiguration record{};
        record.version = 1;
        record.size = sizeof record;
        record.creatorId = kCreatorId;
        record.userId = 4242;
        record.currentAction = currentAction;
        record.chosenAction = -5;
        record.preferenceKind = -5;
        return record;
    }

    testsupport::TempDir temp;
    bool shown = false;
    int seenRadio = -1;
    QString seenApplication, seenAccess, seenSystem;
    bool applicationEnabled = true;
    bool seenSetAsDefault = true;
};

TEST_F(ActionDialogTest, TheCurrentActionPresetsTheRadio)
{
    const std::pair<std::int32_t, int> presets[] = {{-1, 2}, {0, 0}, {1, 0}, {3, 1}, {4, 2}, {6, 2}};
    for (auto [action, expectedRadio] : presets) {
        ConduitPreference preference{action, 9};
        whenShown(clickCancel);
        EXPECT_EQ(ConfigureConduit(&preference), -1);
        EXPECT_TRUE(shown);
        EXPECT_EQ(seenRadio, expectedRadio) << "action " << action;
        EXPECT_EQ(preference.action, action) << "Cancel changes nothing";
        EXPECT_EQ(preference.preferenceKind, 9);
    }
}

TEST_F(ActionDialogTest, OkStoresTheActionCodeAndThePreferenceKind)
{
    ConduitPreference preference{0, 0};
    whenShown([](CSyncActionDlg& dialog) {
        radio(dialog, 1)->setChecked(true);
        dialog.findChild<QCheckBox*>("chkSetAsDefault")->setChecked(true);
        clickOk(dialog);
    });
    EXPECT_EQ(ConfigureConduit(&preference), 0);
    EXPECT_FALSE(seenSetAsDefault);
    EXPECT_TRUE(seenAccess.isEmpty());
    EXPECT_TRUE(seenApplication.isEmpty());
    EXPECT_EQ(preference.action, 3);
    EXPECT_EQ(preference.preferenceKind, 1);

    whenShown([](CSyncActionDlg& dialog) {
        radio(dialog, 2)->setChecked(true);
        clickOk(dialog);
    });
    EXPECT_EQ(ConfigureConduit(&preference), 0);
    EXPECT_EQ(preference.action, 6);
    EXPECT_EQ(preference.preferenceKind, 2);
    EXPECT_EQ(ConfigureConduit(nullptr), -1);
}

TEST_F(ActionDialogTest, DoubleClickingAnActionActsAsOk)
{
    ConduitPreference preference{6, 0};
    whenShown([](CSyncActionDlg& dialog) {
        QRadioButton* synchronize = radio(dialog, 0);
        const QPointF centre = QRectF(synchronize->rect()).center();
        QMouseEvent doubleClick(QEvent::MouseButtonDblClick, centre, synchronize->mapToGlobal(centre), Qt::LeftButton,
                                Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(synchronize, &doubleClick);
        if (dialog.isVisible())
            clickCancel(dialog);
    });
    EXPECT_EQ(ConfigureConduit(&preference), 0);
    EXPECT_EQ(preference.action, 0);
}

TEST_F(ActionDialogTest, TheConfigurationShowsAndKeepsTheUsersDatabases)
{
    ASSERT_EQ(UserDataSetString(4242, "Vantora PC", "DBQ", "/data/practice.mdb"), 0);
    ConduitConfiguration record = configuration(3);
    std::uint32_t size = sizeof record;
    whenShown([](CSyncActionDlg& dialog) {
        dialog.findChild<QLineEdit*>("txtAccessDatabase")->setText("/data/other.mdb");
        dialog.findChild<QLineEdit*>("txtSystemDatabase")->setText("/data/other.mdw");
        radio(dialog, 0)->setChecked(true);
        clickOk(dialog);
    });
    EXPECT_EQ(CfgConduit(0, &record, &size), 0);
    EXPECT_EQ(seenApplication, "Vantora PC");
    EXPECT_FALSE(applicationEnabled);
    EXPECT_EQ(seenAccess, "/data/practice.mdb");
    EXPECT_TRUE(seenSystem.isEmpty());
    EXPECT_EQ(seenRadio, 1);
    EXPECT_EQ(record.chosenAction, 0);
    EXPECT_EQ(record.preferenceKind, 2);
    EXPECT_EQ(setting("DBQ"), "/data/other.mdb");
    EXPECT_EQ(setting("SystemDB"), "/data/other.mdw");

    record = configuration(0);
    whenShown([](CSyncActionDlg& dialog) {
        dialog.findChild<QLineEdit*>("txtAccessDatabase")->setText("/never/stored.mdb");
        clickCancel(dialog);
    });
    EXPECT_EQ(CfgConduit(0, &record, &size), -1);
    EXPECT_EQ(seenAccess, "/data/other.mdb");
    EXPECT_EQ(setting("DBQ"), "/data/other.mdb");
    EXPECT_EQ(record.chosenAction, -5);
}

TEST_F(ActionDialogTest, TheDialogReadsAsTheHotSyncManagerShowsIt)
{
    CSyncActionDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), "Change HotSync Action");
    EXPECT_EQ(radio(dialog, 0)->text(), "&Synchronize the files");
    EXPECT_EQ(radio(dialog, 1)->text(), "&Desktop overwrites handheld");
    EXPECT_EQ(radio(dialog, 2)->text(), "Do &Nothing");
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(radio(dialog, i)->icon().isNull());
    EXPECT_EQ(dialog.findChild<QCheckBox*>("chkSetAsDefault")->text(), "Set &as default");
    EXPECT_EQ(dialog.findChild<QPushButton*>("btnOk")->text(), "OK");
    EXPECT_EQ(dialog.findChild<QPushButton*>("btnCancel")->text(), "Cancel");
}

TEST(ConduitLibraryTest, NestedStartsShareOneResourceLibrary)
{
    testsupport::TempDir temp;
    ::setenv("HOTSYNC_DIR", temp.path().c_str(), 1);
    StartConduitLibrary();
    EXPECT_EQ(ConduitResourceHandle(), nullptr) << "without VelvixLang.DLL the library keeps its own resources";
    EndConduitLibrary();

    // Any shared object serves as the resource library here.
    std::filesystem::copy_file(VANTORA_BIN_DIR "/libhslog20.so", temp.file("VelvixLang.DLL"));
    StartConduitLibrary();
    void* loaded = ConduitResourceHandle();
    EXPECT_NE(loaded, nullptr);
    StartConduitLibrary();
    EXPECT_EQ(ConduitResourceHandle(), loaded);
    EndConduitLibrary();
    EXPECT_EQ(ConduitResourceHandle(), loaded);
    EndConduitLibrary();
    EXPECT_EQ(ConduitResourceHandle(), nullptr);
}

}  // namespace
