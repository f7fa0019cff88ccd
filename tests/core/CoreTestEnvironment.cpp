#include "CoreTestEnvironment.h"

#include "AppGlobals.h"
#include "JetConnection.h"
#include "PracticeDatabase.h"

namespace {

std::unique_ptr<jet::Connection> openDesktopConnection(const QString& databasePath, std::string& error)
{
    return jet::Connection::open(practicedb::connectionSettings(databasePath.toStdString()), error);
}

}  // namespace

CoreTest::CoreTest() = default;
CoreTest::~CoreTest() = default;

void CoreTest::SetUp()
{
    ResetGlobals();
    databasePath = QString::fromStdString(folder.file("practice.mdb"));
    std::string error;
    ASSERT_TRUE(practicedb::createPracticeDatabase(databasePath.toStdString(), error)) << error;
    if (withDemoPractice)
        ASSERT_TRUE(practicedb::loadDemoPractice(databasePath.toStdString(), error)) << error;

    Globals().DatabasePath = databasePath;
    Globals().DbConnection = openDesktopConnection(databasePath, error);
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

void CoreTest::asOtherClerk(const std::function<void()>& work)
{
    if (!otherClerk) {
        std::string error;
        otherClerk = openDesktopConnection(databasePath, error);
        ASSERT_TRUE(otherClerk) << error;
    }
    std::swap(Globals().DbConnection, otherClerk);
    work();
    std::swap(Globals().DbConnection, otherClerk);
}

void CoreTest::run(const QString& sql)
{
    long affected = 0;
    std::string error;
    ASSERT_TRUE(Globals().DbConnection->execute(sql.toStdString(), affected, error)) << error << "\n"
                                                                                        << sql.toStdString();
}

QStringList CoreTest::rows(const QString& sql)
{
    jet::Rows result;
    std::string error;
    EXPECT_TRUE(Globals().DbConnection->query(sql.toStdString(), result, error)) << error;
    QStringList lines;
    for (const auto& row : result.rows) {
        QStringList values;
        for (const jet::Value& value : row) {
            if (const auto* number = std::get_if<std::int64_t>(&value))
                values << QString::number(*number);
            else if (const auto* real = std::get_if<double>(&value))
                values << QString::number(*real);
            else if (const auto* text = std::get_if<std::string>(&value))
                values << QString::fromStdString(*text);
            else
                values << QStringLiteral("<null>");
        }
        lines << values.join(QLatin1Char('|'));
    }
    return lines;
}
