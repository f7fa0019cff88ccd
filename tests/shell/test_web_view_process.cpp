// The web page view in a program of its own, started as the clerk starts it: no switch about
// the web engine's sandbox in its environment, whoever runs it (also the superuser).
#include "ShellTestEnvironment.h"
#include "frmBrowser.h"
#include "frmMain.h"

#include <QProcess>
#include <QTest>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

const char* const kInnerRun = "VANTORA_WEB_VIEW_INNER_RUN";

class WebViewProgram : public ShellTest {};

// Run only by the test below, in a process of its own: a web engine that gives up ends the
// whole process.
TEST_F(WebViewProgram, InnerRun)
{
    if (!qEnvironmentVariableIsSet(kInnerRun))
        GTEST_SKIP() << "started by WebViewProcess";
    storeMainSetting("ActiveView", "12");
    frmMain* window = openMainWindow();
    auto* browser = qobject_cast<frmBrowser*>(window->ActiveChild());
    ASSERT_NE(browser, nullptr);
    browser->brwWebBrowser()->setHtml("<html><head><title>Shown here</title></head></html>");
    EXPECT_TRUE(QTest::qWaitFor([&] { return browser->brwWebBrowser()->title() == "Shown here"; }, 60000));
    window->resize(700, 500);
    closeMainWindow(window);
    EXPECT_EQ(mainSetting("ActiveView"), "12");
    EXPECT_NE(mainSetting("MainWidth"), "(absent)");
}

TEST(WebViewProcess, TheWebViewShowsAPageAndTheProgramEndsNormally)
{
    // Whether a normal user's engine may confine its page processes depends on the system.
    if (geteuid() != 0)
        GTEST_SKIP() << "the web engine's sandbox is the system's for a normal user";
    TestApplication();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
    environment.remove("QTWEBENGINE_DISABLE_SANDBOX");
    environment.insert(kInnerRun, "1");
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=WebViewProgram.InnerRun"});
    ASSERT_TRUE(program.waitForFinished(240000));
    const std::string output = program.readAll().toStdString();
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << output;
    EXPECT_EQ(program.exitCode(), 0) << output;
    EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
}

}  // namespace
