#pragma once
#include "Messages.h"
#include "TempDir.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

// A fixture for tests of core: a fresh practice database in its own folder, connected as
// the desktop program connects (DatabasePath and DbConnection set), and every message box
// recorded instead of shown. The answer to OK/Cancel boxes can be scripted.
class CoreTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs SQL straight on the connection (arranging rows, installing failing triggers); the
    // test fails when it does not run.
    void run(const QString& sql);
    // The rows of a query, each as its values joined by "|" (Null as "<null>").
    QStringList rows(const QString& sql);

    // Loads the demo practice into the database before connecting (call from SetUp).
    bool withDemoPractice = false;

    QStringList shownMessages;
    MessageAnswer answerToOkCancel = MessageAnswer::Ok;

    testsupport::TempDir folder;
    QString databasePath;

private:
    MessageHandler previousHandler;
};
