// The driver manager's own query tool reaches the driver through the shipped odbcinst.ini.
#include "DriverFixture.h"

#include <cstdio>

namespace odbctest {
namespace {

class IsqlTest : public DriverTest {
protected:
    // Runs isql with SQLDriverConnect on the connection string, feeding it the statements.
    std::string runIsql(const std::string& connection, const std::string& statements)
    {
        const std::string input = folder.file("statements.sql");
        testsupport::writeFile(input, statements);
        const std::string command = "isql -v -b -k \"" + connection + "\" < \"" + input + "\" 2>&1";
        std::string output;
        FILE* pipe = popen(command.c_str(), "r");
        EXPECT_NE(pipe, nullptr);
        if (pipe == nullptr) {
            return output;
        }
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
            output += buffer;
        }
        pclose(pipe);
        return output;
    }
};

TEST_F(IsqlTest, RunsASelectThroughTheDriverName)
{
    runOnFile("INSERT INTO Items (Code, Name, Day) VALUES (7, 'Seven', '2026-12-09')");
    const std::string output = runIsql(connectionString(), "SELECT Code, Name, Day FROM Items\n");
    EXPECT_NE(output.find("| 7"), std::string::npos) << output;
    EXPECT_NE(output.find("Seven"), std::string::npos) << output;
    EXPECT_NE(output.find("2026-12-09 00:00:00"), std::string::npos) << output;
}

TEST_F(IsqlTest, WrongPasswordIsRefused)
{
    const std::string output = runIsql(connectionString(kUser, "nope"), "SELECT Code FROM Items\n");
    EXPECT_NE(output.find("[ISQL]ERROR: Could not SQLDriverConnect"), std::string::npos) << output;
    EXPECT_NE(output.find("[28000]"), std::string::npos) << output;
}

}  // namespace
}  // namespace odbctest
