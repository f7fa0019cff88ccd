#pragma once
#include "Messages.h"
#include "TempDir.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace jet {
class Connection;
}

// A fixture for tests of core: a fresh practice database in its own folder, connected as
// the desktop program connects (DatabasePath and DbConnection set), and every message box
// recorded instead of shown. The answer to OK/Cancel boxes can be scripted.
class CoreTest : public ::testing::Test {
protected:
    CoreTest();
    ~CoreTest() override;

    void SetUp() override;
    void TearDown() override;

    // Runs SQL straight on the connection (arranging rows, installing failing triggers); the
    // test fails when it does not run.
    void run(const QString& sql);
    // The rows of a query, each as its values joined by "|" (Null as "<null>").
    QStringList rows(const QString& sql);

    // Runs `work` as a second clerk on the same database: on a connection of its own, opened
    // as the desktop program opens one, standing in for DbConnection while `work` runs.
    void asOtherClerk(const std::function<void()>& work);

    // Loads the demo practice into the database before connecting (call from SetUp).
    bool withDemoPractice = false;

    QStringList shownMessages;
    MessageAnswer answerToOkCancel = MessageAnswer::Ok;

    testsupport::TempDir folder;
    QString databasePath;

private:
    MessageHandler previousHandler;
    std::unique_ptr<jet::Connection> otherClerk;
};
