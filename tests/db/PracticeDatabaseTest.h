#pragma once
#include "JetConnection.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// A fresh practice database in its own folder, connected through the jet layer as the
// desktop program connects.
class PracticeDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override;

    // Runs one statement that must succeed; the number of rows it changed.
    long execute(const std::string& sql);
    // Runs one statement and answers whether it succeeded.
    bool tryExecute(const std::string& sql);
    jet::Rows query(const std::string& sql);
    std::int64_t count(const std::string& sql);
    // The first column of every row, as integers.
    std::vector<std::int64_t> integers(const std::string& sql);
    static std::vector<std::string> columnNames(const jet::Rows& rows);

    testsupport::TempDir folder;
    std::string databasePath;
    std::unique_ptr<jet::Connection> connection;
};

// Opens a practice database with the account of the desktop program's connection string.
std::unique_ptr<jet::Connection> openPracticeDatabase(const std::string& databasePath, std::string& error);
