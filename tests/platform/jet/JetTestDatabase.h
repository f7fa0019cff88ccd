#pragma once
#include "JetConnection.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include <sys/types.h>

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

// Another program on the database: a child process that opens it through the layer and holds
// it until the test lets it go on (then it runs its part, closes and exits) or kills it.
class OtherProgram {
public:
    // Returns once the child has opened the database, or failed to (then finish answers -1).
    OtherProgram(const jet::ConnectionSettings& settings, std::function<int(jet::Connection&)> part);
    ~OtherProgram();
    OtherProgram(const OtherProgram&) = delete;
    OtherProgram& operator=(const OtherProgram&) = delete;

    // The part's answer (0 to 254), or -1 when the child could not open the database.
    int finish();
    // Ends the child as a crash or a power cut would, with the database still open.
    void kill();

private:
    int wait();

    pid_t child_ = -1;
    int toChild_ = -1;
};
