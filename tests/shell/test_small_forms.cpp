#include "AppGlobals.h"
#include "ChildForm.h"
#include "OpenUserInterface.h"
#include "Registry.h"
#include "ShellTestEnvironment.h"
#include "SysInfo.h"
#include "TempDir.h"
#include "Twips.h"
#include "frmAbout.h"
#include "frmBanner.h"
#include "frmBrowser.h"
#include "frmGeneralInfo.h"
#include "frmMain.h"
#include "frmSplash.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTcpServer>
#include <QTest>
#include <QWebEngineView>

#include <gtest/gtest.h>

namespace {

using SmallFormsTest = ShellTest;

QColor textColour(const QLabel& label)
{
    return label.palette().color(QPalette::WindowText);
}

TEST_F(SmallFormsTest, BannerScrollsLeftAndReentersFromTheRight)
{
    frmBanner banner;
    banner.resize(600, 33);
    EXPECT_EQ(banner.Label1()->text(), "Vantora by Kelmion, the fastest way to recover your money.");
    EXPECT_EQ(banner.Timer1()->interval(), 250);
    EXPECT_TRUE(banner.Timer1()->isActive());
    banner.Timer1()->stop();

    const double labelWidth = PixelsToTwips(banner.Label1()->width());
    banner.SetLabelLeft(300);
    banner.Tick();
    EXPECT_DOUBLE_EQ(banner.LabelLeft(), 295);

    // Its right end 5 twips from the edge: one more step; 4 twips: back at the right edge.
    banner.SetLabelLeft(5 - labelWidth);
    banner.Tick();
    EXPECT_DOUBLE_EQ(banner.LabelLeft(), -labelWidth);
    banner.Tick();
    EXPECT_DOUBLE_EQ(banner.LabelLeft(), PixelsToTwips(600));
    EXPECT_EQ(banner.Label1()->x(), 600);

    banner.SetLabelLeft(4 - labelWidth);
    banner.Tick();
    EXPECT_DOUBLE_EQ(banner.LabelLeft(), PixelsToTwips(600));
}

TEST_F(SmallFormsTest, BannerColourChangesEveryEleventhTick)
{
    frmBanner banner;
    banner.Timer1()->stop();
    const QColor before = textColour(*banner.Label1());
    const QList<QColor> cycle = {QColor(128, 0, 0), QColor(0, 128, 0), QColor(0, 0, 128), QColor(128, 0, 0)};
    for (const QColor& expected : cycle) {
        const QColor start = textColour(*banner.Label1());
        for (int tick = 1; tick <= 10; ++tick) {
            banner.Tick();
            ASSERT_EQ(textColour(*banner.Label1()), start) << tick;
        }
        banner.Tick();
        EXPECT_EQ(textColour(*banner.Label1()), expected);
    }
    EXPECT_NE(before, QColor(128, 0, 0));
}

TEST_F(SmallFormsTest, SplashClosesItselfTwoSecondsAfterItAppears)
{
    frmSplash splash;
    EXPECT_EQ(splash.findChild<QLabel*>("lblProductName")->text(), "Vantora");
    EXPECT_EQ(splash.findChild<QLabel*>("lblCompanyProduct")->text(), "Kelmion");
    EXPECT_EQ(splash.findChild<QLabel*>("lblPlatform")->text(), "Windows®/Access® V1.0");
    EXPECT_EQ(splash.findChild<QLabel*>("Label1")->text(), "SETUP");
    EXPECT_EQ(splash.Timer1()->interval(), 2000);
    EXPECT_FALSE(splash.Timer1()->isActive());

    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(splash.exec(), QDialog::Accepted);
    EXPECT_GE(clock.elapsed(), 1900);
    EXPECT_FALSE(splash.Timer1()->isActive());
}

TEST_F(SmallFormsTest, StartUpShowsTheSplashThenTheMainWindow)
{
    bool mainWindowDuringSplash = true;
    onDialog = [&](QDialog&) {
        mainWindowDuringSplash = Globals().MainForm != nullptr;
        return int(QDialog::Accepted);
    };
    OpenUserInterface();
    EXPECT_EQ(shownDialogs, QStringList({"frmSplash"}));
    EXPECT_FALSE(mainWindowDuringSplash);
    auto* window = qobject_cast<frmMain*>(Globals().MainForm);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "Vantora");
    EXPECT_EQ(window->ActiveChild(), nullptr);  // the charges list is not part of the shell
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Globals().MainForm, nullptr);
}

TEST_F(SmallFormsTest, AboutBoxShowsTitleAndVersion)
{
    frmAbout about;
    EXPECT_EQ(about.windowTitle(), "About Vantora");
    EXPECT_EQ(about.findChild<QLabel*>("lblTitle")->text(), "Vantora");
    EXPECT_EQ(about.findChild<QLabel*>("lblVersion")->text(), "Versión 1.0.0");
    EXPECT_EQ(about.findChild<QPushButton*>("cmdSysInfo")->text(), "&System Info...");
    about.findChild<QPushButton*>("cmdOK")->click();
    EXPECT_EQ(about.result(), QDialog::Accepted);
}

