#pragma once
#include "JetConnection.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

// A small database made with SQLite directly, its workgroup file beside it, and the
// settings that open it. Each test gets its own folder.
class JetDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override;

    // Runs SQLite SQL straight on the file, outside the layer under test.
    void runDirectly(const std::string& sql);
    // Opens the database through the layer; fails the test when refused.
    std::unique_ptr<jet::Connection> openConnection();
    // The number of rows a SELECT COUNT(*) gives through a second, direct handle.
    long long countDirectly(const std::string& countSql);

    testsupport::TempDir folder;
    std::string databasePath;
    jet::ConnectionSettings settings;
};

// A workgroup file with the account of the settings, for databases made in a test.
void writeTestWorkgroup(const jet::ConnectionSettings& settings);
