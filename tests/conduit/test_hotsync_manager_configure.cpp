// The HotSync manager offers the conduit's configuration dialog and keeps the chosen action.
#include "ConduitManager.h"
#include "HotSyncManager.h"
#include "SyncManager.h"
#include "TempDir.h"
#include "UserData.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

namespace {

void ensureApplication()
{
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    static QApplication* application = new QApplication(argc, argv);
    (void)application;
}

class ManagerConfigurationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureApplication();
        ::setenv("HOTSYNC_DIR", temp.file("HotSync").c_str(), 1);
        handheldFolder = temp.file("Handheld");
        std::filesystem::create_directories(handheldFolder);
        testsupport::writeFile(handheldFolder + "/HotSyncUser", "Name=Dr Alma\nId=4242\n");
        ASSERT_GE(CmInstallCreator("VLVX", 1), 0);
        ASSERT_EQ(CmSetCreatorName("VLVX", VANTORA_BIN_DIR "/Velvix.dll"), CM_OK);
        ASSERT_EQ(CmSetCreatorTitle("VLVX", "Vantora PC"), CM_OK);
        std::string error;
        ASSERT_TRUE(hotsync::findConduitRegistration("VLVX", registration, error)) << error;
        ASSERT_TRUE(conduit.load(registration.libraryPath, error)) << error;
    }

    // Chooses a radio of the shown dialog, ticks "Set as default" or not, and ends it.
    void whenShown(const char* radioName, bool setAsDefault, const char* button)
    {
        QTimer::singleShot(0, [this, radioName, setAsDefault, button] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (dialog == nullptr)
                return;
            applicationName = dialog->findChild<QLineEdit*>("txtApplication")->text();
            presetDoNothing = dialog->findChild<QRadioButton*>("radioDoNothing")->isChecked();
            dialog->findChild<QRadioButton*>(radioName)->setChecked(true);
            dialog->findChild<QCheckBox*>("chkSetAsDefault")->setChecked(setAsDefault);
            dialog->findChild<QPushButton*>(button)->click();
        });
    }

    std::int32_t configure() { return hotsync::configureConduit(conduit, registration, "VLVX", handheldFolder); }

    testsupport::TempDir temp;
    std::string handheldFolder;
    hotsync::ConduitRegistration registration;
    hotsync::LoadedConduit conduit;
    QString applicationName;
    bool presetDoNothing = false;
};

TEST_F(ManagerConfigurationTest, APermanentChoiceHoldsAndATemporaryOneServesOnce)
{
    whenShown("radioDoNothing", true, "btnOk");
    EXPECT_EQ(configure(), 0);
    EXPECT_EQ(applicationName, "Vantora PC");
    EXPECT_EQ(hotsync::takeSyncAction(4242, "VLVX"), 6);
    EXPECT_EQ(hotsync::takeSyncAction(4242, "VLVX"), 6);

    whenShown("radioDesktopOverwrites", false, "btnOk");
    EXPECT_EQ(configure(), 0);
    EXPECT_TRUE(presetDoNothing) << "the dialog opens on the kept action";
    EXPECT_EQ(hotsync::takeSyncAction(4242, "VLVX"), 3);
    EXPECT_EQ(hotsync::takeSyncAction(4242, "VLVX"), 6);
    EXPECT_EQ(hotsync::takeSyncAction(7, "VLVX"), 0) << "another user synchronises";
}

TEST_F(ManagerConfigurationTest, CancelKeepsNothing)
{
    whenShown("radioDoNothing", true, "btnCancel");
    EXPECT_EQ(configure(), -1);
    EXPECT_EQ(hotsync::takeSyncAction(4242, "VLVX"), 0);

    EXPECT_EQ(hotsync::configureConduit(conduit, registration, "VLVX", temp.file("no handheld")), SYNC_ERR_NO_HANDHELD);
}

TEST(ShippedDriverRegistryTest, SetOnlyWhenNotSetAlready)
{
    ::unsetenv("ODBCSYSINI");
    hotsync::useShippedDriverRegistry("/opt/vantora/bin");
    EXPECT_STREQ(std::getenv("ODBCSYSINI"), "/opt/vantora/odbc");
    hotsync::useShippedDriverRegistry("/elsewhere/bin");
    EXPECT_STREQ(std::getenv("ODBCSYSINI"), "/opt/vantora/odbc");
}

}  // namespace