TEST_F(SmallFormsTest, GetKeyValueReadsStringsAndNumbersOfTheRegistry)
{
    std::string error;
    ASSERT_TRUE(registry::writeStringValue("SOFTWARE\\Maker\\Tool", "Text", "C:\\tools\\a.exe", error)) << error;
    ASSERT_TRUE(registry::writeDwordValue("SOFTWARE\\Maker\\Tool", "Number", 0x0A0B0C0D, error)) << error;
    ASSERT_TRUE(registry::writeStringValue("SOFTWARE\\Maker\\Tool", "Long", std::string(1500, 'x'), error)) << error;

    QString value = "stale";
    EXPECT_TRUE(GetKeyValue(RegistryRoot::LocalMachine, "SOFTWARE\\Maker\\Tool", "Text", value));
    EXPECT_EQ(value, "C:\\tools\\a.exe");
    EXPECT_TRUE(GetKeyValue(RegistryRoot::LocalMachine, "software\\maker\\tool", "NUMBER", value));
    EXPECT_EQ(value, "&h0A0B0C0D");
    for (const auto& [key, name] : {std::pair{"SOFTWARE\\Maker\\Tool", "Missing"},
                                    std::pair{"SOFTWARE\\Maker\\None", "Text"},
                                    std::pair{"SOFTWARE\\Maker\\Tool", "Long"}}) {
        value = "stale";
        EXPECT_FALSE(GetKeyValue(RegistryRoot::LocalMachine, key, name, value)) << name;
        EXPECT_TRUE(value.isEmpty());
    }
}

TEST_F(SmallFormsTest, SystemInformationStartsTheRegisteredToolOrSaysItIsMissing)
{
    frmAbout about;
    auto* sysInfo = about.findChild<QPushButton*>("cmdSysInfo");
    sysInfo->click();
    EXPECT_EQ(shownMessages, QStringList({"La información del sistema no está disponible en este momento"}));

    // A folder without the tool is no better.
    const QString toolFolder = QString::fromStdString(folder.file("tools"));
    std::string error;
    ASSERT_TRUE(QDir().mkpath(toolFolder));
    ASSERT_TRUE(registry::writeStringValue("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO",
                                           toolFolder.toStdString(), error));
    sysInfo->click();
    EXPECT_EQ(shownMessages.size(), 2);

    const QString marker = QString::fromStdString(folder.file("started"));
    const QString tool = toolFolder + "/MSINFO32.EXE";
    testsupport::writeFile(tool.toStdString(), "#!/bin/sh\necho \"$0\" > '" + marker.toStdString() + "'\n");
    QFile::setPermissions(tool, QFile::permissions(tool) | QFileDevice::ExeOwner);
    sysInfo->click();
    EXPECT_EQ(shownMessages.size(), 2);
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(marker); }, 5000));
    QFile::remove(marker);

    // The registered program path comes first.
    const QString other = QString::fromStdString(folder.file("msinfo.sh"));
    testsupport::writeFile(other.toStdString(), "#!/bin/sh\necho \"$0\" > '" + marker.toStdString() + "'\n");
    QFile::setPermissions(other, QFile::permissions(other) | QFileDevice::ExeOwner);
    ASSERT_TRUE(registry::writeStringValue("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH",
                                           other.toStdString(), error));
    sysInfo->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(marker); }, 5000));
    QTest::qWait(50);
    EXPECT_EQ(QString::fromStdString(testsupport::readFile(marker.toStdString())).trimmed(), other);
    EXPECT_EQ(shownMessages.size(), 2);
}

TEST_F(SmallFormsTest, InformationPageOffersAReloadThatDoesNothing)
{
    frmGeneralInfo page;
    EXPECT_TRUE(OffersChildOperation(&page, "Refresca"));
    EXPECT_FALSE(OffersChildOperation(&page, "Insertado"));
    EXPECT_TRUE(CallChildOperation(&page, "Refresca"));
    EXPECT_EQ(page.findChild<QLabel*>("Label1")->text(), "Vantora™ PC");
    EXPECT_EQ(page.findChild<QLabel*>("Label2")->text(), "Kelmion");
    EXPECT_TRUE(page.findChild<QLabel*>("Label3")->text().contains("example.com"));
}

TEST_F(SmallFormsTest, BrowserShowsWorkingWhileLoadingUntilStopped)
{
    // A server that accepts and never answers keeps the page loading.
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    frmBrowser browser;
    EXPECT_EQ(browser.windowTitle(), "Kelmion on the Web");
    EXPECT_EQ(browser.timTimer()->interval(), 5);
    EXPECT_FALSE(browser.timTimer()->isActive());
    browser.StartAddress = QStringLiteral("http://127.0.0.1:%1/").arg(silent.serverPort());
    browser.resize(400, 300);
    browser.show();
    EXPECT_TRUE(browser.timTimer()->isActive());
    EXPECT_EQ(browser.brwWebBrowser()->geometry(), QRect(0, 0, 400, 300));
    ASSERT_TRUE(QTest::qWaitFor([&] { return browser.windowTitle() == "Working..."; }, 10000));

    browser.Accion("Stop");
    EXPECT_FALSE(browser.timTimer()->isActive());
    EXPECT_NE(browser.windowTitle(), "Working...");
    EXPECT_FALSE(browser.Busy());

    browser.Accion("Nothing");
    EXPECT_TRUE(browser.timTimer()->isActive());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !browser.timTimer()->isActive(); }, 5000));

    // Coming back to the view opens its start page again.
    browser.hide();
    browser.show();
    EXPECT_TRUE(browser.timTimer()->isActive());
    ASSERT_TRUE(QTest::qWaitFor([&] { return browser.windowTitle() == "Working..."; }, 10000));
    browser.Accion("Stop");
}

TEST_F(SmallFormsTest, ABrowserWhosePageProcessDiesSaysWhy)
{
    frmBrowser browser;
    browser.resize(400, 300);
    browser.show();
    browser.brwWebBrowser()->load(QUrl("chrome://crash"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !shownMessages.isEmpty(); }, 30000));
    EXPECT_EQ(shownMessages.value(0), "The web page cannot be shown: the web engine's page process crashed.");
}

}  // namespace
