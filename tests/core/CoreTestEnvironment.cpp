#include "CoreTestEnvironment.h"

#include "AppGlobals.h"
#include "JetConnection.h"
#include "PracticeDatabase.h"
#include "Workgroup.h"

void CoreTest::SetUp()
{
    ResetGlobals();
    databasePath = QString::fromStdString(folder.file("practice.mdb"));
    std::string error;
    ASSERT_TRUE(practicedb::createPracticeDatabase(databasePath.toStdString(), error)) << error;
    if (withDemoPractice)
        ASSERT_TRUE(practicedb::loadDemoPractice(databasePath.toStdString(), error)) << error;

    jet::ConnectionSettings settings;
    settings.databasePath = databasePath.toStdString();
    settings.workgroupPath = jet::workgroupPathFor(settings.databasePath);
    settings.userId = practicedb::kAccountUser;
    settings.password = practicedb::kAccountPassword;
    Globals().DatabasePath = databasePath;
    Globals().DbConnection = jet::Connection::open(settings, error);
    ASSERT_TRUE(Globals().DbConnection) << error;
    Globals().ConnectionOpen = true;

    previousHandler = SetMessageHandler([this](const QString& text, MessageButtons buttons) {
        shownMessages << text;
        return buttons == MessageButtons::OkCancel ? answerToOkCancel : MessageAnswer::Ok;
    });
}

void CoreTest::TearDown()
{
    SetMessageHandler(previousHandler);
    ResetGlobals();
}
